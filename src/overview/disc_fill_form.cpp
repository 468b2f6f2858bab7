#include "overview/disc_fill_form.h"

#include <QDialog>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "base/ini.h"
#include "base/ui.h"
#include "cd/disc_lookup.h"
#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_query.h"
#include "platform/discinfo/candidate_fit.h"
#include "shell/dialog_parts.h"
#include "store/catalogue.h"

namespace {

// The online look-up's requests time out after 10 s each; the screen waits for all of them.
constexpr int kFillOnlineWaitMs = 4 * 10000 + 5000;

QString FillNote(const FillChange& change) {
    if (change.refused)
        return "left out: holds a character the catalogue cannot hold; type it yourself";
    if (change.cut)
        return "cut to fit the field";
    return "";
}

QString FillTrack(const FillChange& change) {
    return QString::fromStdString(change.side) + QString::number(change.track);
}

// The disc in the player's drive or image as a look-up query; empty offsets when none is there.
discinfo::DiscQuery FillQueryOfDrive() {
    std::unique_ptr<cdaudio::CdioDisc> disc;
    cdaudio::DiscToc toc;
    if (!cdaudio::CdioDisc::Open(IniReadString("Opstart", "CdDevice", ""), &disc).ok() ||
        !disc->ReadToc(&toc).ok())
        return {};
    return cdaudio::DiscQueryOf(toc);
}

// The online answer, when the settings allow a look-up, waited for behind a window-modal progress
// dialog: the screen takes no click meanwhile, and Cancel stops the look-up.
std::vector<discinfo::DiscCandidate> FillAskOnline(DiscLookup& lookup,
                                                   const discinfo::DiscQuery& query,
                                                   QWidget* parent) {
    std::vector<discinfo::DiscCandidate> found;
    QEventLoop loop;
    QObject::connect(&lookup, &DiscLookup::OnlineFinished, &loop,
                     [&](const std::vector<discinfo::DiscCandidate>& online, const QString&) {
                         found = online;
                         loop.quit();
                     });
    if (!lookup.StartOnline(query))
        return found;
    QProgressDialog progress("Looking the disc up on the internet...", "&Cancel", 0, 0, parent);
    progress.setObjectName("DiscLookupProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    QObject::connect(&lookup, &DiscLookup::Progress, &progress, &QProgressDialog::setLabelText);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    QTimer::singleShot(kFillOnlineWaitMs, &loop, &QEventLoop::quit);
    progress.show();
    loop.exec();
    lookup.Cancel();
    return found;
}

}  // namespace

bool ConfirmDiscFill(const discinfo::DiscCandidate& candidate,
                     const std::vector<FillChange>& changes, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("DiscFillForm");
    dialog.setWindowTitle("Fill blank fields");
    auto* content = new QVBoxLayout;
    auto* found = new QLabel(
        QString("Found in %1%2: \"%3\" by %4. Fill these blank fields?")
            .arg(discinfo::OriginName(candidate.origin),
                 candidate.reference.empty()
                     ? QString()
                     : " (" + QString::fromStdString(candidate.reference) + ")",
                 QString::fromStdString(candidate.title), QString::fromStdString(candidate.artist)),
        &dialog);
    found->setObjectName("FoundLabel");
    found->setWordWrap(true);
    content->addWidget(found);
    auto* table = new QTableWidget(int(changes.size()), 5, &dialog);
    table->setObjectName("Changes");
    table->setHorizontalHeaderLabels({"Track", "Field", "Now", "New", "Note"});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < int(changes.size()); ++row) {
        const FillChange& change = changes[size_t(row)];
        const QStringList cells = {FillTrack(change), FillFieldName(change.field), "",
                                   QString::fromStdString(change.shown), FillNote(change)};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    table->setMinimumSize(640, 320);
    content->addWidget(table);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* yes = AddDialogButton(buttons, "YesBtn", "&Yes", QDialogButtonBox::AcceptRole);
    AddDialogButton(buttons, "NoBtn", "&No", QDialogButtonBox::RejectRole);
    yes->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    LayOutDialog(&dialog, content, buttons);
    return dialog.exec() == QDialog::Accepted;
}

int OfferDiscFill(Catalogue& catalogue, const std::string& key,
                  const discinfo::DiscCandidate& candidate, QWidget* parent) {
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    const std::vector<FillChange> changes = PlanDiscFill(tracks, key, candidate);
    if (changes.empty()) {
        CurrentUi().Message(MsgKind::Information,
                            "The CD info found has nothing for the blank fields of this source.");
        return 0;
    }
    if (!ConfirmDiscFill(candidate, changes, parent))
        return 0;
    const std::string failure = ApplyDiscFill(tracks, changes);
    if (!failure.empty()) {
        CurrentUi().Message(MsgKind::Error, failure + " Nothing was changed.");
        return 0;
    }
    return int(std::count_if(changes.begin(), changes.end(),
                             [](const FillChange& change) { return !change.refused; }));
}

std::optional<discinfo::DiscCandidate> LookUpDiscForFill(Catalogue& catalogue, QWidget* parent) {
    const discinfo::DiscQuery query = FillQueryOfDrive();
    if (query.offsets.empty())
        return std::nullopt;
    DiscLookup lookup(catalogue);
    std::string folderError;
    std::vector<discinfo::DiscCandidate> found = lookup.InDiscData(query, &folderError);
    if (!folderError.empty())
        CurrentUi().Message(MsgKind::Warning, "The disc data folder " +
                                                  ReadCdInfoSettings().discData +
                                                  " cannot be read: " + folderError);
    if (found.empty())
        found = FillAskOnline(lookup, query, parent);
    if (found.empty())
        return std::nullopt;
    discinfo::SortByFit(&found, query);
    return found.front();
}

#include "transfer/column_map_form.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>

#include "base/ui.h"
#include "platform/foreign/mapped_csv.h"
#include "platform/xbase/codepage.h"
#include "platform/xbase/csv/csv_reader.h"
#include "shell/dialog_parts.h"
#include "transfer/foreign_import_help.h"

namespace {

// UTF-8, or Windows-1252 when the bytes are not UTF-8, as the import reads the file.
QString MappingText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError())
        return text;
    text.clear();
    for (unsigned char byte : bytes)
        text += QChar(char16_t(xbase::CodePage::Windows1252().ToUnicode(byte)));
    return text;
}

bool CaselessEqual(const std::string& a, const char* b) {
    return QString::fromUtf8(a).trimmed().compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::string GuessColumnTarget(const std::string& header) {
    for (const foreign::ColumnTarget& target : foreign::ColumnTargets())
        if (CaselessEqual(header, target.name) || CaselessEqual(header, target.label))
            return target.name;
    return "memo";
}

std::vector<std::vector<std::string>> CsvSampleValues(const std::string& path, size_t columns,
                                                      size_t rows) {
    std::vector<std::vector<std::string>> samples(columns);
    std::ifstream in(path, std::ios::binary);
    xbase::CsvReader reader(in);
    reader.SetLimits(64 * 1024, 1024 * 1024);
    std::vector<std::string> row;
    std::string error;
    if (!reader.Next(&row, &error))  // the header
        return samples;
    for (size_t read = 0; read < rows && reader.Next(&row, &error); ++read)
        for (size_t column = 0; column < columns && column < row.size(); ++column)
            if (!row[column].empty())
                samples[column].push_back(row[column]);
    return samples;
}

TColumnMapForm::TColumnMapForm(const std::string& path, const std::vector<std::string>& header,
                               const std::vector<std::string>& targets, bool remembered,
                               QWidget* parent)
    : QDialog(parent), header_(header) {
    setObjectName("TColumnMapForm");
    setWindowTitle("Import from another program: columns");
    auto* layout = new QVBoxLayout(this);
    QString intro = "Choose where each column of " +
                    QFileInfo(QString::fromStdString(path)).fileName() +
                    " goes: a field, the memo, or nowhere (Ignore).";
    if (remembered)
        intro += "\nThe columns are set as they were for the last file with this header.";
    auto* introLabel = new QLabel(intro, this);
    introLabel->setObjectName("IntroLabel");
    introLabel->setWordWrap(true);
    layout->addWidget(introLabel);

    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    int line = 0;
    for (const char* title : {"Column", "First values", "Goes to"}) {
        auto* heading = new QLabel(QString("<b>%1</b>").arg(title), rows);
        grid->addWidget(heading, 0, line++);
    }
    const auto samples = CsvSampleValues(path, header.size(), 3);
    QWidget* previous = nullptr;
    for (size_t column = 0; column < header.size(); ++column) {
        const int at = int(column) + 1;
        QString name = MappingText(header[column]);
        if (name.trimmed().isEmpty())
            name = QString("(column %1)").arg(at);
        auto* nameLabel = new QLabel(name, rows);
        nameLabel->setTextFormat(Qt::PlainText);
        QStringList values;
        for (const std::string& value : samples[column])
            values << MappingText(value).simplified();
        auto* valuesLabel = new QLabel(rows);
        valuesLabel->setTextFormat(Qt::PlainText);
        valuesLabel->setText(
            valuesLabel->fontMetrics().elidedText(values.join(" | "), Qt::ElideRight, 320));
        valuesLabel->setToolTip(values.join("\n"));
        auto* combo = new QComboBox(rows);
        combo->setObjectName(QString("TargetCombo%1").arg(at));
        for (const foreign::ColumnTarget& target : foreign::ColumnTargets())
            combo->addItem(QString::fromUtf8(target.label), QString::fromUtf8(target.name));
        const int chosen = combo->findData(
            QString::fromStdString(column < targets.size() ? targets[column] : "memo"));
        combo->setCurrentIndex(std::max(chosen, 0));
        nameLabel->setBuddy(combo);
        combo->setAccessibleName(name);
        grid->addWidget(nameLabel, at, 0);
        grid->addWidget(valuesLabel, at, 1);
        grid->addWidget(combo, at, 2);
        if (previous != nullptr)
            setTabOrder(previous, combo);
        previous = combo;
        combos_.push_back(combo);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(int(header.size()) + 1, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ColumnsArea");
    scroll->setWidgetResizable(true);
    scroll->setWidget(rows);
    layout->addWidget(scroll, 1);

    auto* box = new QDialogButtonBox(this);
    QPushButton* next =
        AddDialogButton(box, "ContinueBtn", "C&ontinue", QDialogButtonBox::AcceptRole);
    AddDialogButton(box, "CancelBtn", "&Cancel", QDialogButtonBox::RejectRole);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TColumnMapForm::ContinueBtnClick);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddForeignImportHelp(this, box);
    layout->addWidget(box);
    if (!combos_.empty())
        combos_.front()->setFocus();
    resize(720, std::min(560, 180 + 34 * int(header.size())));  // no room left empty
}

std::vector<std::string> TColumnMapForm::targets() const {
    std::vector<std::string> chosen;
    for (const QComboBox* combo : combos_)
        chosen.push_back(combo->currentData().toString().toStdString());
    return chosen;
}

void TColumnMapForm::ContinueBtnClick() {
    const std::vector<std::string> chosen = targets();
    for (size_t a = 0; a < chosen.size(); ++a) {
        if (chosen[a] == "ignore" || chosen[a] == "memo")
            continue;
        for (size_t b = a + 1; b < chosen.size(); ++b) {
            if (chosen[b] != chosen[a])
                continue;
            CurrentUi().Message(MsgKind::Warning, "The columns \"" + header_[a] + "\" and \"" +
                                                      header_[b] + "\" both go to " +
                                                      combos_[a]->currentText().toStdString() +
                                                      "; choose one of them.");
            combos_[b]->setFocus();
            return;
        }
    }
    accept();
}

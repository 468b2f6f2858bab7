#include "cd/disc_id_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "base/feedback.h"
#include "base/ui.h"

DiscIdLine::DiscIdLine(QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(this)),
      button_(new QPushButton("Look up on Music&Brainz", this)) {
    setObjectName("DiscIdLine");
    label_->setObjectName("DiscIdLab");
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    button_->setObjectName("MusicBrainzBtn");
    button_->setAutoDefault(false);
    button_->setToolTip("Opens the disc's page on musicbrainz.org in the browser");
    connect(button_, &QPushButton::clicked, this, [this] { LookUp(); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_, 1);
    layout->addWidget(button_);
    SetIds({}, "");
}

void DiscIdLine::SetIds(const cdaudio::DiscIds& ids, const std::string& absent) {
    url_ = ids.lookupUrl;
    label_->setText(ids.empty() ? QString::fromStdString(absent)
                                : QString("Disc ID: %1   freedb: %2")
                                      .arg(QString::fromStdString(ids.musicbrainz),
                                           QString::fromStdString(ids.freedb)));
    button_->setEnabled(!ids.empty());
}

void DiscIdLine::LookUp() {
    if (!url_.empty() && !CurrentUi().OpenUrl(url_)) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information, "No web browser could be started.");
    }
}

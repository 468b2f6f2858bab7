// DiscIdLine: one line under a disc's data with its MusicBrainz and freedb IDs and the button
// that opens the disc's MusicBrainz page in the browser. Nothing leaves the machine until the
// user clicks that button.
#pragma once

#include <QWidget>
#include <string>

#include "platform/cdaudio/disc_ids.h"

class QLabel;
class QPushButton;

class DiscIdLine : public QWidget {
    Q_OBJECT
public:
    explicit DiscIdLine(QWidget* parent = nullptr);

    // Shows the IDs; empty ones show `absent` and disable the button.
    void SetIds(const cdaudio::DiscIds& ids, const std::string& absent);

private:
    void LookUp();

    QLabel* label_;
    QPushButton* button_;
    std::string url_;
};

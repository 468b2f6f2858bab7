// TAboutBox: Help > "&About": the product name, its version and the legal notice.
#pragma once

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    // Plays "Info.wav".
    void showEvent(QShowEvent* event) override;
};

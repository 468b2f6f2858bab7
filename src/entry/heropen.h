// THeropen: chooses a source by carrier and number, either to continue its entry ("Reopen
// source", mode 1) or to show it ("Show source", mode 2).
//
// Mode 1: on OK the source is looked up and, when it exists, the open-source keys of cd.ini
// (Diversen: OpenDrager, OpenTracknr, OpenTrackKant) are written so that the entry screen opened
// next continues it; the screen then closes with Accepted and the caller disables its entry
// commands and opens the entry screen. Mode 2: on OK an existing source is handed to the
// `showSource` callback (its SourceSeekKey); without a callback the user is told it was found.
// An unknown source is reported and the screen stays open.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class Catalogue;
class PickListCombo;
class QSpinBox;

class THeropen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kReopen = 1;
    static constexpr int kShow = 2;
    using ShowSourceFn = std::function<void(const std::string& sourceSeekKey)>;

    // `catalogue` must outlive the screen; `mode` is kReopen or kShow.
    THeropen(Catalogue& catalogue, int mode, QWidget* parent = nullptr,
             ShowSourceFn showSource = {});

    int mode() const { return mode_; }
    // The SourceSeekKey of the source chosen (empty until OK found one).
    const std::string& sourceSeekKey() const { return sourceSeekKey_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void BitBtn1Click();

    Catalogue& catalogue_;
    int mode_;
    ShowSourceFn showSource_;
    std::string sourceSeekKey_;
    PickListCombo* comboBox1_;
    QSpinBox* nummer_;
};

// TGeluidsInvoer: the entry screen ("Add"), an MDI child in which the user adds a new source,
// its main title and one track after another, or continues a source left open. The widgets show
// an EntrySession, which does the work; every control carries its program name as objectName.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "entry/entry_session.h"

class Catalogue;
class PickListCombo;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

class TGeluidsInvoer : public QWidget {
    Q_OBJECT
public:
    // The screen's content; `catalogue` must outlive it. The entry opens when it is first shown.
    TGeluidsInvoer(Catalogue& catalogue, QWidget* parent);
    ~TGeluidsInvoer() override;

    EntrySession& session() { return session_; }
    // What "Show it" opens for a disc the catalogue has: the source information screen.
    void setShowSource(std::function<void(const std::string& sourceSeekKey)> showSource) {
        showSource_ = std::move(showSource);
    }

signals:
    // The screen has closed: the main window enables its entry commands again.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildScreen();
    QWidget* BuildSourceBox();
    QWidget* BuildTrackBox();
    QWidget* BuildFoundRow();
    QWidget* BuildLookupRow();
    QWidget* BuildAlreadyRow();
    void ConnectDiscLookup();
    // An online answer came in: shown, and offered for the blank field that has the focus.
    void LookupAnswered();
    QWidget* BuildButtonRow();
    PickListCombo* AddList(const char* name, char code, int maxLength, EntryControl control);
    QLineEdit* AddText(const char* name, int maxLength, EntryControl control);
    QLabel* Caption(const QString& text, EntryControl control);
    void ConnectHandlers();

    void FormShow();
    void ApplySettings();
    // Shows the session: texts, labels, enabled controls and the focus it asks for.
    void ShowSession();
    void TextChanged(EntryControl control, const QString& text);
    // Runs a handler; a table failure is shown to the user, then the session is shown again.
    void Guarded(const std::function<void()>& handler);
    void FillList(PickListCombo* combo, char code);
    void ItemEditor(EntryControl control);
    void PutText(EntryControl control, const QString& text);
    void FocusControl(EntryControl control);
    void CloseScreen();
    QWidget* PlacementWindow();

    void PlaatsButtonClick();
    void vTrackButClick();
    void GeluidButClick();
    void SchrijfButClick();
    void MorgenbutClick();
    void KantButClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void AankoopbutClick();
    void TekstbutClick();

    Catalogue& catalogue_;
    EntrySession session_;
    // Made for this screen, so that closing it ends a look-up still running.
    std::unique_ptr<EntryDiscLookup> discLookup_;
    std::function<void(const std::string&)> showSource_;
    bool shown_ = false;
    bool closedDone_ = false;

    std::map<EntryControl, QWidget*> fields_;
    // The application-wide focus watch; cut first on destruction, since closing the window
    // moves the focus after the members it reads are gone.
    QMetaObject::Connection focusWatch_;
    std::map<EntryControl, QLabel*> captions_;
    std::map<EntryControl, char> itemCodes_;

    PickListCombo* invDrager_ = nullptr;
    QSpinBox* invNummer_ = nullptr;
    QSpinBox* invMin_ = nullptr;
    QSpinBox* invSec_ = nullptr;
    QLabel* lFound_ = nullptr;
    QLabel* lFoundNote_ = nullptr;
    QWidget* lookupRow_ = nullptr;
    QLabel* lLookup_ = nullptr;
    QPushButton* lookupCancel_ = nullptr;
    QWidget* alreadyRow_ = nullptr;
    QLabel* lAlready_ = nullptr;
    QPushButton* openAlreadyBtn_ = nullptr;
    QLabel* tracknr_ = nullptr;
    QLabel* lKant_ = nullptr;
    QLabel* label19_ = nullptr;
    QLabel* autoTracks_ = nullptr;

    QPushButton* aankoopbut_ = nullptr;
    QPushButton* tekstbut_ = nullptr;
    QPushButton* geluidBut_ = nullptr;
    QPushButton* kantBut_ = nullptr;
    QPushButton* plaatsButton_ = nullptr;
    QPushButton* vTrackBut_ = nullptr;
    QPushButton* morgenbut_ = nullptr;
    QPushButton* schrijfBut_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    QToolButton* speedButton1_ = nullptr;
    QPushButton* speedButton2_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
};

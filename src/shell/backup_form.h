// TBackupForm: the reminder to make a backup, shown on closing once enough new sources were
// saved. It lets the user change the threshold, switch the reminder off, or start the backup
// program at once (only while the lock on adding and modifying is off).
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

class TBackupForm : public QDialog {
    Q_OBJECT
public:
    // Reads the threshold (MeldBackupOp) and the "never show" flag (MeldBackupWindow).
    explicit TBackupForm(QWidget* parent = nullptr);

protected:
    // Plays "Opti.wav".
    void showEvent(QShowEvent* event) override;

private:
    void OKBtnClick();
    void BackupBtnClick();

    QSpinBox* reportAfter_;
    QCheckBox* dontShow_;
};

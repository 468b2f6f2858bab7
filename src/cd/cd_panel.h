// TCdPanel: the black panel (CDPanel) that shows the track and the time within the track while
// a disc plays. A double click on it or on any of its labels opens the track list.
#pragma once

#include <QFrame>
#include <functional>

class QLabel;

class TCdPanel : public QFrame {
    Q_OBJECT
public:
    explicit TCdPanel(QWidget* parent = nullptr);

    // Runs on a double click on the panel or one of its labels.
    void setOnDoubleClick(std::function<void()> onDoubleClick) {
        onDoubleClick_ = std::move(onDoubleClick);
    }
    // TrackLab ("07") and TijdLab ("02:15").
    void showPosition(const QString& track, const QString& time);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label(const char* name, const QString& text, const QColor& colour);

    std::function<void()> onDoubleClick_;
    QLabel* trackLab_;
    QLabel* tijdLab_;
};

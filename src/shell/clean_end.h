// A logout, a shutdown or Ctrl+C in a terminal (SIGTERM, SIGHUP, SIGINT), and the desktop
// session's request to save what is open, end the program as its Close command does but without
// the closing questions: open screens write what they hold, the tables close and clear their
// session marks, and the program exits with status 0.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;
class TMainForm;

class CleanEnd : public QObject {
    Q_OBJECT

public:
    // Catches the three signals until destroyed; `end` runs in the event loop for each request.
    explicit CleanEnd(std::function<void()> end, QObject* parent = nullptr);
    ~CleanEnd() override;
    CleanEnd(const CleanEnd&) = delete;
    CleanEnd& operator=(const CleanEnd&) = delete;

private:
    std::function<void()> end_;
    QSocketNotifier* notifier_ = nullptr;
};

// Ends `form` without questions (every question a screen asks on closing gets its first
// answer); should a screen still refuse, the program ends all the same.
void EndWithoutQuestions(TMainForm& form);

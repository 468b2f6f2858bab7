#include "shell/clean_end.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

#include "base/ui.h"
#include "shell/main_form.h"

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// The handler may only write a byte: the event loop reads it and does the work.
int g_pipe[2] = {-1, -1};

void OnSignal(int number) {
    const int saved = errno;
    const char byte = char(number);
    (void)!::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

CleanEnd::CleanEnd(std::function<void()> end, QObject* parent)
    : QObject(parent), end_(std::move(end)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;  // the signals keep their default: the program ends as before
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        end_();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        ::sigaction(number, &action, nullptr);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { end_(); });
#endif
}

CleanEnd::~CleanEnd() {
    if (notifier_ == nullptr)
        return;
    for (const int number : kSignals)
        ::signal(number, SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void EndWithoutQuestions(TMainForm& form) {
    {
        const ScopedUi firstAnswers(nullptr);
        form.endProgram(0);
    }
    if (!form.ending())
        QCoreApplication::exit(0);  // a screen refused: its tables still close cleanly
}

#include "app/QtSignalClose.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <csignal>

namespace qv {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The socket pair that carries a signal from the handler to the event loop.
// A signal handler can reach nothing else, so this one pair is file-level
// state; only the handler writes to it and only the active instance reads.
int g_signalSockets[2] = {-1, -1};
struct sigaction g_previous[kSignals.size()];

extern "C" void OnCloseSignal(int signalNumber) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  if (g_signalSockets[0] >= 0) {
    // Nothing to do when the pipe is full: a close is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
  }
  errno = savedErrno;
}

void SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

QtSignalClose::QtSignalClose(QWidget& window, QObject* parent) : QObject(parent), window_(&window) {
  if (g_signalSockets[0] >= 0) return;  // another instance is active
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) {
    g_signalSockets[0] = g_signalSockets[1] = -1;
    return;
  }
  SetNonBlocking(g_signalSockets[0]);
  SetNonBlocking(g_signalSockets[1]);

  notifier_ = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QtSignalClose::Drain);

  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    ::sigaction(kSignals[i], &action, &g_previous[i]);
}

QtSignalClose::~QtSignalClose() {
  if (!notifier_) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    ::sigaction(kSignals[i], &g_previous[i], nullptr);
  delete notifier_;
  notifier_ = nullptr;
  ::close(g_signalSockets[0]);
  ::close(g_signalSockets[1]);
  g_signalSockets[0] = g_signalSockets[1] = -1;
}

void QtSignalClose::Drain() {
  unsigned char byte = 0;
  int last = 0;
  while (::read(g_signalSockets[1], &byte, 1) == 1)
    last = byte;
  if (last == 0) return;
  emit SignalReceived(last);
  CloseWindow();
}

void QtSignalClose::CloseWindow() {
  if (!window_) return;
  // A modal dialog may be open: closing the main window under it would run
  // the shut-down inside the dialog's loop. Close the dialog (as Cancel or No)
  // and come back once its loop has ended.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->close();
    QTimer::singleShot(20, this, &QtSignalClose::CloseWindow);
    return;
  }
  window_->close();
}

}  // namespace qv

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace qv {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in the
// terminal) into a close of the main window, so that the usual shut-down runs
// and nothing is lost. The signal handler only writes one byte to a socket
// pair; the window is closed later on the event loop. One instance at a time
// (the handler reaches it through the socket, which is process-wide); the
// previous handlers come back when it goes.
class QtSignalClose : public QObject {
  Q_OBJECT
 public:
  explicit QtSignalClose(QWidget& window, QObject* parent = nullptr);
  ~QtSignalClose() override;
  QtSignalClose(const QtSignalClose&) = delete;
  QtSignalClose& operator=(const QtSignalClose&) = delete;

  // False when the socket pair or the handlers could not be set up.
  bool IsActive() const { return notifier_ != nullptr; }

 signals:
  void SignalReceived(int signalNumber);

 private:
  void Drain();
  void CloseWindow();

  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace qv

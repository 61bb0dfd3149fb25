#include "app/QtSignalClose.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <csignal>

namespace {

class CountingWindow : public QWidget {
 public:
  int closes = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closes;
    QWidget::closeEvent(event);
  }
};

void ProcessEventsUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(QtSignalCloseTest, TerminationSignalsCloseTheWindowOnTheEventLoop) {
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
    CountingWindow window;
    window.show();
    qv::QtSignalClose signalClose(window);
    ASSERT_TRUE(signalClose.IsActive());
    int received = 0;
    QObject::connect(&signalClose, &qv::QtSignalClose::SignalReceived,
                     [&](int number) { received = number; });
    std::raise(signalNumber);
    // Nothing happens inside the handler itself.
    EXPECT_EQ(window.closes, 0);
    ProcessEventsUntil([&] { return window.closes > 0; });
    EXPECT_EQ(window.closes, 1) << signalNumber;
    EXPECT_EQ(received, signalNumber);
    EXPECT_FALSE(window.isVisible());
  }
}

TEST(QtSignalCloseTest, OpenModalDialogIsClosedBeforeTheWindow) {
  CountingWindow window;
  window.show();
  qv::QtSignalClose signalClose(window);
  QDialog dialog(&window);
  int dialogResult = -1;
  int closesWhenDialogEnded = -1;
  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  dialogResult = dialog.exec();
  closesWhenDialogEnded = window.closes;
  ProcessEventsUntil([&] { return window.closes > 0; });
  EXPECT_EQ(dialogResult, QDialog::Rejected);
  EXPECT_EQ(closesWhenDialogEnded, 0);
  EXPECT_EQ(window.closes, 1);
}

TEST(QtSignalCloseTest, PreviousHandlersReturnWhenItGoes) {
  struct sigaction before {};
  sigaction(SIGTERM, nullptr, &before);
  {
    QWidget window;
    qv::QtSignalClose signalClose(window);
    struct sigaction during {};
    sigaction(SIGTERM, nullptr, &during);
    EXPECT_NE(during.sa_handler, before.sa_handler);
  }
  struct sigaction after {};
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace

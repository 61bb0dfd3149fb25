#pragma once

// The one QApplication of a benchmark program that makes widgets, on the
// offscreen platform unless the environment names another.
#include <QApplication>

namespace qvbench {

inline QApplication& BenchApplication() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

}  // namespace qvbench

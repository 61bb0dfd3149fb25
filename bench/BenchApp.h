#pragma once

// The one QApplication of a benchmark program that measures windows, on the
// offscreen platform unless another is asked for.
#include <QApplication>

namespace qvbench {

inline QApplication& App(const char* programName) {
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(programName), nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

}  // namespace qvbench

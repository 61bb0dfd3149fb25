#include "map/QtMapImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImageWriter>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "data/AtomicFile.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"

namespace qv {

QImage RenderMapImage(const TMapDrawContext& context, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  {
    QtCanvas canvas(image);
    DrawMap(context, canvas, width, height);
  }
  return image;
}

std::string SaveMapBmp(const TMapDrawContext& context, int width, int height,
                       const std::string& path) {
  if (width <= 0 || height <= 0) return "The map has no size to draw";
  const QImage image = RenderMapImage(context, width, height);
  if (image.isNull()) return "Memory allocation error";
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) return "Memory allocation error";
  // Encoded in memory and put in place like every other file the program
  // writes, so that a failed export never leaves half an image.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "BMP");
  if (!writer.write(rgb)) {
    return "Cannot write file " + path + ": " + writer.errorString().toStdString();
  }
  try {
    ReplaceFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

QtHeadlessGui::QtHeadlessGui() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The application keeps references to these for its whole life.
  static int argc = 1;
  static char name[] = "qvmap";
  static char* argv[] = {name, nullptr};
  // A tool without a window keeps stderr for its own failures: the
  // platform's start-up notes (runtime folder, fonts) are not errors.
  previousHandler_ =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
          std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
      });
  app_ = std::make_unique<QGuiApplication>(argc, argv);
}

QtHeadlessGui::~QtHeadlessGui() {
  if (app_ == nullptr) return;
  app_.reset();
  qInstallMessageHandler(previousHandler_);
}

}  // namespace qv

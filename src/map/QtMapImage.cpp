#include "map/QtMapImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "map/BmpFile.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtMapBands.h"
#include "map/QtMapRows.h"

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
                       const std::string& path, const MapExportProgress& progress) {
  return WriteMapRows<BmpFileWriter>(context, width, height, path, MapBandOrder::BottomUp,
                                     progress);
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

#include "map/QtMapImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "map/BmpFile.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtTextCache.h"
#include "map/SectorDrawList.h"

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
  if (width <= 0 || height <= 0) return "The map has no size to draw";
  // One band of at most 32 MB, reused from the bottom of the map to the top.
  constexpr long long kBandBytes = 32LL << 20;
  constexpr long long kMostBandRows = 256;
  const int bandRows =
      static_cast<int>(std::clamp<long long>(kBandBytes / (4LL * width), 1, kMostBandRows));
  // The sectors are read once for all bands.
  TSectorDrawList ownSectors;
  TMapDrawContext bands = context;
  if (bands.sectors == nullptr) bands.sectors = &ownSectors;
  QtTextCache texts;
  try {
    BmpFileWriter file(path, width, height);
    QImage band(width, bandRows, QImage::Format_RGB32);
    if (band.isNull()) return "Memory allocation error";
    for (int bottom = height; bottom > 0;) {
      const int top = std::max(0, bottom - bandRows);
      const int rows = bottom - top;
      {
        QPainter painter(&band);
        painter.translate(0, -top);
        painter.setClipRect(0, top, width, rows);
        QtCanvas canvas(painter, &texts);
        DrawMapPart(bands, canvas, width, height, MakeERect(0, top, width, rows));
      }
      // A BMP file keeps its rows bottom-up.
      for (int y = rows - 1; y >= 0; --y)
        file.AppendRow(reinterpret_cast<const std::uint32_t*>(band.constScanLine(y)));
      bottom = top;
      if (progress && !progress(height - bottom, height)) {
        file.Abort();
        return {};
      }
    }
    file.Commit();
  } catch (const std::bad_alloc&) {
    return "Memory allocation error";
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

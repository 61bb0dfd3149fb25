#include "map/QtMapExport.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdint>
#include <exception>
#include <new>
#include <string_view>

#include "data/AtomicFile.h"
#include "map/MapRenderer.h"
#include "map/PngFile.h"
#include "map/QtCanvas.h"
#include "map/QtMapBands.h"
#include "map/QtMapRows.h"

namespace qv {

std::string SaveMapPng(const TMapDrawContext& context, int width, int height,
                       const std::string& path, const MapExportProgress& progress) {
  return WriteMapRows<PngFileWriter>(context, width, height, path, MapBandOrder::TopDown, progress);
}

std::string SaveMapSvg(const TMapDrawContext& context, int width, int height,
                       const std::string& path, const MapExportProgress& progress) {
  if (width <= 0 || height <= 0) return "The map has no size to draw";
  try {
    // Staged first, so that a file that cannot be written is told before
    // the drawing.
    StagedFile file(path);
    QByteArray drawing;
    {
      QBuffer buffer(&drawing);
      buffer.open(QIODevice::WriteOnly);
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(QSize(width, height));
      svg.setViewBox(QRect(0, 0, width, height));
      // One pixel of the map is one pixel of a browser, at 96 per inch.
      svg.setResolution(96);
      svg.setTitle("QVMap");
      svg.setDescription("The universe map");
      QPainter painter;
      if (!painter.begin(&svg)) return "Memory allocation error";
      {
        QtCanvas canvas(painter);
        DrawMap(context, canvas, width, height);
      }
      painter.end();
    }
    if (progress && !progress(height, height)) return {};
    file.Append(std::string_view(drawing.constData(), static_cast<std::size_t>(drawing.size())));
    file.Commit();
  } catch (const std::bad_alloc&) {
    return "Memory allocation error";
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

std::string SaveMapImage(const TMapDrawContext& context, int width, int height,
                         const std::string& path, MapImageFormat format,
                         const MapExportProgress& progress) {
  switch (format) {
    case MapImageFormat::Png:
      return SaveMapPng(context, width, height, path, progress);
    case MapImageFormat::Svg:
      return SaveMapSvg(context, width, height, path, progress);
    case MapImageFormat::Bmp:
      break;
  }
  return SaveMapBmp(context, width, height, path, progress);
}

}  // namespace qv

#pragma once

#include <QImage>
#include <cstdint>
#include <exception>
#include <new>
#include <string>

#include "map/QtMapBands.h"
#include "map/QtMapImage.h"

namespace qv {

// Draws the map band by band into a file writer that takes one row of pixels
// at a time (BmpFileWriter, PngFileWriter: made from the path and the size,
// with AppendRow, Commit and Abort), in the order its file keeps the rows.
// The file is put in place only when every row is drawn; a failure or a
// cancel leaves the old file as it was. Returns the empty text on success or
// cancel, else why not.
template <class RowWriter>
std::string WriteMapRows(const TMapDrawContext& context, int width, int height,
                         const std::string& path, MapBandOrder order,
                         const MapExportProgress& progress) {
  if (width <= 0 || height <= 0) return "The map has no size to draw";
  try {
    RowWriter file(path, width, height);
    const bool bottomUp = order == MapBandOrder::BottomUp;
    bool cancelled = false;
    const std::string error =
        DrawMapBands(context, width, height, order, [&](const QImage& band, int top, int rows) {
          for (int i = 0; i < rows; ++i) {
            const int y = bottomUp ? rows - 1 - i : i;
            file.AppendRow(reinterpret_cast<const std::uint32_t*>(band.constScanLine(y)));
          }
          cancelled = progress && !progress(bottomUp ? height - top : top + rows, height);
          return !cancelled;
        });
    if (!error.empty() || cancelled) {
      file.Abort();
      return error;
    }
    file.Commit();
  } catch (const std::bad_alloc&) {
    return "Memory allocation error";
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

}  // namespace qv

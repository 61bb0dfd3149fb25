#pragma once

#include <string>

#include "map/MapImageFormat.h"
#include "map/QtMapImage.h"

namespace qv {

struct TMapDrawContext;

// Draws the map in bands from the top down and writes each band's rows
// straight into an 8-bit RGB PNG file at `path`: memory holds one band, as
// for the BMP file, and the pixels are those of SaveMapBmp. The file is put
// in place only when complete. Returns the empty text when it was written or
// when `progress` cancelled the export (the file at `path` is then as it
// was), else why it failed.
std::string SaveMapPng(const TMapDrawContext& context, int width, int height,
                       const std::string& path, const MapExportProgress& progress = {});

// The map as an SVG drawing of `width` x `height` pixels: the same
// rectangles, ellipses and lines as vectors and the names and numbers as
// text, so that it scales and can be searched. Drawn in one pass (the order
// of the shapes is their order on top of one another); `progress` is told
// once the drawing is done and may still cancel before anything is written.
// Returns as SaveMapPng.
std::string SaveMapSvg(const TMapDrawContext& context, int width, int height,
                       const std::string& path, const MapExportProgress& progress = {});

// The map saved in `format` at `path` (SaveMapBmp, SaveMapPng or SaveMapSvg).
std::string SaveMapImage(const TMapDrawContext& context, int width, int height,
                         const std::string& path, MapImageFormat format,
                         const MapExportProgress& progress = {});

}  // namespace qv

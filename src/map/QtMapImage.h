#pragma once

#include <QImage>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <string>

class QGuiApplication;

namespace qv {

struct TMapDrawContext;

// The whole map drawn onto an image of the surface's size (Format_RGB32),
// without a selection marker. A null image when it cannot be made.
QImage RenderMapImage(const TMapDrawContext& context, int width, int height);

// Told after each band of a long export: rows written so far, of all.
// Returning false cancels the export.
using MapExportProgress = std::function<bool(int rowsDone, int rowsTotal)>;

// Draws the map in horizontal bands of a few hundred rows, from the bottom up,
// and writes each band's rows straight into a 24-bit BMP file at `path`, so
// that memory holds one band whatever the size of the map; the pixels are
// those of RenderMapImage. The file is put in place only when complete.
// Returns the empty text when it was written or when `progress` cancelled
// the export (the file at `path` is then as it was), else why it failed.
std::string SaveMapBmp(const TMapDrawContext& context, int width, int height,
                       const std::string& path, const MapExportProgress& progress = {});

// Makes sure a QGuiApplication exists while it lives: fonts and images need
// one. A program without a window makes it on the offscreen platform unless
// QT_QPA_PLATFORM names another.
class QtHeadlessGui {
 public:
  QtHeadlessGui();
  ~QtHeadlessGui();
  QtHeadlessGui(const QtHeadlessGui&) = delete;
  QtHeadlessGui& operator=(const QtHeadlessGui&) = delete;

 private:
  std::unique_ptr<QGuiApplication> app_;
  QtMessageHandler previousHandler_ = nullptr;
};

}  // namespace qv

#pragma once

#include <QImage>
#include <QtGlobal>
#include <memory>
#include <string>

class QGuiApplication;

namespace qv {

struct TMapDrawContext;

// The whole map drawn onto an image of the surface's size (Format_RGB32),
// without a selection marker. A null image when it cannot be made.
QImage RenderMapImage(const TMapDrawContext& context, int width, int height);

// Draws the map and writes it to `path` as a 24-bit BMP. Returns the empty
// text on success, else why it failed.
std::string SaveMapBmp(const TMapDrawContext& context, int width, int height,
                       const std::string& path);

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

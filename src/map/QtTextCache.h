#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QStaticText>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv {

// One font of the map with what has been laid out in it: the metrics and, for
// every text asked for, its width and its shaped glyphs. Shaping a text costs
// far more than drawing its glyphs, and a map writes the same few thousand
// names on every repaint: each text is laid out once, the first time it is
// measured or drawn, and its width taken from that layout.
class QtFontTexts {
 public:
  explicit QtFontTexts(const QFont& font);

  const QFont& Font() const { return font_; }
  int Height() const { return height_; }
  int Ascent() const { return ascent_; }
  // What QFontMetrics::horizontalAdvance gives.
  int Width(const std::string& text);
  // Draws the text with the top-left corner of its box at `topLeft`, pixel
  // for pixel as QPainter::drawText would, in the painter's pen colour.
  void Draw(QPainter& painter, const QPointF& topLeft, const std::string& text);

 private:
  struct Text {
    int width = 0;
    QList<QGlyphRun> glyphs;
    // A text that breaks into several lines keeps the way it was always drawn.
    std::optional<QStaticText> lines;
  };
  // Beyond this many texts the entry starts afresh, so that a long session
  // showing ever new numbers does not grow without end.
  static constexpr size_t kMaxTexts = 100000;

  QFont font_;
  QFontMetrics metrics_;
  int height_;
  int ascent_;
  std::unordered_map<std::string, Text> texts_;

  Text& Find(const std::string& text);
};

// The fonts a canvas has used, kept by their face, style and pixel size. A
// window keeps one across its repaints and hands it to each canvas it makes;
// a canvas made without one keeps its own for its life.
class QtTextCache {
 public:
  // The entry for a font of `pixelSize` pixels; it lives as long as the cache.
  QtFontTexts& Font(const std::string& name, unsigned style, int pixelSize);

 private:
  struct Key {
    std::string name;
    unsigned style;
    int pixelSize;
    bool operator==(const Key&) const = default;
  };
  std::vector<std::pair<Key, std::unique_ptr<QtFontTexts>>> fonts_;
};

}  // namespace qv

#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv {

// One font of the map with what has been measured and laid out in it: the
// metrics, the width of every text asked for and, for texts that were drawn,
// their shaped glyphs. Shaping a text costs far more than drawing its glyphs,
// and a map writes the same few thousand names on every repaint.
class QtFontTexts {
 public:
  explicit QtFontTexts(const QFont& font);

  const QFont& Font() const { return font_; }
  int Height() const { return height_; }
  int Ascent() const { return ascent_; }
  // What QFontMetrics::horizontalAdvance gives, measured once per text.
  int Width(const std::string& text);
  // The text shaped as QPainter::drawText would shape it.
  const QStaticText& Shaped(const std::string& text);

 private:
  struct Text {
    int width = 0;
    std::optional<QStaticText> shaped;
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

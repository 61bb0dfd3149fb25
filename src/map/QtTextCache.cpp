#include "map/QtTextCache.h"

#include <QString>

#include "settings/FontParams.h"
#include "settings/QtFonts.h"

namespace qv {

QtFontTexts::QtFontTexts(const QFont& font)
    : font_(font), metrics_(font), height_(metrics_.height()), ascent_(metrics_.ascent()) {}

QtFontTexts::Text& QtFontTexts::Find(const std::string& text) {
  auto found = texts_.find(text);
  if (found != texts_.end()) return found->second;
  if (texts_.size() >= kMaxTexts) texts_.clear();
  Text entry;
  entry.width = metrics_.horizontalAdvance(QString::fromStdString(text));
  return texts_.emplace(text, std::move(entry)).first->second;
}

int QtFontTexts::Width(const std::string& text) {
  return Find(text).width;
}

const QStaticText& QtFontTexts::Shaped(const std::string& text) {
  Text& entry = Find(text);
  if (!entry.shaped) {
    QStaticText shaped(QString::fromStdString(text));
    shaped.setTextFormat(Qt::PlainText);
    shaped.setPerformanceHint(QStaticText::ModerateCaching);
    // Laid out now, for this font, so that drawing only places the glyphs.
    shaped.prepare(QTransform(), font_);
    entry.shaped = std::move(shaped);
  }
  return *entry.shaped;
}

QtFontTexts& QtTextCache::Font(const std::string& name, unsigned style, int pixelSize) {
  // A map uses a handful of fonts: a short list is enough.
  for (const auto& [key, entry] : fonts_) {
    if (key.pixelSize == pixelSize && key.style == style && key.name == name) return *entry;
  }
  TFontParams params;
  params.Name = name;
  params.Style = style;
  QFont font = ToQFont(params, 1.0);
  font.setPixelSize(pixelSize);
  fonts_.emplace_back(Key{name, style, pixelSize}, std::make_unique<QtFontTexts>(font));
  return *fonts_.back().second;
}

}  // namespace qv

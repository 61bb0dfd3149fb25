#include "map/QtTextCache.h"

#include <QString>
#include <QTextLayout>
#include <limits>

#include "settings/FontParams.h"
#include "settings/QtFonts.h"

namespace qv {

QtFontTexts::QtFontTexts(const QFont& font)
    : font_(font), metrics_(font), height_(metrics_.height()), ascent_(metrics_.ascent()) {}

QtFontTexts::Text& QtFontTexts::Find(const std::string& text) {
  auto found = texts_.find(text);
  if (found != texts_.end()) return found->second;
  if (texts_.size() >= kMaxTexts) texts_.clear();
  const QString string = QString::fromStdString(text);
  Text entry;
  // Laid out as one unbounded line, as drawText lays out a text without
  // breaks; the line's advance is what horizontalAdvance gives.
  QTextLayout layout(string, font_);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
    line.setLineWidth(std::numeric_limits<qreal>::max());  // held to the largest width
  layout.endLayout();
  if (layout.lineCount() <= 1) {
    entry.width = layout.lineCount() == 0 ? 0 : qRound(layout.lineAt(0).horizontalAdvance());
    entry.glyphs = layout.glyphRuns();
  } else {
    entry.width = metrics_.horizontalAdvance(string);
    QStaticText lines(string);
    lines.setTextFormat(Qt::PlainText);
    lines.prepare(QTransform(), font_);
    entry.lines = std::move(lines);
  }
  return texts_.emplace(text, std::move(entry)).first->second;
}

int QtFontTexts::Width(const std::string& text) {
  return Find(text).width;
}

void QtFontTexts::Draw(QPainter& painter, const QPointF& topLeft, const std::string& text) {
  const Text& entry = Find(text);
  if (entry.lines) {
    painter.drawStaticText(topLeft, *entry.lines);
    return;
  }
  for (const QGlyphRun& run : entry.glyphs)
    painter.drawGlyphRun(topLeft, run);
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

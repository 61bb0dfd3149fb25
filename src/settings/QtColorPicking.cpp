#include "settings/QtColorPicking.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <string>
#include <vector>

#include "settings/Dialogs.h"
#include "settings/QtColors.h"

namespace qv {

namespace {

// The outline of the pixels from (left, top) up to but not including (right,
// bottom) in a one-pixel pen, filled inside when a fill colour is given.
void Outline(QPainter& painter, int left, int top, int right, int bottom, TColor pen,
             const TColor* fill) {
  QPen line(ToQColor(pen));
  line.setWidth(1);
  line.setCosmetic(true);
  line.setJoinStyle(Qt::MiterJoin);
  painter.setPen(line);
  if (fill)
    painter.setBrush(ToQColor(*fill));
  else
    painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

}  // namespace

void MakeColorGlyph(QAbstractButton& button, int width, int height, TColor color) {
  if (!button.text().isEmpty()) button.setText(QString());
  if (width < 1 || height < 1) return;

  // Both images side by side on the button face: the swatch on the left, the
  // disabled outline (a highlight line under a shadow line, as an engraved
  // shape looks) on the right.
  QPixmap glyph(2 * width + 2, height + 1);
  glyph.fill(ToQColor(kSystemButtonFaceColor));
  {
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing, false);
    Outline(painter, 1, 0, width, height, kSystemButtonTextColor, &color);
    Outline(painter, width + 3, 1, 2 * width + 2, height + 1, kSystemHighlightColor, nullptr);
    Outline(painter, width + 2, 0, 2 * width + 1, height, kSystemShadowColor, nullptr);
  }

  const QSize size(width + 1, height + 1);
  QIcon icon;
  icon.addPixmap(glyph.copy(QRect(QPoint(0, 0), size)), QIcon::Normal);
  icon.addPixmap(glyph.copy(QRect(QPoint(width + 1, 0), size)), QIcon::Disabled);
  button.setIcon(icon);
  button.setIconSize(size);
}

bool PickColor(Dialogs& dialogs, QAbstractButton& button, TColor& color,
               CustomColorList& customColors) {
  std::vector<std::string> given;
  for (const std::string& entry : customColors)
    if (!entry.empty()) given.push_back(entry);

  const TColor chosen = dialogs.AskColor(color, given);
  if (chosen == color) return false;

  color = chosen;
  MakeColorGlyph(button, 30, 12, color);
  customColors.fill(std::string());
  for (std::size_t i = 0; i < given.size() && i < customColors.size(); ++i)
    customColors[i] = given[i];
  return true;
}

bool EditFont(TFontParams& font, Dialogs& dialogs, bool showEffects,
              CustomColorList& customColors) {
  TFontParams chosen = font;
  if (!dialogs.AskFont(chosen, showEffects, customColors)) return false;
  font = chosen;
  return true;
}

}  // namespace qv

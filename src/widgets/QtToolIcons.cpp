#include "widgets/QtToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace qv {

namespace {

// The palette of the pictograms.
const QColor kInk(0x2b, 0x3a, 0x55);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kGreen(0x3a, 0x9d, 0x5d);
const QColor kRed(0xd1, 0x49, 0x5b);
const QColor kBlue(0x3d, 0x7e, 0xc9);
const QColor kYellow(0xf2, 0xb7, 0x05);
const QColor kTeal(0x2a, 0x9d, 0x8f);
const QColor kOrange(0xe7, 0x6f, 0x51);
const QColor kGrey(0x9a, 0xa5, 0xb1);

constexpr double kLine = 1.6;

QPen InkPen(double width = kLine, const QColor& color = kInk) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// The sector square that most pictograms stand on.
void SectorSquare(QPainter& p, const QRectF& r, const QColor& fill = kPaper) {
  p.setPen(InkPen());
  p.setBrush(fill);
  p.drawRoundedRect(r, 1.5, 1.5);
}

// A small round badge with a symbol, bottom right.
void Badge(QPainter& p, const QColor& color, const std::function<void(QPainter&)>& symbol) {
  const QRectF circle(13, 13, 10, 10);
  p.setPen(InkPen(1.2, kPaper));
  p.setBrush(color);
  p.drawEllipse(circle);
  p.setPen(InkPen(1.8, kPaper));
  symbol(p);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& color) {
  QFont font("Sans Serif");
  font.setBold(true);
  font.setPixelSize(static_cast<int>(r.height() * 0.8));
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

// A factory hall with its chimney, `scale` of the full pictogram from the top left.
void FactoryHall(QPainter& p, double scale) {
  p.save();
  p.scale(scale, scale);
  p.setPen(InkPen(kLine / scale));
  p.setBrush(kGrey);
  p.drawRect(QRectF(16, 3, 4, 8));  // chimney
  p.setBrush(kPaper);
  p.drawPolygon(QPolygonF({QPointF(2, 21), QPointF(2, 11), QPointF(8, 7), QPointF(8, 11),
                           QPointF(14, 7), QPointF(14, 11), QPointF(22, 11), QPointF(22, 21)}));
  p.setPen(Qt::NoPen);
  p.setBrush(kTeal);
  for (double x : {5.0, 10.5, 16.0})
    p.drawRect(QRectF(x, 14, 3.5, 3.5));
  p.restore();
}

void PlusBadge(QPainter& p) {
  Badge(p, kGreen, [](QPainter& q) {
    q.drawLine(QPointF(18, 15.5), QPointF(18, 20.5));
    q.drawLine(QPointF(15.5, 18), QPointF(20.5, 18));
  });
}

void CrossBadge(QPainter& p) {
  Badge(p, kRed, [](QPainter& q) {
    q.drawLine(QPointF(16, 16), QPointF(20, 20));
    q.drawLine(QPointF(20, 16), QPointF(16, 20));
  });
}

void DrawBars(QPainter& p, double left, double bottom, double width,
              std::initializer_list<std::pair<double, QColor>> bars) {
  double x = left;
  p.setPen(Qt::NoPen);
  for (const auto& [height, color] : bars) {
    p.setBrush(color);
    p.drawRect(QRectF(x, bottom - height, width, height));
    x += width + 1;
  }
}

// A sheet of table rows, for the pictograms of lists.
void RowSheet(QPainter& p) {
  SectorSquare(p, QRectF(2, 2, 15, 18));
  p.setPen(InkPen(1.4, kGrey));
  for (double y : {6.0, 10.0, 14.0})
    p.drawLine(QPointF(5, y), QPointF(14, y));
}

// A window split in two panels, the first one (top or left) filled.
void Panels(QPainter& p, bool stacked) {
  const QRectF frame(2.5, 3.5, 19, 17);
  p.setPen(Qt::NoPen);
  p.setBrush(kTeal);
  p.drawRect(stacked ? QRectF(2.5, 3.5, 19, 8.5) : QRectF(2.5, 3.5, 9.5, 17));
  p.setPen(InkPen());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(frame, 1.5, 1.5);
  if (stacked)
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
  else
    p.drawLine(QPointF(12, 3.5), QPointF(12, 20.5));
}

void Draw(QPainter& p, ToolIcon icon) {
  switch (icon) {
    case ToolIcon::AddSector:
      SectorSquare(p, QRectF(2, 2, 15, 15));
      PlusBadge(p);
      break;
    case ToolIcon::DeleteSector:
      SectorSquare(p, QRectF(2, 2, 15, 15));
      CrossBadge(p);
      break;
    case ToolIcon::AddFactory:
      FactoryHall(p, 0.75);
      PlusBadge(p);
      break;
    case ToolIcon::DeleteFactory:
      FactoryHall(p, 0.75);
      CrossBadge(p);
      break;
    case ToolIcon::ClearFactories:
      // The whole list, struck out.
      RowSheet(p);
      CrossBadge(p);
      break;
    case ToolIcon::SectorProperties:
      SectorSquare(p, QRectF(3, 2, 15, 19));
      p.setPen(InkPen(1.4, kGrey));
      for (double y : {7.0, 11.0, 15.0})
        p.drawLine(QPointF(6, y), QPointF(15, y));
      // A pencil over the sheet.
      p.setPen(InkPen(1.2));
      p.setBrush(kYellow);
      p.drawPolygon(QPolygonF({QPointF(13, 20), QPointF(21, 12), QPointF(23, 14), QPointF(15, 22),
                               QPointF(12.5, 22.5)}));
      break;
    case ToolIcon::ObjectsInSector:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      p.setPen(InkPen(1.3));
      p.setBrush(kTeal);
      p.drawEllipse(QRectF(5, 5, 6, 6));
      p.setBrush(kOrange);
      p.drawRect(QRectF(13, 5, 6, 6));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(12, 13), QPointF(16, 19.5), QPointF(8, 19.5)}));
      break;
    case ToolIcon::FactoryTypes:
      FactoryHall(p, 1.0);
      break;
    case ToolIcon::ProductTypes: {
      // A crate seen from the corner.
      p.setPen(InkPen());
      p.setBrush(kOrange.lighter(125));
      p.drawPolygon(
          QPolygonF({QPointF(12, 3), QPointF(21, 7.5), QPointF(12, 12), QPointF(3, 7.5)}));
      p.setBrush(kOrange);
      p.drawPolygon(
          QPolygonF({QPointF(3, 7.5), QPointF(12, 12), QPointF(12, 21.5), QPointF(3, 17)}));
      p.setBrush(kOrange.darker(120));
      p.drawPolygon(
          QPolygonF({QPointF(12, 12), QPointF(21, 7.5), QPointF(21, 17), QPointF(12, 21.5)}));
      break;
    }
    case ToolIcon::CalculateStatistics:
      p.setPen(InkPen());
      p.drawLine(QPointF(3, 3), QPointF(3, 21));
      p.drawLine(QPointF(3, 21), QPointF(21, 21));
      DrawBars(p, 6, 20, 4, {{8, kRed}, {14, kGreen}, {5, kBlue}});
      Badge(p, kInk, [](QPainter& q) {
        q.drawLine(QPointF(15.5, 16.5), QPointF(20.5, 16.5));
        q.drawLine(QPointF(15.5, 19.5), QPointF(20.5, 19.5));
      });
      break;
    case ToolIcon::ShowStatistics:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      DrawBars(p, 7, 21, 4, {{10, kRed}, {16, kGreen}});
      break;
    case ToolIcon::ProductsInSector:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      p.setPen(Qt::NoPen);
      for (int row = 0; row < 3; ++row) {
        const double y = 6 + row * 5;
        p.setBrush(row == 0 ? kRed : row == 1 ? kGreen : kBlue);
        p.drawRect(QRectF(5, y, 3, 3));
        p.setBrush(kGrey);
        p.drawRect(QRectF(10, y + 0.5, 9, 2));
      }
      break;
    case ToolIcon::Legend:
      p.setPen(InkPen());
      p.setBrush(kPaper);
      p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
      p.setPen(InkPen(1.0));
      for (int row = 0; row < 3; ++row) {
        const double y = 5.5 + row * 5;
        p.setBrush(row == 0 ? kGreen : row == 1 ? kBlue : kYellow);
        p.drawRect(QRectF(5, y, 4, 4));
      }
      p.setPen(InkPen(1.4, kGrey));
      for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(11.5, 7.5 + row * 5), QPointF(18.5, 7.5 + row * 5));
      break;
    case ToolIcon::ShowRaces:
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawRect(QRectF(3, 3, 9, 9));
      p.setBrush(kBlue);
      p.drawRect(QRectF(12, 3, 9, 9));
      p.setBrush(kYellow);
      p.drawRect(QRectF(3, 12, 9, 9));
      p.setBrush(kRed);
      p.drawRect(QRectF(12, 12, 9, 9));
      p.setPen(InkPen());
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
      break;
    case ToolIcon::ShowSuns: {
      p.setPen(InkPen(1.8, kOrange));
      for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * M_PI / 4;
        p.drawLine(QPointF(12 + 7 * std::cos(angle), 12 + 7 * std::sin(angle)),
                   QPointF(12 + 10 * std::cos(angle), 12 + 10 * std::sin(angle)));
      }
      p.setPen(InkPen(1.2, kOrange));
      p.setBrush(kYellow);
      p.drawEllipse(QPointF(12, 12), 5, 5);
      break;
    }
    case ToolIcon::ShowDocks:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      Letter(p, QRectF(2, 3, 20, 19), "D", kTeal);
      break;
    case ToolIcon::ShowShipyards:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      Letter(p, QRectF(2, 3, 20, 19), "Y", kBlue);
      break;
    case ToolIcon::ShowPirateBases:
      SectorSquare(p, QRectF(2, 2, 20, 20));
      Letter(p, QRectF(2, 3, 20, 19), "P", kRed);
      break;
    case ToolIcon::ShowInvisibleSectors: {
      QPen dashed = InkPen(1.4);
      dashed.setStyle(Qt::DashLine);
      p.setPen(dashed);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(2.5, 2.5, 19, 19));
      // An eye in the middle.
      QPainterPath eye;
      eye.moveTo(5, 12);
      eye.quadTo(12, 4.5, 19, 12);
      eye.quadTo(12, 19.5, 5, 12);
      p.setPen(InkPen(1.4));
      p.setBrush(kPaper);
      p.drawPath(eye);
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      p.drawEllipse(QPointF(12, 12), 2.6, 2.6);
      break;
    }
    case ToolIcon::AddRow:
      RowSheet(p);
      PlusBadge(p);
      break;
    case ToolIcon::DeleteRow:
      // A minus: the clear-list pictogram has the cross.
      RowSheet(p);
      Badge(p, kRed, [](QPainter& q) { q.drawLine(QPointF(15.5, 18), QPointF(20.5, 18)); });
      break;
    case ToolIcon::PanelsStacked:
      Panels(p, true);
      break;
    case ToolIcon::PanelsSideBySide:
      Panels(p, false);
      break;
  }
}

QPixmap Render(ToolIcon icon, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(size / 24.0, size / 24.0);
  Draw(painter, icon);
  return pixmap;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon icon) {
  QIcon result;
  for (int size : {16, 24, 32, 48})
    result.addPixmap(Render(icon, size));
  return result;
}

}  // namespace qv

#include "map/QtCanvas.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "map/QtTextCache.h"
#include "settings/QtColors.h"
#include "settings/QtFonts.h"

namespace {

using qv::BrushStyle;
using qv::PenStyle;
using qv::QtCanvas;

constexpr qv::TColor kBlack = 0x000000;
constexpr qv::TColor kRed = 0x0000FF;
constexpr qv::TColor kLime = 0x00FF00;

class QtCanvasTest : public ::testing::Test {
 protected:
  QImage image_{60, 60, QImage::Format_RGB32};
  void SetUp() override { image_.fill(Qt::white); }
  QRgb At(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFF; }
  static constexpr QRgb kWhitePixel = 0xFFFFFF;
  static constexpr QRgb kBlackPixel = 0x000000;
  static constexpr QRgb kRedPixel = 0xFF0000;
  static constexpr QRgb kLimePixel = 0x00FF00;
};

TEST_F(QtCanvasTest, FillRectCoversLeftTopButNotRightBottom) {
  {
    QtCanvas canvas(image_);
    canvas.SetBrush(BrushStyle::Solid, kRed);
    canvas.FillRect(2, 3, 6, 8);
    canvas.SetBrush(BrushStyle::Clear, kLime);
    canvas.FillRect(20, 20, 30, 30);  // a clear brush fills nothing
  }
  EXPECT_EQ(At(2, 3), kRedPixel);
  EXPECT_EQ(At(5, 7), kRedPixel);
  EXPECT_EQ(At(6, 7), kWhitePixel);
  EXPECT_EQ(At(5, 8), kWhitePixel);
  EXPECT_EQ(At(1, 3), kWhitePixel);
  EXPECT_EQ(At(25, 25), kWhitePixel);
}

TEST_F(QtCanvasTest, RectangleOutlinesWithPenAndFillsInside) {
  {
    QtCanvas canvas(image_);
    canvas.SetPen(PenStyle::Solid, kBlack);
    canvas.SetBrush(BrushStyle::Solid, kLime);
    canvas.Rectangle(10, 10, 20, 16);
    // Corners in the other order draw the same rectangle.
    canvas.Rectangle(40, 36, 30, 30);
  }
  for (const auto& [x, y] : {std::pair{10, 10}, {19, 10}, {10, 15}, {19, 15}, {15, 10}, {10, 13}})
    EXPECT_EQ(At(x, y), kBlackPixel) << x << "," << y;
  EXPECT_EQ(At(11, 11), kLimePixel);
  EXPECT_EQ(At(18, 14), kLimePixel);
  EXPECT_EQ(At(20, 12), kWhitePixel);
  EXPECT_EQ(At(12, 16), kWhitePixel);
  EXPECT_EQ(At(30, 30), kBlackPixel);
  EXPECT_EQ(At(39, 35), kBlackPixel);
  EXPECT_EQ(At(35, 33), kLimePixel);
  EXPECT_EQ(At(40, 35), kWhitePixel);
}

TEST_F(QtCanvasTest, RectangleWithoutPenFillsOnePixelLess) {
  {
    QtCanvas canvas(image_);
    canvas.SetPen(PenStyle::Clear, kBlack);
    canvas.SetBrush(BrushStyle::Solid, kRed);
    canvas.Rectangle(10, 10, 20, 16);
    // A bar drawn upwards from its base line, as the map draws vertical bars.
    canvas.Rectangle(30, 50, 34, 40);
  }
  EXPECT_EQ(At(10, 10), kRedPixel);
  EXPECT_EQ(At(18, 14), kRedPixel);
  EXPECT_EQ(At(19, 14), kWhitePixel);
  EXPECT_EQ(At(18, 15), kWhitePixel);
  EXPECT_EQ(At(30, 40), kRedPixel);
  EXPECT_EQ(At(32, 48), kRedPixel);
  EXPECT_EQ(At(32, 49), kWhitePixel);
  EXPECT_EQ(At(33, 45), kWhitePixel);
}

TEST_F(QtCanvasTest, ClearBrushRectangleAndEllipseLeaveInsideUntouched) {
  {
    QtCanvas canvas(image_);
    canvas.SetPen(PenStyle::Solid, kBlack);
    canvas.SetBrush(BrushStyle::Clear, kRed);
    canvas.Rectangle(0, 0, 10, 10);
    canvas.Ellipse(20, 20, 31, 31);
  }
  EXPECT_EQ(At(9, 9), kBlackPixel);
  EXPECT_EQ(At(5, 5), kWhitePixel);
  EXPECT_EQ(At(25, 25), kWhitePixel);  // centre of the ellipse
  EXPECT_EQ(At(20, 20), kWhitePixel);  // corner of its bounds
  EXPECT_EQ(At(25, 20), kBlackPixel);  // top, left, right and bottom of the outline
  EXPECT_EQ(At(20, 25), kBlackPixel);
  EXPECT_EQ(At(30, 25), kBlackPixel);
  EXPECT_EQ(At(25, 30), kBlackPixel);
  EXPECT_EQ(At(31, 25), kWhitePixel);
  EXPECT_EQ(At(25, 31), kWhitePixel);
}

TEST_F(QtCanvasTest, LineToLeavesItsEndPointUndrawn) {
  {
    QtCanvas canvas(image_);
    canvas.SetPen(PenStyle::Solid, kBlack);
    canvas.MoveTo(0, 20);
    canvas.LineTo(10, 20);
    canvas.LineTo(10, 30);  // continues from the previous end
    canvas.MoveTo(40, 5);
    canvas.LineTo(45, 10);
    canvas.MoveTo(50, 50);
    canvas.LineTo(45, 50);  // right to left
  }
  EXPECT_EQ(At(0, 20), kBlackPixel);
  EXPECT_EQ(At(9, 20), kBlackPixel);
  EXPECT_EQ(At(10, 20), kBlackPixel);  // start of the second line
  EXPECT_EQ(At(10, 29), kBlackPixel);
  EXPECT_EQ(At(10, 30), kWhitePixel);
  EXPECT_EQ(At(11, 20), kWhitePixel);
  EXPECT_EQ(At(40, 5), kBlackPixel);
  EXPECT_EQ(At(44, 9), kBlackPixel);
  EXPECT_EQ(At(45, 10), kWhitePixel);
  EXPECT_EQ(At(50, 50), kBlackPixel);
  EXPECT_EQ(At(46, 50), kBlackPixel);
  EXPECT_EQ(At(45, 50), kWhitePixel);
}

TEST_F(QtCanvasTest, InvertRectTwiceRestoresThePixels) {
  image_.setPixel(3, 3, qRgb(10, 200, 30));
  const QImage before = image_.copy();
  {
    QtCanvas canvas(image_);
    canvas.InvertRect(0, 0, 5, 5);
  }
  EXPECT_EQ(At(0, 0), kBlackPixel);
  EXPECT_EQ(At(3, 3), static_cast<QRgb>(qRgb(245, 55, 225) & 0xFFFFFF));
  EXPECT_EQ(At(5, 5), kWhitePixel);
  {
    QtCanvas canvas(image_);
    canvas.InvertRect(5, 5, 0, 0);
  }
  EXPECT_EQ(image_, before);
}

TEST_F(QtCanvasTest, TextStaysInItsMeasuredBox) {
  int width = 0;
  int height = 0;
  {
    QtCanvas canvas(image_);
    qv::TFontParams font;
    font.Size = 12;
    canvas.SetFont(font);
    canvas.SetBrush(BrushStyle::Clear, kRed);
    width = canvas.TextWidth("WW");
    height = canvas.TextHeight("WW");
    EXPECT_GT(width, canvas.TextWidth("W"));
    EXPECT_EQ(canvas.TextWidth(""), 0);
    canvas.TextOut(10, 10, "WW");
  }
  ASSERT_GT(height, 0);
  bool inked = false;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      if (At(x, y) == kWhitePixel) continue;
      const bool inside = x >= 10 && x < 10 + width && y >= 10 && y < 10 + height;
      EXPECT_TRUE(inside) << x << "," << y;
      inked = true;
    }
  }
  EXPECT_TRUE(inked);
}

// Texts written by the canvas, shaped once and kept, must look exactly as
// QPainter::drawText writes them at the same place, also when the painter is
// moved and clipped as a repaint of part of the map moves and clips it.
class QtCanvasTextTest : public ::testing::Test {
 protected:
  struct Written {
    qv::TFontParams font;
    int x;
    int y;
    std::string text;
  };

  static std::vector<Written> Samples() {
    qv::TFontParams plain;
    plain.Size = 9;
    qv::TFontParams bold = plain;
    bold.Size = 14;
    bold.Style = qv::kFontBold;
    qv::TFontParams decorated = plain;
    decorated.Size = 11;
    decorated.Style = qv::kFontItalic | qv::kFontUnderline | qv::kFontStrikeOut;
    return {{plain, 3, 2, "Argon Prime"},
            {plain, 117, 40, "Fjord jgq 12"},
            {bold, -6, 60, "Wall of Seven"},
            {bold, 150, 85, "37 / 4.5"},
            {decorated, 20, 100, "Ätna Śrī"},
            {decorated, 190, -4, "Edge"},
            {plain, 40, 130, " "},
            {plain, 60, 125, "Argon Prime"},
            {bold, 120, 110, "12.5 "},  // a statistics number with its blank
            {plain, 5, 70, "Tab\tstop"}};
  }

  // The reference: plain drawText on the baseline, in the font the canvas
  // is documented to use.
  static void DrawPlain(QPainter& painter, const Written& w) {
    QFont font = qv::ToQFont(w.font, 1.0);
    font.setPixelSize(QtCanvas::FontPixelSize(w.font.Size));
    painter.setFont(font);
    painter.setPen(qv::ToQColor(w.font.Color));
    painter.drawText(QPoint(w.x, w.y + QFontMetrics(font).ascent()),
                     QString::fromStdString(w.text));
  }

  static void DrawWithCanvas(QtCanvas& canvas, const Written& w) {
    canvas.SetFont(w.font);
    canvas.SetBrush(BrushStyle::Clear, 0);
    canvas.TextOut(w.x, w.y, w.text);
  }

  static QImage Blank() {
    QImage image(220, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
  }

  // Where two images differ; empty when they are equal.
  static QRect Difference(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
  }

  static void Shift(QPainter& painter) {
    painter.translate(-100, -30);
    painter.setClipRect(105, 35, 80, 90);
  }
};

TEST_F(QtCanvasTextTest, CachedTextsDrawTheSamePixelsAsDrawText) {
  QImage expected = Blank();
  {
    QPainter painter(&expected);
    for (const Written& w : Samples())
      DrawPlain(painter, w);
  }
  qv::QtTextCache texts;
  for (int pass = 0; pass < 2; ++pass) {  // the second pass draws from the cache
    QImage image = Blank();
    {
      QtCanvas canvas(image, &texts);
      for (const Written& w : Samples())
        DrawWithCanvas(canvas, w);
    }
    EXPECT_EQ(Difference(image, expected), QRect()) << "pass " << pass;
  }
  QImage own = Blank();
  {
    QtCanvas canvas(own);
    for (const Written& w : Samples())
      DrawWithCanvas(canvas, w);
  }
  EXPECT_EQ(Difference(own, expected), QRect());
}

TEST_F(QtCanvasTextTest, MovedAndClippedPainterShowsTheSameCutOfEveryText) {
  QImage expected = Blank();
  {
    QPainter painter(&expected);
    Shift(painter);
    for (const Written& w : Samples())
      DrawPlain(painter, w);
  }
  ASSERT_NE(expected, Blank());  // some text reaches the clip
  qv::QtTextCache texts;
  for (int pass = 0; pass < 2; ++pass) {
    QImage image = Blank();
    {
      QPainter painter(&image);
      Shift(painter);
      QtCanvas canvas(painter, &texts);
      for (const Written& w : Samples())
        DrawWithCanvas(canvas, w);
    }
    EXPECT_EQ(Difference(image, expected), QRect()) << "pass " << pass;
  }
}

TEST_F(QtCanvasTextTest, WidthsAndHeightsMatchTheFontMetrics) {
  qv::QtTextCache texts;
  QImage image = Blank();
  QtCanvas canvas(image, &texts);
  std::vector<Written> samples = Samples();
  // A text that breaks into lines where it is laid out still measures as one.
  samples.push_back({samples[0].font, 0, 0, "Two\xE2\x80\xA8lines"});
  for (const Written& w : samples) {
    QFont font = qv::ToQFont(w.font, 1.0);
    font.setPixelSize(QtCanvas::FontPixelSize(w.font.Size));
    const QFontMetrics metrics(font);
    canvas.SetFont(w.font);
    for (int twice = 0; twice < 2; ++twice) {
      EXPECT_EQ(canvas.TextWidth(w.text), metrics.horizontalAdvance(QString::fromStdString(w.text)))
          << w.text;
      EXPECT_EQ(canvas.TextHeight(w.text), metrics.height());
    }
  }
}

TEST(QtColorsTest, PlainAndSystemColours) {
  EXPECT_EQ(qv::ToQColor(kRed), QColor(255, 0, 0));
  EXPECT_EQ(qv::ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(qv::FromQColor(QColor(0x56, 0x34, 0x12)), 0x123456);
  EXPECT_EQ(qv::FromQColor(QColor(1, 2, 3, 0)), 0x030201);

  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(qv::ToQColor(qv::kSystemWindowColor), palette.color(QPalette::Base));
  EXPECT_EQ(qv::ToQColor(qv::kSystemButtonFaceColor), palette.color(QPalette::Button));
  EXPECT_EQ(qv::ToQColor(qv::kSystemButtonTextColor), palette.color(QPalette::ButtonText));
  EXPECT_EQ(qv::ToQColor(qv::kSystemHighlightColor), palette.color(QPalette::Highlight));
  EXPECT_EQ(qv::ToQColor(qv::kSystemShadowColor), palette.color(QPalette::Dark));
  EXPECT_EQ(qv::ToQColor(static_cast<qv::TColor>(0x80000008u)), palette.color(QPalette::Text));
  EXPECT_EQ(qv::ToQColor(static_cast<qv::TColor>(0x800000FFu)), palette.color(QPalette::Window));
}

}  // namespace

#include "map/QtMapImage.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <fstream>

#include "data/DataModule1.h"
#include "economy/RequestData.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"
#include "support/TempDir.h"
#include "support/UniverseRows.h"

namespace {

// Two nameless sectors side by side on a grey background, drawn at 100 %:
// squares at x 40..80 and 180..220, y 40..80.
class QtMapImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::AddSector(*store, {.name = "", .x = 0, .y = 0, .race = "Kessar", .east = true});
    qvtest::AddSector(*store, {.name = "", .x = 1, .y = 0, .race = "Zhurr"});
    map.ShowRaces = true;
    map.BackgroundColor = 0x808080;
    geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  }

  QImage SaveAndReload() {
    const std::string path = dir.File("map.bmp");
    const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells};
    const std::string error =
        qv::SaveMapBmp(context, geometry.SurfaceWidth(), geometry.SurfaceHeight(), path);
    EXPECT_EQ(error, "");
    std::ifstream file(path, std::ios::binary);
    char header[30] = {};
    file.read(header, sizeof header);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24u);  // bits per pixel
    return QImage(QString::fromStdString(path), "BMP");
  }

  static QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

  qvtest::TempDir dir;
  qvtest::EmptyStore store;
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
};

TEST_F(QtMapImageTest, BmpShowsBackgroundSquaresGatesAndRaceColours) {
  const QImage image = SaveAndReload();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 260);  // 180 + 40 + 40
  EXPECT_EQ(image.height(), 120);
  EXPECT_EQ(image.pixel(5, 5), Rgb(128, 128, 128));
  EXPECT_EQ(image.pixel(40, 40), Rgb(0, 0, 0));  // outline
  EXPECT_EQ(image.pixel(79, 79), Rgb(0, 0, 0));
  EXPECT_EQ(image.pixel(80, 80), Rgb(128, 128, 128));  // right and bottom are exclusive
  EXPECT_EQ(image.pixel(50, 50), Rgb(0, 255, 0));      // Kessar
  EXPECT_EQ(image.pixel(200, 50), Rgb(255, 0, 0));     // Zhurr
  EXPECT_EQ(image.pixel(130, 60), Rgb(0, 0, 0));       // the gate across the gap
  EXPECT_EQ(image.pixel(130, 50), Rgb(128, 128, 128));
}

TEST_F(QtMapImageTest, StatisticsBarsFillFromTheBottomOfTheSquare) {
  cells.SetSize(2, 1);
  cells.Cell(0, 0, true)[0] = 4;
  cells.Cell(1, 0, true)[0] = 2;
  request.Count = 1;
  request.Color[0] = 0xFF0000;  // blue
  request.OverallMax = 4;
  map.ShowStatistics = true;
  const QImage image = SaveAndReload();
  ASSERT_FALSE(image.isNull());
  // One bar of width 10 from x 56; the full one reaches the top inside.
  EXPECT_EQ(image.pixel(60, 78), Rgb(0, 0, 255));
  EXPECT_EQ(image.pixel(60, 42), Rgb(0, 0, 255));
  EXPECT_EQ(image.pixel(50, 60), Rgb(255, 255, 255));  // statistics: no race colours
  // The half one (trunc(39 * 2 / 4) = 19 pixels) leaves the upper part white.
  EXPECT_EQ(image.pixel(200, 78), Rgb(0, 0, 255));
  EXPECT_EQ(image.pixel(200, 45), Rgb(255, 255, 255));
}

TEST_F(QtMapImageTest, UnwritableFileIsReported) {
  const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells};
  EXPECT_NE(qv::SaveMapBmp(context, 100, 100, dir.File("no/such/folder/map.bmp")), "");
  EXPECT_NE(qv::SaveMapBmp(context, 0, 100, dir.File("map.bmp")), "");
}

}  // namespace

#include "map/QtMapImage.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>

#include "data/DataModule1.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
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

// The export draws bands of a few hundred rows through the partial drawing,
// and a repaint draws what it exposes: names, numbers and gates that cross
// an edge must leave every pixel as the whole picture has it.
TEST_F(QtMapImageTest, BandsAndRepaintedPartsHaveThePixelsOfTheWholeMap) {
  cells.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      qvtest::AddSector(*store, {.name = "Sector with a long name " + std::to_string(x * 4 + y),
                                 .x = x,
                                 .y = y,
                                 .race = x == y ? "Vossk" : "",
                                 .suns = x + y,
                                 .south = y < 3,
                                 .east = x < 3,
                                 .nameDx = (x + y) % 5 - 2,
                                 .nameDy = (x * y) % 5 - 2,
                                 .shipyard = x == 1,
                                 .eqdock = y == 2,
                                 .pirate = x == y});
      cells.Cell(x, y, true)[0] = x * 10 + y;
      cells.Cell(x, y, true)[1] = 33 - x - y;
    }
  }
  map.ShowSuns = map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
  map.PirateBasesAsLetter = false;
  request.Count = 2;
  request.Color = {0xFF0000, 0x00AA00};
  request.OverallMax = 33;
  bars.ShowNumbers = true;
  geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  const int width = geometry.SurfaceWidth();
  const int height = geometry.SurfaceHeight();
  ASSERT_GT(height, 2 * 256);  // three bands

  for (const bool statistics : {true, false}) {
    SCOPED_TRACE(statistics ? "statistics" : "races");
    map.ShowStatistics = statistics;
    const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells};
    const QImage whole = qv::RenderMapImage(context, width, height);
    const QImage saved = SaveAndReload().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), whole.size());
    EXPECT_TRUE(saved == whole);

    qv::TSectorDrawList sectors;  // kept across the repaints, as the window keeps it
    const qv::TMapDrawContext window{*store, geometry, map, bars, request, cells, &sectors};
    for (const QRect part : {QRect(0, 0, width, 100), QRect(97, 211, 150, 77),
                             QRect(width / 2, height / 2, width, height), QRect(310, 0, 3, height),
                             QRect(0, 251, width, 2)}) {
      QImage image(width, height, QImage::Format_RGB32);
      image.fill(Qt::magenta);
      {
        QPainter painter(&image);
        painter.setClipRect(part);
        qv::QtCanvas canvas(painter);
        qv::DrawMapPart(window, canvas, width, height,
                        qv::MakeERect(part.x(), part.y(), part.width(), part.height()));
      }
      const QRect inside = part & whole.rect();
      EXPECT_TRUE(image.copy(inside) == whole.copy(inside))
          << part.x() << "," << part.y() << " " << part.width() << "x" << part.height();
    }
  }
}

// A cancelled export, or one that fails, leaves the file that was there.
TEST_F(QtMapImageTest, CancelledExportLeavesTheOldFile) {
  const std::string path = dir.File("map.bmp");
  dir.Write("map.bmp", "old picture");
  const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells};
  int told = 0;
  const std::string error =
      qv::SaveMapBmp(context, geometry.SurfaceWidth(), 600, path, [&](int done, int total) {
        ++told;
        EXPECT_EQ(total, 600);
        EXPECT_GT(done, 0);
        return false;
      });
  EXPECT_EQ(error, "");
  EXPECT_EQ(told, 1);
  EXPECT_EQ(dir.Read("map.bmp"), "old picture");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(QtMapImageTest, UnwritableFileIsReported) {
  const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells};
  EXPECT_NE(qv::SaveMapBmp(context, 100, 100, dir.File("no/such/folder/map.bmp")), "");
  EXPECT_NE(qv::SaveMapBmp(context, 0, 100, dir.File("map.bmp")), "");
}

}  // namespace

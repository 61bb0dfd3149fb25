#include "map/QtMapExport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>
#include <set>
#include <string>

#include "data/DataModule1.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"
#include "support/TempDir.h"
#include "support/UniverseRows.h"

namespace {

// A 4 x 4 map tall enough for three bands, with names, station letters,
// suns and statistics bars and numbers that cross the bands' edges.
class QtMapExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cells.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        qvtest::AddSector(*store, {.name = Name(x, y),
                                   .x = x,
                                   .y = y,
                                   .race = x == y ? "Vossk" : "Kessar",
                                   .suns = x + y,
                                   .south = y < 3,
                                   .east = x < 3,
                                   .nameDx = (x + y) % 5 - 2,
                                   .nameDy = (x * y) % 5 - 2,
                                   .shipyard = x == 1,
                                   .eqdock = y == 2,
                                   .pirate = x == y});
        cells.Cell(x, y, true)[0] = x * 10 + y;
      }
    }
    map.ShowSuns = map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
    request.Count = 1;
    request.Color = {0xFF0000};
    request.OverallMax = 33;
    bars.ShowNumbers = true;
    geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  }
  // Names a drawing must keep as they are, markup characters too.
  static std::string Name(int x, int y) {
    if (x == 2 && y == 1) return "Fort <Keep> & \"Gate\"";
    return "Sector " + std::to_string(x * 4 + y);
  }
  qv::TMapDrawContext Context() { return {*store, geometry, map, bars, request, cells}; }
  int Width() const { return geometry.SurfaceWidth(); }
  int Height() const { return geometry.SurfaceHeight(); }

  qvtest::TempDir dir;
  qvtest::EmptyStore store;
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
};

TEST_F(QtMapExportTest, PngHasThePixelsOfTheBmp) {
  ASSERT_GT(Height(), 2 * 256);  // three bands
  for (const bool statistics : {true, false}) {
    SCOPED_TRACE(statistics ? "statistics" : "races");
    map.ShowStatistics = statistics;
    ASSERT_EQ(qv::SaveMapBmp(Context(), Width(), Height(), dir.File("map.bmp")), "");
    std::vector<int> told;
    ASSERT_EQ(
        qv::SaveMapImage(Context(), Width(), Height(), dir.File("map.png"), qv::MapImageFormat::Png,
                         [&told](int done, int) {
                           told.push_back(done);
                           return true;
                         }),
        "");
    const QImage bmp = QImage(QString::fromStdString(dir.File("map.bmp")), "BMP")
                           .convertToFormat(QImage::Format_RGB32);
    const QImage png = QImage(QString::fromStdString(dir.File("map.png")), "PNG")
                           .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(Width(), Height()));
    EXPECT_TRUE(png == bmp);
    EXPECT_TRUE(png == qv::RenderMapImage(Context(), Width(), Height()));
    // Band by band from the top down.
    ASSERT_EQ(told.size(), 3u);
    EXPECT_LT(told[0], told[1]);
    EXPECT_EQ(told.back(), Height());
  }
}

TEST_F(QtMapExportTest, CancelledOrFailedExportsLeaveTheOldFile) {
  for (const qv::MapImageFormat format : {qv::MapImageFormat::Png, qv::MapImageFormat::Svg}) {
    dir.Write("map", "old picture");
    EXPECT_EQ(qv::SaveMapImage(Context(), Width(), Height(), dir.File("map"), format,
                               [](int, int) { return false; }),
              "");
    EXPECT_EQ(dir.Read("map"), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_NE(qv::SaveMapImage(Context(), Width(), Height(), dir.File("no/folder/map"), format),
              "");
    EXPECT_NE(qv::SaveMapImage(Context(), 0, Height(), dir.File("map"), format), "");
  }
}

// The drawing is well-formed XML of the map's size, its shapes are vectors
// and its texts are text: every sector's name can be found in it.
TEST_F(QtMapExportTest, SvgKeepsTheShapesAsVectorsAndTheNamesAsText) {
  ASSERT_EQ(qv::SaveMapSvg(Context(), Width(), Height(), dir.File("map.svg")), "");
  QFile file(QString::fromStdString(dir.File("map.svg")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  std::set<std::string> texts;
  int rects = 0;
  int lines = 0;
  int images = 0;
  QString viewBox;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QStringView name = xml.name();
    if (name == u"svg") viewBox = xml.attributes().value("viewBox").toString();
    if (name == u"rect") ++rects;
    if (name == u"polyline" || name == u"line" || name == u"path") ++lines;
    if (name == u"image") ++images;
    if (name == u"text") texts.insert(xml.readElementText().toStdString());
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(viewBox, QString("0 0 %1 %2").arg(Width()).arg(Height()));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_TRUE(texts.count(Name(x, y))) << Name(x, y);
  EXPECT_TRUE(texts.count("Y"));  // a shipyard's letter
  EXPECT_GE(rects, 16 + 1);       // the squares and the background
  EXPECT_GE(lines, 24);           // the gates
  EXPECT_EQ(images, 0);
}

}  // namespace

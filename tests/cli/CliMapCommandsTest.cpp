#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/CliFixture.h"

// render, stats, sector, profit and complex of the built qvmap-cli on a universe imported from
// tab-separated text.
namespace {

using Outcome = qvtest::CliOutcome;

class CliMapCommandsTest : public qvtest::CliFixture {
 protected:
  // Home holds two farms (10 wheat per 600 s from 20 ore); Far trades wheat.
  void SetUp() override {
    Import("SectorsData", "Name\tX\tY\tRace\tVisible\nHome\t0\t0\tKessar\t1\nFar\t1\t0\t\t1\n");
    Import("ProductsData", "Id\tName\tType\tMtime\tQty\n5\tOre\t0\t0\t0\n6\tWheat\t0\t1800\t30\n");
    Import("FactoriesData", "Name\tSpecial\tMtime\nFarm\t0\t600\n");
    Import("FactoryProdData", "FactoryId\tOperation\tProductId\tQty\n1\t0\t6\t10\n1\t1\t5\t20\n");
    Import("SectFactoryData", "SectorId\tFactoryId\n1\t1\n1\t1\n");
    Import("SectTradeData", "SectorId\tTrader\tProductId\n2\t0\t6\n");
  }
};

TEST_F(CliMapCommandsTest, StatsPrintsRawValuesPerSectorAndTheMaxima) {
  Outcome rates = Run("stats --product Wheat:prod --product Ore:need --rates --traders 2");
  ASSERT_EQ(rates.status, 0) << work.Read("err");
  EXPECT_EQ(rates.out, "0\t0\t120\t240\n1\t0\t0\t0\nmax\t120\t240\t240\n");

  Outcome counts = Run("stats --product=Wheat:prod --product Ore:need --traders 3");
  ASSERT_EQ(counts.status, 0) << work.Read("err");
  EXPECT_EQ(counts.out, "0\t0\t2\t2\n1\t0\t1\t0\nmax\t2\t2\t2\n");

  EXPECT_EQ(Run("stats --product wheat:prod").status, 1);  // names are exact
  EXPECT_EQ(Run("stats --product Wheat:sell").status, 2);
  EXPECT_EQ(Run("stats --traders 4").status, 2);
}

TEST_F(CliMapCommandsTest, SectorPrintsTheProductRowsAsTheWindowShowsThem) {
  Outcome plain = Run("sector 0 0");
  ASSERT_EQ(plain.status, 0) << work.Read("err");
  EXPECT_EQ(plain.out, "Home\nOre\t\t\t2\nWheat\t\t2\t\n");
  Outcome rates = Run("sector 0 0 --rates");
  EXPECT_EQ(rates.out, "Home\nOre\t\t\t2\t\t240\nWheat\t\t2\t\t120\t\n");
  EXPECT_EQ(Run("sector 1 0 --rates").out, "Far\nWheat\t1\t\t\t\t60\n");
  EXPECT_EQ(Run("sector 5 5").status, 1);
  EXPECT_EQ(Run("sector 5").status, 2);
}

TEST_F(CliMapCommandsTest, RenderWritesA24BitBmpOfTheSurfaceSize) {
  // Without a settings file the zoom is 75 %: (180 + 40 + 40) x 0.75 = 195.
  Outcome whole = Run("render '" + work.File("map.bmp") + "'");
  ASSERT_EQ(whole.status, 0) << work.Read("err");
  EXPECT_EQ(whole.out, "195\t90\n");
  std::ifstream file(work.File("map.bmp"), std::ios::binary);
  unsigned char header[30] = {};
  file.read(reinterpret_cast<char*>(header), sizeof header);
  EXPECT_EQ(header[0], 'B');
  EXPECT_EQ(header[18] | header[19] << 8, 195);  // width
  EXPECT_EQ(header[28], 24);                     // bits per pixel

  Outcome zoomed = Run("render '" + work.File("z.bmp") + "' --zoom 200% --product Wheat:prod");
  ASSERT_EQ(zoomed.status, 0) << work.Read("err");
  EXPECT_EQ(zoomed.out, "520\t240\n");
  EXPECT_EQ(Run("render").status, 2);
  EXPECT_EQ(Run("render '" + work.File("none/x.bmp") + "'").status, 1);
}

// The extension picks the format; a name of another kind is a usage error.
TEST_F(CliMapCommandsTest, RenderWritesPngOrSvgByTheExtension) {
  Outcome png = Run("render '" + work.File("map.png") + "'");
  ASSERT_EQ(png.status, 0) << work.Read("err");
  EXPECT_EQ(png.out, "195\t90\n");
  const std::string image = work.Read("map.png");
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(image.substr(12, 4), "IHDR");
  EXPECT_EQ(static_cast<unsigned char>(image[18]) << 8 | static_cast<unsigned char>(image[19]),
            195);  // width

  ASSERT_EQ(Run("render '" + work.File("map.SVG") + "' --zoom 100").status, 0);
  const std::string drawing = work.Read("map.SVG");
  EXPECT_NE(drawing.find("viewBox=\"0 0 260 120\""), std::string::npos) << drawing.substr(0, 300);

  const Outcome other = Run("render '" + work.File("map.jpg") + "'");
  EXPECT_EQ(other.status, 2);
  EXPECT_NE(work.Read("err").find("a .bmp, .png or .svg file"), std::string::npos);
  EXPECT_FALSE(work.Exists("map.jpg"));
}

// An image whose BMP file would pass the format's 4 GB is refused at once,
// naming its size, and no file is left.
TEST_F(CliMapCommandsTest, RenderRefusesAMapTooLargeForABmpFile) {
  Import("SectorsData", "Name\tX\tY\tVisible\nHome\t0\t0\t1\nEdge\t400\t400\t1\n");
  Outcome refused = Run("render '" + work.File("huge.bmp") + "' --zoom 100");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  const std::string error = work.Read("err");
  EXPECT_NE(error.find("56120 x 56120 pixels"), std::string::npos) << error;
  EXPECT_NE(error.find("8.8 GB"), std::string::npos) << error;
  EXPECT_FALSE(work.Exists("huge.bmp"));
  // A PNG file has no such limit: only the BMP's size is checked.
  EXPECT_EQ(Run("render '" + work.File("huge.png") + "' --zoom 1").status, 0) << work.Read("err");
}

// The worked examples: a farm selling 10 wheat at 100 per 600 s from 20 ore
// at 30, and an ore mine that supplies it inside a complex.
TEST_F(CliMapCommandsTest, ProfitAndComplexPrintWhatTheCalculatorWindowsShow) {
  Import("ProductsData", "Id\tName\tType\tAvg\n5\tOre\t0\t30\n6\tWheat\t0\t100\n");
  Import("FactoriesData",
         "Name\tSpecial\tMtime\tBuyable\nFarm\t0\t600\t1\nOre Mine\t2\t600\t1\nLab\t0\t60\t0\n");
  Import("FactoryProdData",
         "FactoryId\tOperation\tProductId\tQty\n1\t0\t6\t10\n1\t1\t5\t20\n2\t0\t5\t30\n");

  EXPECT_EQ(
      Run("profit Farm").out,
      "Product: Wheat\t100\t60 units/h\nResource: Ore\t30\t120 units/h\nunit\t40\nhour\t2400\n");
  EXPECT_EQ(Run("profit 'Ore Mine' --price Ore=25").out,
            "Product: Ore\t25\t1800 units/h\nunit\t25\nhour\t45000\n");
  EXPECT_EQ(Run("profit 'Ore Mine' --yield 0").out,
            "Product: Ore\t30\t? units/h\nunit\t30\nhour\t?\n");
  EXPECT_EQ(Run("profit Lab").status, 1);  // not buyable
  EXPECT_EQ(Run("profit Farm --price Gold=3").status, 1);
  EXPECT_EQ(Run("profit Farm --yield 2 --cycle 3").status, 2);

  Import("FactoryListData", "RecId\tFactoryId\tYield\tAllowNPS\n1\t1\t0\t1\n2\t2\t1\t0\n");
  Import("FactProdData", "RecId\tProductId\tCurrent\n2\t5\t25\n");
  EXPECT_EQ(Run("complex").out,
            "Product name\tPrice\tProduction\tInt.demand\tStatus\tResult\n"
            "Ore\t25\t120\t120\tEqual, spare 60\t\n"
            "Wheat\t100\t60\t-\tPure export\t+6000\n"
            "profit\t6000\nmessage\t\n"
            "factory\t2\tOre Mine\t4500\nfactory\t1\tFarm\t2400\n");
  // A solar cycle changes nothing here; no export at all leaves the profit open.
  Import("FactoryListData", "RecId\tFactoryId\tYield\tAllowNPS\n1\t1\t0\t0\n");
  const std::string alone = Run("complex --power-cycle 60").out;
  EXPECT_NE(alone.find("profit\t?\nmessage\t(all factories will stop"), std::string::npos) << alone;
}

}  // namespace

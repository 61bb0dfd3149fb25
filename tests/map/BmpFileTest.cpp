#include "map/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "data/TableError.h"
#include "support/TempDir.h"

namespace {

using qv::BmpFileWriter;

// A 3 x 2 image: rows of 9 bytes padded to 12, the bottom row first, each
// pixel blue, green, red; the header states the sizes and 96 dots per inch.
TEST(BmpFileTest, WritesAKnownSmallImageByteForByte) {
  qvtest::TempDir dir;
  const std::uint32_t top[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};     // red, green, blue
  const std::uint32_t bottom[] = {0xFF000000, 0xFFFFFFFF, 0x00123456};  // alpha is ignored
  BmpFileWriter file(dir.File("small.bmp"), 3, 2);
  file.AppendRow(bottom);
  file.AppendRow(top);
  file.Commit();

  const std::string expected(
      "BM\x4E\0\0\0\0\0\0\0\x36\0\0\0"              // file: 78 bytes, pixels at 54
      "\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0"  // info: 40 bytes, 3 x 2, 24 bits
      "\0\0\0\0\x18\0\0\0\xC4\x0E\0\0\xC4\x0E\0\0\0\0\0\0\0\0\0\0"  // 24 bytes of pixels
      "\0\0\0\xFF\xFF\xFF\x56\x34\x12\0\0\0"                        // bottom row
      "\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0",                             // top row
      78);
  EXPECT_EQ(dir.Read("small.bmp"), expected);
  EXPECT_EQ(BmpFileWriter::FileSize(3, 2), 78u);
}

TEST(BmpFileTest, SizesLimitsAndAbandonedFiles) {
  EXPECT_EQ(BmpFileWriter::RowBytes(1), 4u);
  EXPECT_EQ(BmpFileWriter::RowBytes(4), 12u);
  // The format's limit: the file states its size in 32 bits.
  EXPECT_TRUE(BmpFileWriter::Fits(65536, 21845));   // 4,294,901,814 bytes
  EXPECT_FALSE(BmpFileWriter::Fits(65536, 21846));  // 4,295,098,422 bytes
  EXPECT_FALSE(BmpFileWriter::Fits(43940, 44360));
  EXPECT_FALSE(BmpFileWriter::Fits(0, 10));
  EXPECT_EQ(qv::ByteSizeText(512), "512 bytes");
  EXPECT_EQ(qv::ByteSizeText(1536), "1.5 KB");
  EXPECT_EQ(qv::ByteSizeText(300ULL << 20), "300 MB");
  EXPECT_EQ(qv::ByteSizeText(BmpFileWriter::FileSize(43940, 44360)), "5.4 GB");

  qvtest::TempDir dir;
  dir.Write("map.bmp", "old");
  EXPECT_THROW(BmpFileWriter(dir.File("map.bmp"), 65536, 21846), qv::TableError);
  {
    BmpFileWriter unfinished(dir.File("map.bmp"), 2, 2);
    const std::uint32_t row[] = {0, 0};
    unfinished.AppendRow(row);
    EXPECT_THROW(unfinished.Commit(), qv::TableError);  // a row is missing
  }
  {
    BmpFileWriter dropped(dir.File("map.bmp"), 1, 1);  // never committed
  }
  EXPECT_EQ(dir.Read("map.bmp"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace

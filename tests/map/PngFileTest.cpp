#include "map/PngFile.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/TableError.h"
#include "support/TempDir.h"

namespace {

using qv::PngFileWriter;

// The file read back through libpng's own reader, as RGB bytes.
std::vector<unsigned char> ReadRgb(const std::string& path, png_uint_32& width,
                                   png_uint_32& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  width = image.width;
  height = image.height;
  return pixels;
}

TEST(PngFileTest, RowsComeBackAsWrittenFromTheTopDown) {
  qvtest::TempDir dir;
  const std::uint32_t top[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};     // red, green, blue
  const std::uint32_t bottom[] = {0xFF000000, 0xFFFFFFFF, 0x00123456};  // alpha is ignored
  PngFileWriter file(dir.File("small.png"), 3, 2);
  file.AppendRow(top);
  file.AppendRow(bottom);
  EXPECT_EQ(file.RowsWritten(), 2);
  file.Commit();

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  const std::vector<unsigned char> pixels = ReadRgb(dir.File("small.png"), width, height);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(height, 2u);
  const std::vector<unsigned char> expected = {255, 0, 0, 0,   255, 0,   0,    0,    255,
                                               0,   0, 0, 255, 255, 255, 0x12, 0x34, 0x56};
  EXPECT_EQ(pixels, expected);
}

TEST(PngFileTest, AnImageWithoutPixelsOrRowsIsNeverPutInPlace) {
  qvtest::TempDir dir;
  dir.Write("map.png", "old");
  EXPECT_THROW(PngFileWriter(dir.File("map.png"), 0, 5), qv::TableError);
  EXPECT_THROW(PngFileWriter(dir.File("no/such/folder/map.png"), 1, 1), qv::TableError);
  {
    PngFileWriter unfinished(dir.File("map.png"), 2, 2);
    const std::uint32_t row[] = {0, 0};
    unfinished.AppendRow(row);
    EXPECT_THROW(unfinished.Commit(), qv::TableError);  // a row is missing
  }
  {
    PngFileWriter overfull(dir.File("map.png"), 2, 1);
    const std::uint32_t row[] = {0, 0};
    overfull.AppendRow(row);
    EXPECT_THROW(overfull.AppendRow(row), qv::TableError);
  }
  {
    PngFileWriter dropped(dir.File("map.png"), 1, 1);  // never committed
  }
  EXPECT_EQ(dir.Read("map.png"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace

#include "map/BmpFile.h"

#include <algorithm>

#include "data/TableError.h"
#include "settings/MainTexts.h"

namespace qv {

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;
// 96 dots per inch, as the map image always stated.
constexpr std::uint32_t kPixelsPerMetre = 3780;
// Rows are handed to the file in parts of about this size.
constexpr std::size_t kFlushBytes = 1 << 20;

// The path of a file that can hold the image; throws before anything is made.
const std::string& CheckedPath(const std::string& path, int width, int height) {
  if (!BmpFileWriter::Fits(width, height)) {
    throw TableError("Cannot write file " + path + ": an image of " + std::to_string(width) +
                     " x " + std::to_string(height) + " pixels cannot be a BMP file");
  }
  return path;
}

void PutU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

}  // namespace

std::uint64_t BmpFileWriter::RowBytes(int width) {
  return (static_cast<std::uint64_t>(std::max(width, 0)) * 3 + 3) / 4 * 4;
}

std::uint64_t BmpFileWriter::FileSize(int width, int height) {
  return kHeaderBytes + RowBytes(width) * static_cast<std::uint64_t>(std::max(height, 0));
}

bool BmpFileWriter::Fits(int width, int height) {
  return width > 0 && height > 0 && FileSize(width, height) <= kMaxFileSize;
}

BmpFileWriter::BmpFileWriter(const std::string& path, int width, int height)
    : file_(CheckedPath(path, width, height)), width_(width), height_(height) {
  const auto fileSize = static_cast<std::uint32_t>(FileSize(width, height));
  std::string header;
  header.reserve(kHeaderBytes);
  header.append("BM");
  PutU32(header, fileSize);
  PutU32(header, 0);  // reserved
  PutU32(header, kHeaderBytes);
  PutU32(header, 40);  // the info header
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));  // positive: bottom-up
  PutU16(header, 1);                                   // planes
  PutU16(header, 24);                                  // bits per pixel
  PutU32(header, 0);                                   // no compression
  PutU32(header, fileSize - kHeaderBytes);
  PutU32(header, kPixelsPerMetre);
  PutU32(header, kPixelsPerMetre);
  PutU32(header, 0);  // colours used
  PutU32(header, 0);  // important colours
  file_.Append(header);
  pending_.reserve(kFlushBytes + RowBytes(width));
}

void BmpFileWriter::AppendRow(const std::uint32_t* pixels) {
  if (rows_ >= height_) throw TableError("Cannot write file " + file_.Path() + ": too many rows");
  const std::size_t start = pending_.size();
  pending_.resize(start + static_cast<std::size_t>(RowBytes(width_)), '\0');
  char* out = pending_.data() + start;
  for (int x = 0; x < width_; ++x) {
    const std::uint32_t pixel = pixels[x];
    *out++ = static_cast<char>(pixel & 0xFF);          // blue
    *out++ = static_cast<char>((pixel >> 8) & 0xFF);   // green
    *out++ = static_cast<char>((pixel >> 16) & 0xFF);  // red
  }
  ++rows_;
  if (pending_.size() >= kFlushBytes) Flush();
}

void BmpFileWriter::Flush() {
  file_.Append(pending_);
  pending_.clear();
}

void BmpFileWriter::Commit() {
  if (rows_ != height_) {
    file_.Abort();
    throw TableError("Cannot write file " + file_.Path() + ": the image is incomplete");
  }
  Flush();
  file_.Commit();
}

std::string MapImageSizeText(std::string_view pattern, int width, int height) {
  return FormatText(pattern, {std::int64_t{width}, std::int64_t{height},
                              ByteSizeText(BmpFileWriter::FileSize(width, height))});
}

}  // namespace qv

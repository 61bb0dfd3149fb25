#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/AtomicFile.h"
#include "data/TextUtil.h"

namespace qv {

// A 24-bit BMP file (a 40-byte info header, no palette, rows bottom-up, each
// padded to four bytes) written as its rows come, so that an image far larger
// than memory can be saved: the header first, with the final size, then the
// rows from the bottom of the image up. The file is staged beside its target
// and put in place by Commit; until then the old file stays as it was.
class BmpFileWriter {
 public:
  // A BMP file states its own size in 32 bits.
  static constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

  // Bytes of one stored row and of the whole file.
  static std::uint64_t RowBytes(int width);
  static std::uint64_t FileSize(int width, int height);
  // Whether a file of that image can be written at all.
  static bool Fits(int width, int height);

  // Starts the file. Throws TableError "Cannot write file <path>: <reason>"
  // (also for an image without pixels or too large for the format) and leaves
  // nothing behind.
  BmpFileWriter(const std::string& path, int width, int height);

  // Appends the next row up, `width` pixels of 0xAARRGGBB (alpha ignored).
  // Throws TableError as above; the staged file is gone then.
  void AppendRow(const std::uint32_t* pixels);
  // Rows appended so far.
  int RowsWritten() const { return rows_; }
  // Puts the file in place once every row is written. Throws TableError as above.
  void Commit();
  // Drops the staged file; the target stays as it was.
  void Abort() noexcept { file_.Abort(); }

 private:
  void Flush();

  StagedFile file_;
  int width_;
  int height_;
  int rows_ = 0;
  std::string pending_;  // rows not yet handed to the file
};

// A message about the BMP file of a map image: `pattern` filled with the
// image's width, height and the size of its file ("5.5 GB").
std::string MapImageSizeText(std::string_view pattern, int width, int height);

}  // namespace qv

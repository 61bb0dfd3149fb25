#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/AtomicFile.h"

namespace qv {

// A PNG file (8-bit RGB, no interlacing) written as its rows come, from the
// top of the image down, so that an image far larger than memory can be
// saved: memory holds one row and what the compressor keeps. The file is
// staged beside its target and put in place by Commit; until then the old
// file stays as it was.
class PngFileWriter {
 public:
  // The most pixels a side of a PNG image may have.
  static constexpr int kMaxSide = 0x7FFFFFFF;

  // Starts the file. Throws TableError "Cannot write file <path>: <reason>"
  // (also for an image without pixels) and leaves nothing behind.
  PngFileWriter(const std::string& path, int width, int height);
  ~PngFileWriter();
  PngFileWriter(const PngFileWriter&) = delete;
  PngFileWriter& operator=(const PngFileWriter&) = delete;

  // Appends the next row down, `width` pixels of 0xAARRGGBB (alpha ignored).
  // Throws TableError as above; the staged file is gone then.
  void AppendRow(const std::uint32_t* pixels);
  int RowsWritten() const { return rows_; }
  // Puts the file in place once every row is written. Throws TableError as above.
  void Commit();
  // Drops the staged file; the target stays as it was.
  void Abort() noexcept { file_.Abort(); }

 private:
  struct Encoder;  // the compressor's state

  [[noreturn]] void Fail(const std::string& reason);
  void FlushPending(bool all);

  StagedFile file_;
  std::unique_ptr<Encoder> encoder_;
  int width_;
  int height_;
  int rows_ = 0;
  std::vector<unsigned char> row_;
};

}  // namespace qv

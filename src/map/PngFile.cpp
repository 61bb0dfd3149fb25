#include "map/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <new>

#include "data/TableError.h"

namespace qv {

namespace {

// 96 dots per inch, as the BMP file states.
constexpr png_uint_32 kPixelsPerMetre = 3780;
// Compressed bytes are handed to the file in parts of about this size.
constexpr std::size_t kFlushBytes = 1 << 20;
// A map is large areas of one colour that zlib packs well as they are: row
// filters and higher levels make the file a little smaller in several times
// the time (10,000 sectors: 5.5 MB in 1.3 s, against 4.2 MB in 4 s).
constexpr int kCompressionLevel = 3;

const std::string& CheckedPath(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0)
    throw TableError("Cannot write file " + path + ": an image of " + std::to_string(width) +
                     " x " + std::to_string(height) + " pixels has nothing to save");
  return path;
}

}  // namespace

// libpng reports an error by a long jump back to the call that started the
// work (setjmp in Run), so nothing between them may own anything: the
// callbacks below only copy bytes and note the reason.
struct PngFileWriter::Encoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string pending;  // compressed bytes not yet in the file
  std::string error;

  Encoder() {
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &Encoder::OnError,
                                  &Encoder::OnWarning);
    if (png != nullptr) info = png_create_info_struct(png);
    if (png != nullptr) png_set_write_fn(png, this, &Encoder::OnWrite, &Encoder::OnFlush);
  }
  ~Encoder() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  // Runs `call` (libpng calls only); false when libpng gave up, with `error` set.
  template <class Call>
  bool Run(Call call) {
    if (setjmp(png_jmpbuf(png))) return false;
    call();
    return true;
  }

  static Encoder& Of(png_structp png) { return *static_cast<Encoder*>(png_get_error_ptr(png)); }

  static void OnError(png_structp png, png_const_charp message) {
    Encoder& self = Of(png);
    try {
      self.error = message ? message : "unknown PNG error";
    } catch (...) {
    }
    png_longjmp(png, 1);
  }
  static void OnWarning(png_structp, png_const_charp) {}
  static void OnWrite(png_structp png, png_bytep data, size_t length) {
    Encoder& self = *static_cast<Encoder*>(png_get_io_ptr(png));
    bool stored = true;
    try {
      self.pending.append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
      stored = false;
    }
    if (!stored) png_error(png, "out of memory");
  }
  static void OnFlush(png_structp) {}
};

PngFileWriter::PngFileWriter(const std::string& path, int width, int height)
    : file_(CheckedPath(path, width, height)),
      encoder_(std::make_unique<Encoder>()),
      width_(width),
      height_(height),
      row_(static_cast<std::size_t>(width) * 3) {
  Encoder& e = *encoder_;
  if (e.png == nullptr || e.info == nullptr) Fail("out of memory");
  const bool started = e.Run([&e, width, height] {
    png_set_IHDR(e.png, e.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(e.png, e.info, kPixelsPerMetre, kPixelsPerMetre, PNG_RESOLUTION_METER);
    png_set_compression_level(e.png, kCompressionLevel);
    png_set_filter(e.png, 0, PNG_FILTER_NONE);
    png_write_info(e.png, e.info);
  });
  if (!started) Fail(e.error);
  FlushPending(false);
}

PngFileWriter::~PngFileWriter() = default;

void PngFileWriter::Fail(const std::string& reason) {
  file_.Abort();
  throw TableError("Cannot write file " + file_.Path() + ": " + reason);
}

void PngFileWriter::FlushPending(bool all) {
  std::string& pending = encoder_->pending;
  if (pending.empty() || (!all && pending.size() < kFlushBytes)) return;
  file_.Append(pending);
  pending.clear();
}

void PngFileWriter::AppendRow(const std::uint32_t* pixels) {
  if (rows_ >= height_) Fail("too many rows");
  unsigned char* out = row_.data();
  for (int x = 0; x < width_; ++x) {
    const std::uint32_t pixel = pixels[x];
    *out++ = static_cast<unsigned char>((pixel >> 16) & 0xFF);  // red
    *out++ = static_cast<unsigned char>((pixel >> 8) & 0xFF);   // green
    *out++ = static_cast<unsigned char>(pixel & 0xFF);          // blue
  }
  Encoder& e = *encoder_;
  unsigned char* row = row_.data();
  if (!e.Run([&e, row] { png_write_row(e.png, row); })) Fail(e.error);
  ++rows_;
  FlushPending(false);
}

void PngFileWriter::Commit() {
  if (rows_ != height_) Fail("the image is incomplete");
  Encoder& e = *encoder_;
  if (!e.Run([&e] { png_write_end(e.png, nullptr); })) Fail(e.error);
  FlushPending(true);
  file_.Commit();
}

}  // namespace qv

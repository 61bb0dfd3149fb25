#include "data/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "data/TableError.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowWriteError(const std::string& path, const std::string& reason) {
  throw TableError("Cannot write file " + path + ": " + reason);
}

}  // namespace

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

void ReplaceFileAtomically(const std::string& path, const std::string& content) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  const bool targetExists = fs::exists(status);
  if (targetExists) {
    if (fs::is_directory(status)) ThrowWriteError(path, "it is a folder");
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
      ThrowWriteError(path, "the file is read-only");
    }
  }

  const std::string tempPath = path + ".tmp";
  std::FILE* file = std::fopen(tempPath.c_str(), "wb");
  if (file == nullptr) ThrowWriteError(path, ErrnoText(errno));

  int error = 0;
  if (std::fwrite(content.data(), 1, content.size(), file) != content.size() ||
      std::fflush(file) != 0) {
    error = errno != 0 ? errno : EIO;
  }
#if defined(__unix__) || defined(__APPLE__)
  // The rename must not reach the disk before the data does.
  if (error == 0 && ::fsync(::fileno(file)) != 0) error = errno;
#endif
  if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  if (error != 0) {
    fs::remove(tempPath, ec);
    ThrowWriteError(path, ErrnoText(error));
  }

  if (targetExists) fs::permissions(tempPath, status.permissions(), ec);
  fs::rename(tempPath, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(tempPath, ignored);
    ThrowWriteError(path, ec.message());
  }
}

}  // namespace qv

#include "data/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "data/AtomicFile.h"
#include "data/TextUtil.h"

namespace qv {

namespace {

// Why a file of this kind is not read; empty for a regular file.
std::string KindProblem(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "it is a folder";
  return "it is not a regular file";
}

// `size` 0: the file grew beyond the limit while it was read.
std::string TooLarge(std::uint64_t size, std::uint64_t maxBytes) {
  const std::string limitText = ByteSizeText(maxBytes);
  const std::string limit = "the " + limitText + " read from such a file";
  if (size == 0) return "the file is larger than " + limit;
  std::string sizeText = ByteSizeText(size);
  if (sizeText == limitText) sizeText = std::to_string(size) + " bytes";  // just above it
  return "the file is " + sizeText + ", more than " + limit;
}

RegularFileContent Refused(std::string reason) {
  return {RegularFileContent::Refused, {}, std::move(reason)};
}

}  // namespace

RegularFileContent ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
  // Looked at before it is opened: opening some devices already does something.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return Refused(ErrnoText(errno));
  }
  if (std::string problem = KindProblem(info.st_mode); !problem.empty()) return Refused(problem);
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
    return Refused(TooLarge(static_cast<std::uint64_t>(info.st_size), maxBytes));

  // Without blocking, and judged again once open: the name may have been
  // given to a FIFO meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    return Refused(ErrnoText(errno));
  }
  std::string reason;
  if (::fstat(fd, &info) != 0) {
    reason = ErrnoText(errno);
  } else {
    reason = KindProblem(info.st_mode);
  }
  if (!reason.empty()) {
    ::close(fd);
    return Refused(reason);
  }

  // Read straight into the text, which grows only if the file grew
  // meanwhile, and never beyond the limit.
  const std::uint64_t expected = std::min<std::uint64_t>(info.st_size, maxBytes);
  std::string content(static_cast<std::size_t>(expected) + 1, '\0');
  std::size_t size = 0;
  int error = 0;
  for (;;) {
    if (size == content.size()) {
      if (size > maxBytes) break;
      content.resize(
          static_cast<std::size_t>(std::min<std::uint64_t>(content.size() * 2, maxBytes + 1)));
    }
    const ssize_t got = ::read(fd, content.data() + size, content.size() - size);
    if (got > 0) {
      size += static_cast<std::size_t>(got);
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      error = errno;
      break;
    }
  }
  ::close(fd);
  if (error != 0) return Refused(ErrnoText(error));
  if (size > maxBytes) return Refused(TooLarge(0, maxBytes));
  content.resize(size);
  return {RegularFileContent::Read, std::move(content), {}};
}

}  // namespace qv

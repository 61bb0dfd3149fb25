#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The most the program reads of one file. Anything larger is refused before
// it is read, so that a file filled by mistake (or /dev/zero linked in its
// place) cannot exhaust the memory.
inline constexpr std::uint64_t kMaxTableFileBytes = 256ull << 20;  // table files, imports
inline constexpr std::uint64_t kMaxTextFileBytes = 16ull << 20;    // settings, language, layout

struct RegularFileContent {
  enum Status { Read, Missing, Refused };
  Status status = Missing;
  std::string text;    // the whole file when Read
  std::string reason;  // why it was not read when Refused ("it is not a regular file")
};

// Reads the whole file at `path` when it is a regular file of at most
// `maxBytes`. A FIFO, a device or a folder is refused without waiting on it
// (it is looked at before it is opened, and opened without blocking), as is
// a file larger than `maxBytes`, whose reason names its size. A path that
// does not exist (or a link that leads nowhere) is Missing.
RegularFileContent ReadRegularFile(const std::string& path, std::uint64_t maxBytes);

}  // namespace qv

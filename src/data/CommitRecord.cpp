#include "data/CommitRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

#include "data/AtomicFile.h"
#include "data/TableError.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "QVMap commit record 1";
constexpr std::string_view kEndField = "end";
constexpr std::string_view kTempExtension = ".qvtmp";
// A record names a handful of files; anything much larger is no record.
constexpr std::size_t kMaxRecordSize = 1 << 20;
constexpr std::size_t kReadChunk = 1 << 20;

std::uint32_t Crc32(std::uint32_t crc, std::string_view bytes) {
  return static_cast<std::uint32_t>(
      ::crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::string Hex8(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

std::string Escaped(std::string_view path) {
  std::string out;
  for (const char c : path) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '\t':
        out += "%09";
        break;
      case '\r':
        out += "%0D";
        break;
      case '\n':
        out += "%0A";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const std::string_view code = text.substr(i + 1, 2);
    if (code == "25")
      out += '%';
    else if (code == "09")
      out += '\t';
    else if (code == "0D")
      out += '\r';
    else if (code == "0A")
      out += '\n';
    else
      return std::nullopt;
    i += 2;
  }
  return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

template <typename T>
std::optional<T> Number(std::string_view text, int base) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Reads a regular file whole, without waiting on a FIFO or reading a device
// forever; nothing when it is none or larger than `limit`.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> text;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::uint64_t>(info.st_size) <= limit) {
    text.emplace();
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 || text->size() > limit) {
        text.reset();
        break;
      }
      if (got == 0) break;
      text->append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(fd);
  return text;
}

std::string Normal(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) absolute = path;
  return absolute.lexically_normal().string();
}

}  // namespace

FileFingerprint FileFingerprint::Of(std::string_view content) {
  return {content.size(), Crc32(Crc32(0, {}), content)};
}

std::optional<FileFingerprint> FileFingerprint::OfFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<FileFingerprint> result;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    FileFingerprint print{0, Crc32(0, {})};
    std::string buffer(kReadChunk, '\0');
    for (;;) {
      const ssize_t got = ::read(fd, buffer.data(), buffer.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) break;
      if (got == 0) {
        result = print;
        break;
      }
      print.size += static_cast<std::uint64_t>(got);
      print.crc32 =
          Crc32(print.crc32, std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
  }
  ::close(fd);
  return result;
}

int CommitRecord::SystemRename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

CommitRecord::CommitRecord(std::string folder) : folder_(std::move(folder)) {
  while (folder_.size() > 1 && folder_.back() == '/')
    folder_.pop_back();
}

std::string CommitRecord::FilePath() const {
  return folder_ + "/" + kFileName;
}

std::string CommitRecord::Absolute(const std::string& stored) const {
  return stored.find('/') == std::string::npos ? folder_ + "/" + stored : stored;
}

std::string CommitRecord::Relative(const std::string& path) const {
  const fs::path file(Normal(path));
  if (file.parent_path() == fs::path(Normal(folder_))) return file.filename().string();
  return file.string();
}

void CommitRecord::Add(Entry entry) {
  entries_.push_back(std::move(entry));
}

std::string CommitRecord::Text() const {
  std::string text(kHeader);
  text += '\n';
  for (const Entry& entry : entries_) {
    text += Escaped(Relative(entry.target)) + '\t' + Escaped(Relative(entry.temporary)) + '\t' +
            std::to_string(entry.fingerprint.size) + '\t' + Hex8(entry.fingerprint.crc32) + '\n';
  }
  text += std::string(kEndField) + '\t' + std::to_string(entries_.size()) + '\t' +
          Hex8(Crc32(Crc32(0, {}), text)) + '\n';
  return text;
}

void CommitRecord::Write() {
  StagedFile(FilePath(), Text()).Commit();
  state_ = State::Complete;
}

void CommitRecord::Parse(const std::string& text) {
  state_ = State::Damaged;
  entries_.clear();
  salvaged_.clear();
  const std::vector<std::string_view> lines = Split(text, '\n');
  if (lines.front() != kHeader) return;
  std::vector<Entry> entries;
  std::set<std::string> targets;
  std::size_t offset = lines.front().size() + 1;  // where the current line starts
  bool damaged = false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string_view> fields = Split(lines[i], '\t');
    if (fields.size() == 3 && fields[0] == kEndField) {
      const auto count = Number<std::size_t>(fields[1], 10);
      const auto crc = Number<std::uint32_t>(fields[2], 16);
      // The last line, ended by a line break like every other.
      const bool last = i + 2 == lines.size() && lines.back().empty();
      if (damaged || !last || !count || *count != entries.size() || entries.empty() || !crc ||
          fields[2].size() != 8 ||
          *crc != Crc32(Crc32(0, {}), std::string_view(text).substr(0, offset)))
        break;
      entries_ = std::move(entries);
      state_ = State::Complete;
      return;
    }
    offset += lines[i].size() + 1;
    if (fields.size() != 4) {
      damaged = true;
      continue;
    }
    const std::optional<std::string> target = Unescaped(fields[0]);
    const std::optional<std::string> temporary = Unescaped(fields[1]);
    const auto size = Number<std::uint64_t>(fields[2], 10);
    const auto crc = Number<std::uint32_t>(fields[3], 16);
    // Only a file of our own temporary names is ever renamed or removed.
    if (!temporary || !temporary->ends_with(kTempExtension) || temporary->empty()) {
      damaged = true;
      continue;
    }
    salvaged_.push_back(Absolute(*temporary));
    if (!target || target->empty() || !size || !crc || fields[3].size() != 8 ||
        !targets.insert(Normal(Absolute(*target))).second) {
      damaged = true;
      continue;
    }
    entries.push_back({Absolute(*target), Absolute(*temporary), {*size, *crc}});
  }
}

CommitRecord CommitRecord::Read(const std::string& folder) {
  CommitRecord record(folder);
  const std::string path = record.FilePath();
  struct stat info {};
  // Only a regular file is a record: anything else of that name is none of ours.
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return record;
  const std::optional<std::string> text = ReadSmallFile(path, kMaxRecordSize);
  if (!text) {
    record.state_ = State::Damaged;
    return record;
  }
  record.Parse(*text);
  return record;
}

std::vector<CommitRecord::Failure> CommitRecord::Apply(const RenameFunction& rename) const {
  std::vector<Failure> failures;
  std::vector<std::string> renamed;
  for (const Entry& entry : entries_) {
    if (!Exists(entry.temporary)) continue;  // put in place before
    try {
      // A link stays a link: the file it leads to is the one replaced.
      const std::string target = ResolvedTarget(entry.target);
      int error = rename(entry.temporary, target);
      if (error != 0) error = rename(entry.temporary, target);
      if (error != 0)
        failures.push_back({entry.target, ErrnoText(error)});
      else
        renamed.push_back(target);
    } catch (const std::exception& error) {
      failures.push_back({entry.target, error.what()});
    }
  }
  std::set<std::string> folders;
  for (const std::string& target : renamed)
    if (folders.insert(fs::path(target).parent_path().string()).second) SyncFolderOf(target);
  return failures;
}

void CommitRecord::Remove() const {
  ::unlink(FilePath().c_str());
  SyncFolderOf(FilePath());
}

std::string CommitRecord::CommittedFile(const std::string& target) const {
  if (state_ != State::Complete) return target;
  const std::string wanted = Normal(target);
  for (const Entry& entry : entries_) {
    if (Normal(entry.target) != wanted) continue;
    if (FileFingerprint::OfFile(entry.temporary) == entry.fingerprint) return entry.temporary;
    break;
  }
  return target;
}

std::vector<std::string> CommitRecord::WaitingFiles() const {
  std::vector<std::string> files;
  if (state_ != State::Complete) return files;
  for (const Entry& entry : entries_)
    if (Exists(entry.temporary)) files.push_back(entry.temporary);
  return files;
}

CommitRecord::Recovery CommitRecord::Recover(const std::string& folder,
                                             const RenameFunction& rename) {
  const CommitRecord record = Read(folder);
  Recovery recovery;
  // The record goes first: should this be cut short, what is left are
  // temporary files of a writer that is gone, which any holder clears away.
  const auto drop = [&](const std::vector<std::string>& temporaries) {
    record.Remove();
    for (const std::string& temporary : temporaries) {
      struct stat info {};
      if (::lstat(temporary.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::unlink(temporary.c_str());
    }
    recovery.outcome = Recovery::Outcome::Dropped;
  };

  switch (record.state_) {
    case State::None:
      return recovery;
    case State::Damaged:
      recovery.failures.push_back({record.FilePath(), "the record is damaged"});
      drop(record.salvaged_);
      return recovery;
    case State::Complete:
      break;
  }

  // Each new file either still waits whole, or is in place already.
  bool anyInPlace = false;
  std::vector<std::string> temporaries;
  for (const Entry& entry : record.entries_) {
    temporaries.push_back(entry.temporary);
    if (Exists(entry.temporary)) {
      if (FileFingerprint::OfFile(entry.temporary) != entry.fingerprint)
        recovery.failures.push_back(
            {entry.target, "its new content " + entry.temporary + " is damaged"});
      continue;
    }
    std::optional<FileFingerprint> target;
    try {
      target = FileFingerprint::OfFile(ResolvedTarget(entry.target));
    } catch (const std::exception&) {
    }
    if (target == entry.fingerprint)
      anyInPlace = true;
    else
      recovery.failures.push_back(
          {entry.target, "its new content " + entry.temporary + " is missing"});
  }
  if (!recovery.failures.empty()) {
    // Nothing replaced yet: the old set is whole, and stays.
    if (!anyInPlace)
      drop(temporaries);
    else
      recovery.outcome = Recovery::Outcome::Pending;
    return recovery;
  }
  recovery.failures = record.Apply(rename);
  if (!recovery.failures.empty()) {
    recovery.outcome = Recovery::Outcome::Pending;
    return recovery;
  }
  record.Remove();
  recovery.outcome = Recovery::Outcome::RolledForward;
  return recovery;
}

}  // namespace qv

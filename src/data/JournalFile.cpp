#include "data/JournalFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "data/AtomicFile.h"
#include "data/ChangeRecordCodec.h"
#include "data/TableError.h"

namespace qv {

namespace {

constexpr std::string_view kMagic = "QVMap journal 1";
constexpr std::size_t kFrameHead = 8;  // length and CRC-32

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetNumber(std::string_view in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
  return value;
}

[[noreturn]] void Fail(const std::string& path, int error) {
  throw TableError("Cannot write file " + path + ": " + ErrnoText(error));
}

// Writes all of `bytes`, however the system splits them.
void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
    if (wrote < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
}

enum class Frame { Whole, Cut, Damaged };

// The frame at `at`: its payload when whole and sound.
Frame ReadFrame(std::string_view file, std::size_t at, std::string_view& payload) {
  if (file.size() - at < kFrameHead) return Frame::Cut;
  const std::uint64_t length = GetNumber(file, at, 4);
  const auto crc = static_cast<std::uint32_t>(GetNumber(file, at + 4, 4));
  if (file.size() - at - kFrameHead < length) return Frame::Cut;
  payload = file.substr(at + kFrameHead, length);
  return FileFingerprint::Of(payload).crc32 == crc ? Frame::Whole : Frame::Damaged;
}

}  // namespace

JournalFile::Universe JournalFile::FingerprintsOf(const std::vector<std::string>& paths) {
  Universe universe;
  for (const std::string& path : paths)
    universe.push_back(FileFingerprint::OfFile(path));
  return universe;
}

JournalFile::JournalFile(std::string path, Universe universe)
    : path_(std::move(path)), universe_(std::move(universe)) {}

JournalFile::~JournalFile() {
  Close();
}

void JournalFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool JournalFile::Exists() const {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path_, ec));
}

std::string JournalFile::Frame(const std::string& payload) {
  std::string frame;
  frame.reserve(kFrameHead + payload.size());
  PutNumber(frame, payload.size(), 4);
  PutNumber(frame, FileFingerprint::Of(payload).crc32, 4);
  frame += payload;
  return frame;
}

std::string JournalFile::UniverseRecord() const {
  std::string payload(kMagic);
  PutNumber(payload, universe_.size(), 4);
  for (const std::optional<FileFingerprint>& file : universe_) {
    PutNumber(payload, file ? 1 : 0, 1);
    PutNumber(payload, file ? file->size : 0, 8);
    PutNumber(payload, file ? file->crc32 : 0, 4);
  }
  return payload;
}

JournalFile::Contents JournalFile::Read() const {
  Contents contents;
  if (!Exists()) return contents;
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    contents.state = Contents::State::Foreign;
    contents.problem = "Cannot open file " + path_ + ": " + ErrnoText(errno);
    return contents;
  }
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string_view payload;
  switch (ReadFrame(file, 0, payload)) {
    case Frame::Cut:
      // Cut short while it was made: it holds no step yet.
      contents.state = Contents::State::Found;
      contents.droppedBytes = file.size();
      return contents;
    case Frame::Damaged:
      contents.state = Contents::State::Foreign;
      contents.problem = "its first record is damaged";
      return contents;
    case Frame::Whole:
      break;
  }
  if (payload != UniverseRecord()) {
    contents.state = Contents::State::Foreign;
    contents.problem = payload.starts_with(kMagic) ? "it was written against other universe files"
                                                   : "it is not a journal of this program";
    return contents;
  }
  contents.state = Contents::State::Found;
  std::size_t at = kFrameHead + payload.size();
  while (at < file.size() && ReadFrame(file, at, payload) == Frame::Whole) {
    std::optional<ChangeRecord> step = DecodeChangeRecord(payload);
    if (!step) break;
    contents.steps.push_back(std::move(*step));
    at += kFrameHead + payload.size();
  }
  contents.soundLength = at;
  contents.droppedBytes = file.size() - at;
  return contents;
}

void JournalFile::OpenForAppend() {
  if (fd_ >= 0) return;
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd_ < 0) Fail(path_, errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    Close();
    Fail(path_, error);
  }
  if (info.st_size == 0) {
    // A new journal: its universe record first, and its name made durable.
    try {
      WriteAll(fd_, Frame(UniverseRecord()), path_);
      if (::fdatasync(fd_) != 0) Fail(path_, errno);
    } catch (...) {
      Close();
      throw;
    }
    SyncFolder();
  }
}

void JournalFile::Append(const ChangeRecord& step) {
  OpenForAppend();
  WriteAll(fd_, Frame(EncodeChangeRecord(step)), path_);
  if (::fdatasync(fd_) != 0) Fail(path_, errno);
}

void JournalFile::KeepFirst(std::uint64_t length) {
  Close();
  if (::truncate(path_.c_str(), static_cast<off_t>(length)) != 0) Fail(path_, errno);
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) Fail(path_, errno);
  const int synced = ::fdatasync(fd);
  const int error = errno;
  ::close(fd);
  if (synced != 0) Fail(path_, error);
}

std::string JournalFile::MoveAside(const std::string& suffix) {
  Close();
  std::string target = path_ + suffix;
  std::error_code ec;
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(target, ec)); ++n)
    target = path_ + suffix + "." + std::to_string(n);
  if (::rename(path_.c_str(), target.c_str()) != 0) Fail(target, errno);
  SyncFolder();
  return target;
}

void JournalFile::Remove() {
  Close();
  if (::unlink(path_.c_str()) != 0 && errno != ENOENT) Fail(path_, errno);
  SyncFolder();
}

void JournalFile::SyncFolder() const {
  SyncFolderOf(path_);
}

}  // namespace qv

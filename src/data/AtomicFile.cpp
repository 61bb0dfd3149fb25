#include "data/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

#include "data/TableError.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTempExtension = ".qvtmp";
constexpr int kMaxLinkHops = 40;  // as the system's own limit on link chains

[[noreturn]] void ThrowWriteError(const std::string& path, const std::string& reason) {
  throw TableError("Cannot write file " + path + ": " + reason);
}

// Where a chain of symbolic links at `path` ends (`path` itself when it is
// no link). The end need not exist yet.
std::string FollowLinks(const std::string& path) {
  fs::path current(path);
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(current, ec))) return current.string();
    const fs::path next = fs::read_symlink(current, ec);
    if (ec) ThrowWriteError(path, ec.message());
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  ThrowWriteError(path, ErrnoText(ELOOP));
}

std::string RandomSuffix() {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::random_device random;
  std::string suffix(6, '0');
  for (char& c : suffix)
    c = kDigits[random() % (sizeof kDigits - 1)];
  return suffix;
}

// "<target>.<pid>-<random>.qvtmp": beside the target, so that the rename stays
// on one file system, and telling whose it is.
std::string TempNameFor(const std::string& target) {
  return target + "." + std::to_string(::getpid()) + "-" + RandomSuffix() +
         std::string(kTempExtension);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced costs
// nothing but that.
void SyncFolderOf(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ProcessIsRunning(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process id in a temporary name StagedFile made; 0 for a leftover of an
// earlier build (which used fixed names), -1 for any other name.
long WriterOfTemporaryName(std::string_view name) {
  if (name.ends_with(".cds.tmp")) return 0;
  if (const auto mark = name.rfind(".INI.~"); mark != std::string_view::npos)
    return AllDigits(name.substr(mark + 6)) ? 0 : -1;
  if (!name.ends_with(kTempExtension)) return -1;
  name.remove_suffix(kTempExtension.size());
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return -1;
  const std::string_view tag = name.substr(dot + 1);  // "<pid>-<random>"
  const auto dash = tag.find('-');
  if (dash == std::string_view::npos || tag.size() - dash - 1 != 6) return -1;
  const std::string_view pid = tag.substr(0, dash);
  if (!AllDigits(pid) || pid.size() > 9) return -1;
  return std::stol(std::string(pid));
}

// Removes the temporary files of `target` that no running writer owns: in
// a folder of the player's own only the names StagedFile made for `target`.
void RemoveStaleTemporariesOf(const std::string& target) {
  const fs::path path(target);
  const std::string prefix = path.filename().string() + ".";
  std::error_code ec;
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(kTempExtension)) continue;
    if (name.find('.', prefix.size()) != name.size() - kTempExtension.size()) continue;
    const long writer = WriterOfTemporaryName(name);
    if (writer <= 0 || ProcessIsRunning(writer)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored) && !it->is_symlink(ignored)) fs::remove(it->path(), ignored);
  }
}

}  // namespace

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

bool IsWriteProtected(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  return fs::is_regular_file(status) &&
         (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

StagedFile::StagedFile(std::string path) : path_(std::move(path)), target_(FollowLinks(path_)) {
  std::error_code ec;
  const fs::file_status status = fs::status(target_, ec);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) ThrowWriteError(path_, "it is a folder");
    if (IsWriteProtected(target_)) ThrowWriteError(path_, "the file is read-only");
    mode_ = static_cast<unsigned>(status.permissions() & fs::perms::mask);
    keepMode_ = true;
  }
  // A name that some other file already has is never opened: another one is tried.
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temp_ = TempNameFor(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) {
      const int error = errno;
      temp_.clear();
      ThrowWriteError(path_, ErrnoText(error));
    }
  }
  if (fd_ < 0) {
    temp_.clear();
    ThrowWriteError(path_, ErrnoText(EEXIST));
  }
}

StagedFile::StagedFile(std::string path, std::string_view content) : StagedFile(std::move(path)) {
  Append(content);
}

StagedFile::~StagedFile() {
  Abort();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      temp_(std::exchange(other.temp_, std::string())),
      fd_(std::exchange(other.fd_, -1)),
      mode_(other.mode_),
      keepMode_(other.keepMode_) {}

void StagedFile::Append(std::string_view content) {
  if (fd_ < 0) ThrowWriteError(path_, "the file is closed");
  if (!WriteAll(fd_, content)) {
    const int error = errno;
    Abort();
    ThrowWriteError(path_, ErrnoText(error));
  }
}

void StagedFile::Commit() {
  if (fd_ < 0) ThrowWriteError(path_, "the file is closed");
  // The replacement keeps the mode the player gave the file, and the rename
  // must not reach the disk before the data does.
  int error = 0;
  if (keepMode_) ::fchmod(fd_, static_cast<mode_t>(mode_));
  if (::fsync(fd_) != 0) error = errno;
  if (::close(std::exchange(fd_, -1)) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error = errno;
  if (error != 0) {
    Abort();
    ThrowWriteError(path_, ErrnoText(error));
  }
  temp_.clear();
  SyncFolderOf(target_);
}

void StagedFile::Abort() noexcept {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (temp_.empty()) return;
  ::unlink(temp_.c_str());
  temp_.clear();
}

void ReplaceFileAtomically(const std::string& path, std::string_view content) {
  StagedFile(path, content).Commit();
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
  std::error_code ec;
  std::vector<std::string> linkTargets;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (it->is_symlink(ignored)) {
      // A file replaced through a link gets its temporary beside the file
      // the link leads to, perhaps in another folder.
      try {
        linkTargets.push_back(FollowLinks(it->path().string()));
      } catch (const TableError&) {
        // A link that leads nowhere has no temporary of ours.
      }
      continue;
    }
    const std::string name = it->path().filename().string();
    const long writer = WriterOfTemporaryName(name);
    if (writer < 0 || ProcessIsRunning(writer)) continue;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
  for (const std::string& target : linkTargets)
    RemoveStaleTemporariesOf(target);
}

}  // namespace qv

#include "data/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#if __has_include(<linux/fs.h>)
#include <linux/fs.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "data/TableError.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTempExtension = ".qvtmp";
constexpr std::size_t kRandomLength = 6;
constexpr int kMaxLinkHops = 40;  // as the system's own limit on link chains
// How much later than a file's last write a process must have started before
// it counts as another process of the same number: the clock of the files and
// the start times of processes may differ by a second or so, and a clock set
// forward a little must not make a running writer's file look abandoned.
constexpr double kStartTimeMargin = 10.0;

[[noreturn]] void ThrowWriteError(const std::string& path, const std::string& reason) {
  throw TableError("Cannot write file " + path + ": " + reason);
}

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

constexpr char kRandomDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

std::string RandomSuffix() {
  std::random_device random;
  std::string suffix(kRandomLength, '0');
  for (char& c : suffix)
    c = kRandomDigits[random() % (sizeof kRandomDigits - 1)];
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

bool ProcessIsRunning(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process id in a name StagedFile makes ("<file>.<pid>-<random>.qvtmp"),
// -1 for any other name: a player's "notes.cds.tmp" is none of ours.
long WriterOfTemporaryName(std::string_view name) {
  if (!name.ends_with(kTempExtension)) return -1;
  name.remove_suffix(kTempExtension.size());
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return -1;
  const std::string_view tag = name.substr(dot + 1);  // "<pid>-<random>"
  const auto dash = tag.find('-');
  if (dash == std::string_view::npos || tag.size() - dash - 1 != kRandomLength) return -1;
  const std::string_view random = tag.substr(dash + 1);
  if (random.find_first_not_of(kRandomDigits) != std::string_view::npos) return -1;
  const std::string_view pid = tag.substr(0, dash);
  if (!AllDigits(pid) || pid.size() > 9) return -1;
  return std::stol(std::string(pid));
}

// When the system started, in seconds since the epoch ("btime" of /proc/stat).
std::optional<double> BootTime() {
  std::ifstream stat("/proc/stat");
  std::string key;
  long long seconds = 0;
  while (stat >> key) {
    if (key == "btime" && stat >> seconds) return static_cast<double>(seconds);
    stat.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  return std::nullopt;
}

// When process `pid` started, in seconds since the epoch; nothing where the
// system does not tell (no /proc).
std::optional<double> ProcessStartTime(long pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::stringstream text;
  text << file.rdbuf();
  const std::string stat = text.str();
  // The name in parentheses may hold blanks; the fields after it do not.
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  // The state is field 3, the start time field 22, in clock ticks since boot.
  for (int number = 3; number <= 22; ++number)
    if (!(fields >> field)) return std::nullopt;
  unsigned long long ticks = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), ticks);
  const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
  const std::optional<double> boot = BootTime();
  if (ec != std::errc() || ticksPerSecond <= 0 || !boot) return std::nullopt;
  return *boot + static_cast<double>(ticks) / static_cast<double>(ticksPerSecond);
}

// Whether the writer named in a temporary file's name may still be at work on
// it: a process of that number runs, and it started before the file was last
// written.
bool WriterMayStillRun(long pid, const struct stat& file) {
  if (!ProcessIsRunning(pid)) return false;
  const std::optional<double> started = ProcessStartTime(pid);
  if (!started) return true;
  const double written =
      static_cast<double>(file.st_mtim.tv_sec) + static_cast<double>(file.st_mtim.tv_nsec) * 1e-9;
  return *started <= written + kStartTimeMargin;
}

// The player's "chattr +i" (or +a): not even the owner may replace the file.
bool IsImmutable(const std::string& path) {
#if defined(FS_IOC_GETFLAGS) && defined(FS_IMMUTABLE_FL) && defined(FS_APPEND_FL)
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  int flags = 0;
  const bool got = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  ::close(fd);
  return got && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
#else
  (void)path;
  return false;
#endif
}

// Removes `path` when it is a temporary file StagedFile made whose writer is
// gone, and none of `keep`.
void RemoveIfStale(const std::string& path, const std::vector<std::string>& keep) {
  const long writer = WriterOfTemporaryName(fs::path(path).filename().string());
  if (writer < 0) return;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  if (WriterMayStillRun(writer, info)) return;
  const bool kept = std::any_of(keep.begin(), keep.end(), [&](const std::string& k) {
    std::error_code same;
    return fs::equivalent(k, path, same);
  });
  if (!kept) ::unlink(path.c_str());
}

// Removes the temporary files of `target` that no running writer owns: in
// a folder of the player's own only the names StagedFile made for `target`.
void RemoveStaleTemporariesOf(const std::string& target, const std::vector<std::string>& keep) {
  const fs::path path(target);
  const std::string prefix = path.filename().string() + ".";
  std::error_code ec;
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(kTempExtension)) continue;
    if (name.find('.', prefix.size()) != name.size() - kTempExtension.size()) continue;
    RemoveIfStale(it->path().string(), keep);
  }
}

}  // namespace

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

std::string ResolvedTarget(const std::string& path) {
  return FollowLinks(path);
}

std::string WriteFailureText(const std::string& path, const std::exception& error) {
  std::string reason = error.what();
  const std::string prefix = "Cannot write file " + path + ": ";
  if (const auto at = reason.find(prefix); at != std::string::npos)
    reason.erase(0, at + prefix.size());
  else if (const auto named = reason.find(path + ": "); named != std::string::npos)
    reason.erase(0, named + path.size() + 2);
  return "Cannot write file " + path + "\n" + reason;
}

void SyncFolderOf(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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
    if (fs::is_regular_file(status) && IsImmutable(target_))
      ThrowWriteError(path_, "the file is protected from changes (immutable)");
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

void StagedFile::Flush() {
  if (fd_ < 0) {
    if (temp_.empty()) ThrowWriteError(path_, "the file is closed");
    return;  // flushed before
  }
  // The replacement keeps the mode the player gave the file, and the rename
  // must not reach the disk before the data does.
  int error = 0;
  if (keepMode_) ::fchmod(fd_, static_cast<mode_t>(mode_));
  if (::fsync(fd_) != 0) error = errno;
  if (::close(std::exchange(fd_, -1)) != 0 && error == 0) error = errno;
  if (error != 0) {
    Abort();
    ThrowWriteError(path_, ErrnoText(error));
  }
}

void StagedFile::Commit() {
  Flush();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    Abort();
    ThrowWriteError(path_, ErrnoText(error));
  }
  temp_.clear();
  SyncFolderOf(target_);
}

void StagedFile::Release() {
  Flush();
  temp_.clear();
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

void RemoveStaleTemporaryFiles(const std::string& folder, const std::vector<std::string>& keep) {
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
    RemoveIfStale(it->path().string(), keep);
  }
  for (const std::string& target : linkTargets)
    RemoveStaleTemporariesOf(target, keep);
}

}  // namespace qv

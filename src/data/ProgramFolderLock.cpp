#include "data/ProgramFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

#include "data/AtomicFile.h"
#include "data/CommitRecord.h"
#include "data/ProgramHome.h"

namespace qv {
namespace {

constexpr int kOpenAttempts = 10;

// The process id written in the lock file, 0 when there is none.
long ReadHolder(int fd) {
  char text[32] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return 0;
  long pid = 0;
  std::from_chars(text, text + got, pid);
  return pid;
}

// True when `fd` is still the file at `path`: a holder that released the lock
// has removed the file, and a lock on the removed file keeps nobody out.
bool IsFileAt(int fd, const std::string& path) {
  struct stat open {};
  struct stat named {};
  return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

std::string ProgramFolderLock::LockFileName(const std::string& programFolder) {
  return ProgramFolder(programFolder) + "QVMap.lock";
}

ProgramFolderLock::ProgramFolderLock(const std::string& programFolder)
    : path_(LockFileName(programFolder)) {
  const std::string folder = ProgramFolder(programFolder);
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      problem_ = "cannot lock the program folder " + folder + ": " + ErrnoText(errno);
      return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      const long holder = ReadHolder(fd);
      ::close(fd);
      if (error == EWOULDBLOCK) {
        heldElsewhere_ = true;
        problem_ = "the universe in " + folder + " is open in another program";
        if (holder > 0) problem_ += " (process " + std::to_string(holder) + ")";
      } else {
        problem_ = "cannot lock the program folder " + folder + ": " + ErrnoText(error);
      }
      return;
    }
    if (!IsFileAt(fd, path_)) {
      ::close(fd);  // its holder released it meanwhile: try the new one
      continue;
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
      // The lock holds without the note; only the others' message lacks the id.
    }
    fd_ = fd;
    RemoveStaleTemporaryFiles(folder);
    // A save cut short leaves new files that the next start puts in place.
    const std::string data = folder + "Data";
    RemoveStaleTemporaryFiles(data, CommitRecord::Read(data).WaitingFiles());
    return;
  }
  problem_ = "cannot lock the program folder " + folder + ": it keeps changing";
}

ProgramFolderLock::~ProgramFolderLock() {
  if (fd_ < 0) return;
  // Removed while still locked, so that nobody can lock the old file after us.
  ::unlink(path_.c_str());
  ::close(fd_);
}

}  // namespace qv

#pragma once

#include <string>

namespace qv {

// One writer per program folder. The holder keeps the lock file "QVMap.lock"
// in the folder open and locked, with its process id inside for the others to
// name; the lock goes with the holder, so a killed holder's lock is taken over
// by the next program that asks. Taking it also clears away the temporary files
// that killed writers left in the folder and its "Data" folder, except those
// that a save cut short still needs (CommitRecord: the holder completes it).
class ProgramFolderLock {
 public:
  // Tries to take the lock of `programFolder`; never waits.
  explicit ProgramFolderLock(const std::string& programFolder);
  ~ProgramFolderLock();  // releases it and removes the lock file
  ProgramFolderLock(const ProgramFolderLock&) = delete;
  ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Another program holds the folder (as opposed to the lock file not being
  // usable at all, say in a folder nobody may write).
  bool HeldElsewhere() const { return heldElsewhere_; }
  // Why the lock is not held, for the player: "the universe in <folder> is
  // open in another program (process <pid>)" or "cannot lock the program
  // folder <folder>: <reason>".
  const std::string& Problem() const { return problem_; }

  static std::string LockFileName(const std::string& programFolder);

 private:
  std::string path_;
  int fd_ = -1;
  bool heldElsewhere_ = false;
  std::string problem_;
};

}  // namespace qv

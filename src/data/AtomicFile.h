#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The text of an errno value ("Permission denied").
std::string ErrnoText(int error);

// True when `path` is an existing file that its owner may not write: such a
// file is the player's way of saying "keep this", and no writer replaces it.
bool IsWriteProtected(const std::string& path);

// Where a chain of symbolic links at `path` ends (`path` itself when it is no
// link): the file that a replacement of `path` really replaces. The end need
// not exist yet. Throws TableError "Cannot write file <path>: <reason>" for a
// link that leads nowhere readable or in a loop.
std::string ResolvedTarget(const std::string& path);

// "Cannot write file <path>", a line break and the reason of `error` (without
// the "Cannot write file <path>: " that writers put in front of it): how every
// failed write is told to the player.
std::string WriteFailureText(const std::string& path, const std::exception& error);

// The new content of one file, written to a temporary file of its own and not
// yet in place. Several of them let a set of files be replaced together: stage
// all, then commit all, or drop them all and leave every old file as it was.
// (CommitRecord makes the renames of such a set one commit.)
//
// The temporary file is created exclusively beside the target under the name
// "<target>.<pid>-<random>.qvtmp", which no other writer uses and which tells
// whose it is. When `path` is a symbolic link, the file it leads to is
// replaced and the link stays.
class StagedFile {
 public:
  // Makes the empty temporary file. Throws TableError "Cannot write file
  // <path>: <reason>" and leaves nothing behind when the target is a folder
  // or write-protected (read-only or immutable), or the temporary file cannot
  // be made.
  explicit StagedFile(std::string path);
  // The same, filled with `content`.
  StagedFile(std::string path, std::string_view content);
  ~StagedFile();  // Abort() unless committed or released
  StagedFile(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  StagedFile& operator=(StagedFile&&) = delete;

  const std::string& Path() const { return path_; }
  // The file the rename replaces (Path(), or where its link leads).
  const std::string& Target() const { return target_; }
  // The temporary file; empty once committed, released or dropped.
  const std::string& TemporaryPath() const { return temp_; }
  // Adds `content` at the end of the temporary file (a large file is
  // written in parts). Throws TableError as above, and drops the file then.
  void Append(std::string_view content);
  // Gives the temporary file the target's permissions and flushes it to the
  // disk, so that a rename can no longer reach the disk before the data.
  // Throws TableError as above, and drops the file then.
  void Flush();
  // Flush() unless done, then renames the temporary file over the target.
  // Throws TableError as above; the target is then as it was and the
  // temporary file is gone.
  void Commit();
  // Leaves the flushed temporary file where it is, for a commit record to
  // put in place; this object forgets it.
  void Release();
  // Removes the temporary file; the target stays as it was.
  void Abort() noexcept;

 private:
  std::string path_;    // as given, for messages
  std::string target_;  // the file replaced: path_, or where its link leads
  std::string temp_;    // empty once committed or dropped
  int fd_ = -1;         // the temporary file, open until flushed or dropped
  unsigned mode_ = 0;   // the target's permissions, kept by the replacement
  bool keepMode_ = false;
};

// Replaces one file: StagedFile(path, content).Commit(). A failure at any point
// leaves the old file as it was.
void ReplaceFileAtomically(const std::string& path, std::string_view content);

// Makes the renames and removals in the folder of `file` durable; a folder
// that cannot be synced costs nothing but that.
void SyncFolderOf(const std::string& file);

// Removes the temporary files that writers of this program left in `folder`
// when they were killed: only names StagedFile makes, only regular files, none
// of `keep` (full paths), and only when the process named in the name is gone.
// A process of that number that started well after the file was last written
// cannot have written it (the number was handed out again, or it is the first
// process of a later start of the system): its leftover goes too. For a file
// of `folder` that is a symbolic link, the same for the temporaries StagedFile
// made for that file beside the link's target.
void RemoveStaleTemporaryFiles(const std::string& folder,
                               const std::vector<std::string>& keep = {});

}  // namespace qv

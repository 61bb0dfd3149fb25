#pragma once

#include <string>
#include <string_view>

namespace qv {

// The text of an errno value ("Permission denied").
std::string ErrnoText(int error);

// True when `path` is an existing file that its owner may not write: such a
// file is the player's way of saying "keep this", and no writer replaces it.
bool IsWriteProtected(const std::string& path);

// The new content of one file, written to a temporary file of its own and not
// yet in place. Several of them let a set of files be replaced together: stage
// all, then commit all, or drop them all and leave every old file as it was.
//
// The temporary file is created exclusively beside the target under a name no
// other writer uses (it carries the process id), so two writers never share
// one. When `path` is a symbolic link, the file it leads to is replaced and the
// link stays.
class StagedFile {
 public:
  // Makes the empty temporary file. Throws TableError "Cannot write file
  // <path>: <reason>" and leaves nothing behind when the target is a folder
  // or write-protected, or the temporary file cannot be made.
  explicit StagedFile(std::string path);
  // The same, filled with `content`.
  StagedFile(std::string path, std::string_view content);
  ~StagedFile();  // Abort() unless committed
  StagedFile(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  StagedFile& operator=(StagedFile&&) = delete;

  const std::string& Path() const { return path_; }
  // Adds `content` at the end of the temporary file (a large file is
  // written in parts). Throws TableError as above, and drops the file then.
  void Append(std::string_view content);
  // Flushes the temporary file to the disk and renames it over the target.
  // Throws TableError as above; the target is then as it was and the
  // temporary file is gone.
  void Commit();
  // Removes the temporary file; the target stays as it was.
  void Abort() noexcept;

 private:
  std::string path_;    // as given, for messages
  std::string target_;  // the file replaced: path_, or where its link leads
  std::string temp_;    // empty once committed or dropped
  int fd_ = -1;         // the temporary file, open until committed or dropped
  unsigned mode_ = 0;   // the target's permissions, kept by the replacement
  bool keepMode_ = false;
};

// Replaces one file: StagedFile(path, content).Commit(). A failure at any point
// leaves the old file as it was.
void ReplaceFileAtomically(const std::string& path, std::string_view content);

// Removes the temporary files that writers of this program left in `folder`
// when they were killed: only names StagedFile makes (and the fixed ones that
// earlier builds used), and only of processes that no longer run. For a file
// of `folder` that is a symbolic link, also the temporaries StagedFile made
// for that file beside the link's target.
void RemoveStaleTemporaryFiles(const std::string& folder);

}  // namespace qv

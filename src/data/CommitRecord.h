#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The size and CRC-32 of a file's content: what tells one version of a table
// file from another. A journal of changes can name the universe it was written
// against by the fingerprints of its files.
struct FileFingerprint {
  std::uint64_t size = 0;
  std::uint32_t crc32 = 0;

  static FileFingerprint Of(std::string_view content);
  // Of the regular file at `path`; nothing when it is none or cannot be read.
  static std::optional<FileFingerprint> OfFile(const std::string& path);
  friend bool operator==(const FileFingerprint&, const FileFingerprint&) = default;
};

// Makes the replacement of several files of one folder one commit. The writer
// stages every new file beside its target and flushes it (StagedFile), writes
// this record naming each target, its temporary file and the new content's
// fingerprint, then renames the temporary files over their targets, and
// removes the record last. Until the record is gone the folder holds the new
// set, whatever has been renamed so far:
//   - whoever holds the folder next completes the renames before reading
//     (Recover), and a reader without the folder reads each file from where
//     the record says its new content is (CommittedFile);
//   - a record that is damaged, or that names a new file no longer whole while
//     no target has been replaced yet, is dropped with its temporary files:
//     the old set stands.
// The record itself is staged and renamed into place, so it is there whole or
// not at all; a checksum over its text guards it against any other damage.
//
// File format (UTF-8 text, one entry a line, fields separated by a TAB; a
// "%", TAB, CR or LF inside a path is written "%25", "%09", "%0D", "%0A"):
//   QVMap commit record 1
//   <target> TAB <temporary> TAB <size> TAB <crc32, 8 hex digits>   (per file)
//   end TAB <number of files> TAB <crc32 of every byte above this line>
// Paths of files in the record's folder are given by name, others in full.
class CommitRecord {
 public:
  static constexpr const char* kFileName = "universe.commit";

  enum class State {
    None,      // no record: the files are what they are
    Complete,  // a record, whole: its new files are the set
    Damaged,   // a record that cannot be trusted: the old files are the set
  };

  struct Entry {
    std::string target;           // the file as the folder names it (a link stays a link)
    std::string temporary;        // where its new content waits
    FileFingerprint fingerprint;  // of the new content
  };

  // A rename that fails returns an errno value, 0 on success. The system's
  // own is used unless a test stands in for a failing disk.
  using RenameFunction = std::function<int(const std::string& from, const std::string& to)>;
  static int SystemRename(const std::string& from, const std::string& to);

  struct Failure {
    std::string target;
    std::string reason;
  };

  // What Recover found and did.
  struct Recovery {
    enum class Outcome {
      Nothing,        // no record
      RolledForward,  // the interrupted save is complete now
      Dropped,        // the old set stands; the record and its files are gone
      Pending,        // the new set could not be put in place; the record stays
    };
    Outcome outcome = Outcome::Nothing;
    std::vector<Failure> failures;  // Dropped: why; Pending: what is still not in place
  };

  // An empty record for `folder`, to be filled with Add and written.
  explicit CommitRecord(std::string folder);

  // The record of `folder` as it is on disk (State None without one).
  static CommitRecord Read(const std::string& folder);

  const std::string& Folder() const { return folder_; }
  std::string FilePath() const;
  State GetState() const { return state_; }
  const std::vector<Entry>& Entries() const { return entries_; }

  void Add(Entry entry);
  // Writes the record and makes it durable; from then on the new set counts.
  // Throws TableError "Cannot write file <record>: <reason>" (nothing is then
  // left of it).
  void Write();
  // Renames every temporary file still there over its target, each retried
  // once when it fails, and makes the renames durable. Returns the targets
  // that are still not in place; the record must then stay.
  std::vector<Failure> Apply(const RenameFunction& rename = SystemRename) const;
  // Removes the record once every file is in place.
  void Remove() const;

  // For a reader that may change nothing: the file that holds the content of
  // `target` in the set this record names (its temporary file while that is
  // still waiting whole, else `target` itself).
  std::string CommittedFile(const std::string& target) const;
  // The temporary files a complete record still needs (no cleaner may take them).
  std::vector<std::string> WaitingFiles() const;

  // For the holder of the folder, before anything is read: completes an
  // interrupted commit, or drops one that cannot count.
  static Recovery Recover(const std::string& folder, const RenameFunction& rename = SystemRename);

 private:
  std::string folder_;
  State state_ = State::None;
  std::vector<Entry> entries_;
  // Temporary files named by the readable lines of a damaged record: dropped with it.
  std::vector<std::string> salvaged_;

  std::string Text() const;
  void Parse(const std::string& text);
  std::string Absolute(const std::string& stored) const;
  std::string Relative(const std::string& path) const;
};

}  // namespace qv

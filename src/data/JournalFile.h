#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/ChangeRecord.h"
#include "data/CommitRecord.h"

namespace qv {

// The journal beside the universe files: every step since the last save, so
// that a program that did not end normally loses none of them. Each step is
// appended and synced to the disk before the edit counts as done.
//
// File format: a sequence of records, each a 4-byte length and the CRC-32 of
// its payload (both little-endian), then the payload. The first record names
// the universe the steps apply to: "QVMap journal 1" and, for each of its
// files, whether it existed and its fingerprint. Every other record is one
// step (EncodeChangeRecord), in the order they were made; an undo is the step
// it took back, reversed.
class JournalFile {
 public:
  static constexpr const char* kFileName = "QVMap.journal";
  // Each universe file's fingerprint, or none for a file that did not exist.
  using Universe = std::vector<std::optional<FileFingerprint>>;
  static Universe FingerprintsOf(const std::vector<std::string>& paths);

  // What a journal holds.
  struct Contents {
    enum class State {
      None,     // no journal
      Foreign,  // written against other files (or no journal of this program)
      Found,    // a journal of these files
    };
    State state = State::None;
    std::vector<ChangeRecord> steps;  // its complete steps, in order
    std::uint64_t soundLength = 0;    // the bytes up to the end of the last complete step
    // Bytes after them that were cut short or damaged, and are not replayed.
    std::uint64_t droppedBytes = 0;
    std::string problem;  // why the journal could not be read, when it could not
  };

  JournalFile(std::string path, Universe universe);
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  const std::string& Path() const { return path_; }
  bool Exists() const;
  Contents Read() const;

  // Appends one step and syncs it to the disk; a new journal first gets its
  // universe record. Throws TableError "Cannot write file <path>: <reason>".
  void Append(const ChangeRecord& step);
  // Cuts the journal back to `length` bytes (after a damaged end), synced.
  void KeepFirst(std::uint64_t length);
  // Moves the journal aside under "<path><suffix>", or "<path><suffix>.2",
  // ".3" ... when that name is taken, so that no earlier one is lost. Returns
  // the new path; throws TableError when the rename fails.
  std::string MoveAside(const std::string& suffix);
  // Removes the journal (after a save has made it needless), synced.
  void Remove();

  // One record's bytes: what Append writes (for tests and benchmarks).
  static std::string Frame(const std::string& payload);
  std::string UniverseRecord() const;

 private:
  void Close();
  void OpenForAppend();
  void SyncFolder() const;

  std::string path_;
  Universe universe_;
  int fd_ = -1;
};

}  // namespace qv

#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/ChangeRecord.h"
#include "data/JournalFile.h"

namespace qv {

class TDataModule1;

// The store's journal ("Data/QVMap.journal"): made after loading, it names
// the six universe files as they were read. Started, it appends every step of
// the store (edits, undos, redos) and syncs it before the step counts as
// done; a save at exit makes it needless (Finish). At start, a journal left
// by a run that did not end is read and, when the player wants it, replayed.
class StoreJournal {
 public:
  explicit StoreJournal(TDataModule1& store);
  ~StoreJournal();
  StoreJournal(const StoreJournal&) = delete;
  StoreJournal& operator=(const StoreJournal&) = delete;

  const std::string& Path() const { return file_.Path(); }
  JournalFile::Contents Read() const { return file_.Read(); }

  // What a replay did: the steps applied, and why it stopped early (a step
  // that does not fit the tables), empty when every step was applied.
  struct Replayed {
    std::size_t steps = 0;
    std::string stopped;
  };
  // Applies `steps` in order as replayed steps (no new step, DataChanged
  // set), with the tables' views suspended meanwhile.
  Replayed Replay(const std::vector<ChangeRecord>& steps);

  // From now on every step of the store is journaled. `problem` hears a
  // journal that cannot be written ("Cannot write file ...: reason"), once;
  // the steps are then kept only in memory until the save at exit. Does
  // nothing when the universe is read-only (nothing of it is saved anyway).
  // A save whose commit record is written removes the journal at once: the
  // record then holds every step, even when the save is cut short after it.
  void Start(std::function<void(const std::string&)> problem = {});
  bool Started() const { return listener_ != 0; }
  // The journal as it is named after a whole save: removed.
  void Finish();

  JournalFile& File() { return file_; }

 private:
  void Stop();

  TDataModule1& store_;
  JournalFile file_;
  int listener_ = 0;
  bool failed_ = false;
  std::function<void(const std::string&)> problem_;
};

}  // namespace qv

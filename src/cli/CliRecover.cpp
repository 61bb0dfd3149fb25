#include <memory>
#include <ostream>
#include <string>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "data/StoreJournal.h"
#include "settings/StoreStartExit.h"

namespace qv::cli {

// recover: the changes of a run of QVMap that did not end normally, replayed
// from the journal and saved, as QVMap does when the player answers Yes at
// start; the journal is then needless and removed (kept as discarded when a
// damaged end of it was left out). Holds the program folder meanwhile.
int RunRecover(CliContext& context, const CommandArgs& args) {
  if (!args.empty()) throw UsageError("recover takes no arguments");
  std::ostream& err = context.Err();
  const ProgramFolderLock lock(context.Home());
  if (!lock.Held()) {
    err << "qvmap-cli: " << lock.Problem() << "; nothing written\n";
    return 1;
  }
  std::unique_ptr<TDataModule1> store = context.EmptyStore();
  // Completes a save that was cut short first: the journal follows the last save.
  store->LoadAllTables(RequestFromThisBuild(context.Home()));
  for (const std::string& problem : store->LoadProblems())
    context.GetDialogs().ShowMessage(problem, "", MessageIcon::Warning);
  StoreJournal journal(*store);
  const JournalFile::Contents contents = journal.Read();
  try {
    if (contents.state == JournalFile::Contents::State::None) {
      context.Out() << "no journal in " << store->DataFolder() << ": nothing to recover\n";
      return 0;
    }
    if (contents.state == JournalFile::Contents::State::Foreign) {
      const std::string kept = journal.File().MoveAside(".foreign");
      err << "qvmap-cli: " << journal.Path() << ": " << contents.problem
          << "; not applied, kept as " << kept << "\n";
      return 1;
    }
    if (store->UniverseReadOnly()) {
      err << "qvmap-cli: the universe cannot be saved (see above); nothing written, "
          << journal.Path() << " is kept\n";
      return 1;
    }
    const StoreJournal::Replayed replayed = journal.Replay(contents.steps);
    const bool partial = !replayed.stopped.empty() || contents.droppedBytes > 0;
    if (!replayed.stopped.empty())
      err << "qvmap-cli: " << journal.Path() << ": only " << replayed.steps << " of "
          << contents.steps.size() << " changes could be applied: " << replayed.stopped << "\n";
    else if (contents.droppedBytes > 0)
      err << "qvmap-cli: " << journal.Path() << ": a damaged end of " << contents.droppedBytes
          << " bytes was left out\n";
    // Once the save's commit record is written the journal's changes are in
    // it, so the journal goes then, even when the save is cut short after it.
    std::string kept;
    bool committed = false;
    store->SetCommittedHook([&] {
      committed = true;
      try {
        if (partial)
          kept = journal.File().MoveAside(".discarded");
        else
          journal.Finish();
      } catch (const std::exception& error) {
        err << "qvmap-cli: " << error.what() << "\n";
      }
    });
    SaveStore(*store, context.GetDialogs());
    store->SetCommittedHook({});
    if (!committed) {
      err << "qvmap-cli: the universe was not saved; " << journal.Path() << " is kept\n";
      return 1;
    }
    if (partial) err << "qvmap-cli: the journal is kept as " << kept << "\n";
    if (!store->UniverseSaved()) {
      err << "qvmap-cli: the save is not complete; the next start completes it\n";
      return 1;
    }
    context.Out() << "recovered " << replayed.steps << " changes; the universe is saved\n";
    return partial ? 1 : 0;
  } catch (const std::exception& error) {
    err << "qvmap-cli: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace qv::cli

#include "app/JournalRestore.h"

#include <cstdint>
#include <exception>

#include "app/EditTexts.h"
#include "settings/MainTexts.h"
#include "data/DataModule1.h"
#include "data/StoreJournal.h"
#include "settings/Dialogs.h"

namespace qv {

namespace {

constexpr const char* kDiscarded = ".discarded";

std::int64_t Count(std::size_t n) {
  return static_cast<std::int64_t>(n);
}

// The journal is kept aside and a new one holds the first `applied` steps, so
// that the tables and the journal agree again.
std::string KeepAsideAndRewrite(StoreJournal& journal, const std::vector<ChangeRecord>& steps,
                                std::size_t applied) {
  const std::string kept = journal.File().MoveAside(kDiscarded);
  for (std::size_t i = 0; i < applied; ++i)
    journal.File().Append(steps[i]);
  return kept;
}

}  // namespace

bool RestoreJournalAtStart(TDataModule1& store, StoreJournal& journal, Dialogs& dialogs,
                           const TEditTexts& texts) {
  const JournalFile::Contents contents = journal.Read();
  const std::string& path = journal.Path();
  try {
    if (contents.state == JournalFile::Contents::State::None) return false;
    if (contents.state == JournalFile::Contents::State::Foreign) {
      const std::string kept = journal.File().MoveAside(".foreign");
      dialogs.ShowMessage(FormatText(texts.JournalForeignMsg, {path, contents.problem, kept}),
                          "Warning", MessageIcon::Warning);
      return false;
    }
    const std::vector<ChangeRecord>& steps = contents.steps;
    if (store.UniverseReadOnly()) {
      if (!steps.empty())
        dialogs.ShowMessage(FormatText(texts.JournalKeptMsg, {path, Count(steps.size())}),
                            "Warning", MessageIcon::Warning);
      return false;
    }
    if (steps.empty()) {
      // Nothing was journaled yet (a crash while the journal was begun).
      journal.File().KeepFirst(contents.soundLength);
      return false;
    }
    if (!dialogs.AskYesNo(FormatText(texts.RestoreMsg, {Count(steps.size())}), texts.RestoreCap)) {
      journal.File().MoveAside(kDiscarded);
      return false;
    }
    const StoreJournal::Replayed replayed = journal.Replay(steps);
    if (!replayed.stopped.empty()) {
      const std::string kept = KeepAsideAndRewrite(journal, steps, replayed.steps);
      dialogs.ShowMessage(
          FormatText(texts.JournalStoppedMsg, {Count(replayed.steps), replayed.stopped, kept}),
          "Warning", MessageIcon::Warning);
    } else if (contents.droppedBytes > 0) {
      const std::string kept = KeepAsideAndRewrite(journal, steps, replayed.steps);
      dialogs.ShowMessage(
          FormatText(texts.JournalCutMsg, {path, Count(contents.droppedBytes), kept}), "Warning",
          MessageIcon::Warning);
    }
    return replayed.steps > 0;
  } catch (const std::exception& error) {
    // The journal could not be moved or written: the changes applied stay in
    // the tables and are saved at exit.
    dialogs.ShowError(error.what());
    return false;
  }
}

}  // namespace qv

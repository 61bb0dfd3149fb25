#pragma once

#include <map>
#include <string>

#include "data/ChangeRecord.h"

namespace qv {

class IniFile;

// The Edit menu's texts: "Undo <step>" and "Redo <step>" (section
// "MainForm"), and each kind of step in words (section "Changes", keyed by
// ChangeKindKey, with "%s" for the row's name).
struct TEditTexts {
  std::string UndoMsg = "&Undo %s";
  std::string RedoMsg = "&Redo %s";
  std::string UndoNone = "&Undo";
  std::string RedoNone = "&Redo";
  std::string UndoFailedMsg = "The step could not be applied: %s";
  // The journal of a run that did not end normally.
  std::string RestoreMsg =
      "QVMap did not close normally. Restore the %d changes made since the last save?";
  std::string RestoreCap = "Restore changes";
  std::string JournalCutMsg =
      "The end of the journal %s was cut short or damaged (%d bytes) and was left out; the "
      "journal is kept as %s.";
  std::string JournalStoppedMsg =
      "Only %d of the changes could be restored: %s. The journal is kept as %s.";
  std::string JournalForeignMsg =
      "The journal %s does not belong to these universe files (%s). It was not applied and is "
      "kept as %s.";
  std::string JournalKeptMsg =
      "The journal %s holds %d changes that were not saved. The universe is read-only for this "
      "run, so they were not applied; the journal is kept as it is.";
  std::string JournalWriteErrorMsg =
      "The changes can no longer be written to the journal: %s\nThey are still saved when the "
      "program ends normally.";
  std::map<ChangeKind, std::string> kinds;  // translated kinds; the others stay English

  // The menu text for the next step, or the bare one without a step.
  std::string UndoText(const ChangeRecord* step) const;
  std::string RedoText(const ChangeRecord* step) const;
  std::string StepText(const ChangeRecord& step) const;
};

void TranslateEditTexts(const IniFile& languageFile, TEditTexts& texts);

}  // namespace qv

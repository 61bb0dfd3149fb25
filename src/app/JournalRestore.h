#pragma once

namespace qv {

class Dialogs;
class StoreJournal;
class TDataModule1;
struct TEditTexts;

// At start, after loading, for the holder of the program folder: a journal
// left by a run that did not end normally is offered once. Yes replays its
// complete steps (the tables then hold them, DataChanged set); No moves it
// aside as "QVMap.journal.discarded". A journal of other files is moved aside
// as "QVMap.journal.foreign" and never applied. A damaged end, or a step that
// no longer fits, is left out and reported; the whole journal is then kept
// as discarded and a new one holds the steps applied. No journal is ever
// deleted here. True when steps were applied.
bool RestoreJournalAtStart(TDataModule1& store, StoreJournal& journal, Dialogs& dialogs,
                           const TEditTexts& texts);

}  // namespace qv

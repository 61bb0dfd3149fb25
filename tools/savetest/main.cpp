// qvmap-savetest: the start and the exit save of the program without its
// windows, for tools/exit-save-stress to kill at any moment.
//   qvmap-savetest HOME [--delete SECTOR]   load, delete the sector (with its
//                                           factories and traders), save
//   qvmap-savetest HOME --open              load only: completes a save that
//                                           was cut short, saves nothing
// It holds the program folder as the program does. Every message goes to
// stderr on a line of its own; the exit status is 1 when there was any.
#include <iostream>
#include <string>
#include <string_view>

#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "settings/SilentDialogs.h"
#include "settings/StoreStartExit.h"

namespace {

class PrintedDialogs : public qv::SilentDialogs {
 public:
  void ShowMessage(const std::string& text, const std::string&, qv::MessageIcon) override {
    std::string line = text;
    for (char& c : line)
      if (c == '\n') c = '|';
    std::cerr << "qvmap-savetest: " << line << '\n';
    ++count;
  }
  int count = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string_view usage = "usage: qvmap-savetest HOME [--delete SECTOR | --open]\n";
  if (argc < 2) {
    std::cerr << usage;
    return 2;
  }
  const std::string home = argv[1];
  const std::string_view option = argc > 2 ? argv[2] : "";
  const bool openOnly = option == "--open";
  if ((option == "--delete" && argc != 4) || (option != "--delete" && argc > 3) ||
      (!option.empty() && option != "--delete" && !openOnly)) {
    std::cerr << usage;
    return 2;
  }
  const qv::ProgramFolderLock lock(home);
  if (!lock.Held()) {
    std::cerr << "qvmap-savetest: " << lock.Problem() << '\n';
    return 1;
  }
  PrintedDialogs dialogs;
  qv::TDataModule1 store(home);
  qv::LoadStore(store, dialogs);
  if (openOnly) return dialogs.count == 0 ? 0 : 1;
  if (option == "--delete") {
    if (!store.LocateSectorByName(argv[3])) {
      std::cerr << "qvmap-savetest: no sector " << argv[3] << '\n';
      return 1;
    }
    store.SectorsData.Delete();
  }
  qv::SaveStore(store, dialogs);
  return dialogs.count == 0 ? 0 : 1;
}

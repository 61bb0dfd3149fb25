#include "cli/Commands.h"

namespace qv::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"tables", "", RunTables},
      {"dump", "[--text] TABLE", RunDump},
      {"import", "TABLE FILE", RunImport},
      {"render",
       "OUT.bmp|OUT.png|OUT.svg [--zoom PCT] [--hidden] [REQUEST...] [--route FROM TO "
       "[ROUTE...]]",
       RunRender},
      {"stats", "[REQUEST...]", RunStats},
      {"sector", "X Y [--rates]", RunSector},
      {"profit", "FACTORY [--yield N | --cycle N] [--price PRODUCT=PRICE]...", RunProfit},
      {"complex", "[--power-cycle N] [--trace]", RunComplex},
      {"plan",
       "--target PRODUCT=RATE [--target ...] [--objective count|cost] [--price min|avg|max]\n"
       "       [--set-price PRODUCT=N]... [--buy PRODUCT]... [--no-buy PRODUCT]...\n"
       "       [--solar-cycle N] [--yield N] [--limit N] [--save]",
       RunPlan},
      {"route", "FROM TO [--hidden] [ROUTE...]", RunRoute},
      {"where",
       "PRODUCT --role made|needed|traded --from SECTOR [--hidden] [--reachable] [ROUTE...]",
       RunWhere},
      {"recover", "", RunRecover},
  };
  return commands;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : AllCommands())
    if (name == command.name) return &command;
  return nullptr;
}

std::string UsageText() {
  std::string text =
      "usage: qvmap-cli [--home DIR] [--language NAME] COMMAND [ARGS...]\n"
      "       qvmap-cli --help\n"
      "options:\n"
      "  --home DIR       the program folder, which holds the universe (Data/) and QVMap.INI;\n"
      "                   default: the executable's folder when it holds Data/ and may be\n"
      "                   written, else $XDG_DATA_HOME/qvmap (~/.local/share/qvmap, filled with\n"
      "                   the sample universe on first use; settings in ~/.config/qvmap)\n"
      "  --language NAME  apply NAME.LNG of the program folder (default: the program's language)\n"
      "commands:\n";
  for (const Command& command : AllCommands()) {
    text += "  ";
    text += command.name;
    if (*command.usage) text += std::string(" ") + command.usage;
    text += "\n";
  }
  text +=
      "request options (render, stats):\n"
      "  --product NAME:ROLE  a product type by name, ROLE prod or need (1 to 6 times)\n"
      "  --rates              hourly rates instead of factory counts\n"
      "  --traders N          traders mode 0 to 3\n"
      "  --count-your         count the player's own factories\n"
      "  --individual         individual scales\n"
      "plan options:\n"
      "  --target PRODUCT=RATE  units per hour of a product to make (once per product)\n"
      "  --objective count|cost the fewest factories (default), or the least bought from outside\n"
      "  --price min|avg|max    each product's price (default avg); --set-price one product's\n"
      "  --buy, --no-buy        what may be bought from outside (default: what no buyable type\n"
      "                         makes)\n"
      "  --solar-cycle N        seconds per solar power plant cycle (default: the complex's)\n"
      "  --yield N              a mine's yield (default 10)\n"
      "  --limit N              most factories of one type (default 100)\n"
      "  --save                 the plan becomes the saved complex (AuxFact.cds, AuxProd.cds)\n"
      "route options (route, where, render --route):\n"
      "  FROM, TO, SECTOR       a sector by its position X,Y or by its exact name\n"
      "  --hidden               hidden sectors take part (as \"Show invisible sectors\")\n"
      "  --avoid RACE           pass through no sector of that race (any number of times)\n"
      "  --avoid-pirate-bases   pass through no sector with a pirate base\n"
      "  --reachable            (where) only the sectors a route leads to\n"
      "the journal (Data/QVMap.journal, left by a run of QVMap that did not end normally):\n"
      "  the reading commands apply its changes in memory and say so on stderr; recover\n"
      "  applies them and saves the universe, as QVMap does when told to restore them;\n"
      "  import of a universe table refuses to run while a journal is there\n";
  return text;
}

}  // namespace qv::cli

#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/Commands.h"
#include "economy/SectorProducts.h"

namespace qv::cli {

namespace {

// One line a record and TAB between fields: a TAB, CR or LF inside a text
// is written as a blank.
std::string Cell(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

// sector X Y [--rates]: the products-in-sector list as its window fills it.
int RunSector(CliContext& context, const CommandArgs& args) {
  std::vector<std::string> positional;
  bool rates = false;
  for (const std::string& arg : args) {
    if (arg == "--rates") {
      rates = true;
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() > 2) throw UsageError("sector: too many arguments");
  if (positional.size() != 2) throw UsageError("sector needs X and Y");
  const int x = ParseIntArgument(positional[0], "X");
  const int y = ParseIntArgument(positional[1], "Y");

  TDataModule1& store = context.Store();
  const TSectorProducts products = BuildSectorProducts(store, x, y, rates);
  if (!products.found) {
    context.Err() << "qvmap-cli: no sector at " << x << ", " << y << "\n";
    return 1;
  }
  std::ostream& out = context.Out();
  out << Cell(products.sectorName) << '\n';
  for (const std::vector<std::string>& row : products.rows) {
    for (size_t i = 0; i < row.size(); ++i)
      out << (i ? "\t" : "") << Cell(row[i]);
    out << '\n';
  }
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli

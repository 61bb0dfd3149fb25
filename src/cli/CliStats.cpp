#include <charconv>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/Commands.h"
#include "economy/SectorStatistics.h"
#include "map/MapGeometry.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"

namespace qv::cli {

namespace {

// The shortest text that reads back to the same double.
std::string RawNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

// stats [REQUEST...]: the whole-map request statistics, one line per sector
// that has a cell, then the maxima.
int RunStats(CliContext& context, const CommandArgs& args) {
  RequestOptions requestOptions;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!TakeRequestOption(args, i, requestOptions))
      throw UsageError("unknown argument " + args[i]);
  }
  TMainWindowSettings settings;
  if (!ReadProgramSettings(context, settings)) return 1;
  TDataModule1& store = context.Store();

  TMapGeometry geometry;
  SetUpGeometry(store, settings, settings.Map.ShowInvisibleSectors, geometry);
  TRequestData request;
  TSectorArray cells;
  if (!CalcRequest(context, settings.Request, requestOptions, geometry, request, cells)) return 1;

  const int n = request.UsedCount();
  std::ostream& out = context.Out();
  const std::vector<Record> rows = [&] {
    std::vector<Record> result;
    Table& sectors = store.SectorsData;
    for (int recNo = 1; recNo <= sectors.RecordCount(); ++recNo)
      result.push_back(sectors.RecordAt(recNo));
    return result;
  }();
  const TSectorsFields& f = store.Fields().Sectors;
  for (const Record& row : rows) {
    const int x = f.X.Of(row).ToInteger();
    const int y = f.Y.Of(row).ToInteger();
    const double* cell = static_cast<const TSectorArray&>(cells).Cell(x, y);
    if (cell == nullptr) continue;
    out << x << '\t' << y;
    for (int i = 0; i < n; ++i)
      out << '\t' << RawNumber(cell[i]);
    out << '\n';
  }
  out << "max";
  for (int i = 0; i < n; ++i)
    out << '\t' << RawNumber(request.Max[i]);
  out << '\t' << RawNumber(request.OverallMax) << '\n';
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli

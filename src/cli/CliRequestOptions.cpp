#include "cli/CliRequestOptions.h"

#include <charconv>

#include "cli/CliContext.h"
#include "data/StoreCodes.h"
#include "economy/RequestBuilder.h"
#include "map/RequestData.h"
#include "settings/MainWindowSettings.h"

namespace qv::cli {

// The value of an option given as "--name VALUE" or "--name=VALUE".
std::optional<std::string> OptionValue(const CommandArgs& args, size_t& i,
                                       const std::string& name) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
    return args[++i];
  }
  if (arg.starts_with(name + "=")) return arg.substr(name.size() + 1);
  return std::nullopt;
}

namespace {

TNamedRequestProduct ParseProduct(const std::string& text) {
  const std::string::size_type colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0)
    throw UsageError("--product needs NAME:ROLE, got \"" + text + "\"");
  const std::string role = text.substr(colon + 1);
  TNamedRequestProduct product{text.substr(0, colon), CodeOf(Operation::Produces)};
  if (role == "prod") {
    product.operation = CodeOf(Operation::Produces);
  } else if (role == "need") {
    product.operation = CodeOf(Operation::Needs);
  } else {
    throw UsageError("the role of --product is prod or need, got \"" + role + "\"");
  }
  return product;
}

}  // namespace

int ParseIntArgument(const std::string& text, const std::string& what) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (result.ec == std::errc::result_out_of_range && result.ptr == end)
    throw UsageError(what + " is out of range, got \"" + text + "\"");
  if (text.empty() || result.ec != std::errc() || result.ptr != end)
    throw UsageError(what + " must be an integer, got \"" + text + "\"");
  return value;
}

bool TakeRequestOption(const CommandArgs& args, size_t& i, RequestOptions& options) {
  const std::string& arg = args[i];
  if (auto value = OptionValue(args, i, "--product")) {
    if (options.named.products.size() >= TRequestData::kMaxProducts)
      throw UsageError("at most 6 products may be requested");
    options.named.products.push_back(ParseProduct(*value));
  } else if (auto value = OptionValue(args, i, "--traders")) {
    const int mode = ParseIntArgument(*value, "--traders");
    if (mode < CodeOf(TradersMode::Ignore) || mode > CodeOf(TradersMode::AddToBoth))
      throw UsageError("--traders is 0 to 3");
    options.traders = mode;
  } else if (arg == "--rates") {
    options.rates = true;
  } else if (arg == "--count-your") {
    options.countYour = true;
  } else if (arg == "--individual") {
    options.individual = true;
  } else {
    return false;
  }
  options.given = true;
  return true;
}

std::optional<TRequestData> ResolveRequest(TDataModule1& store, const TRequestSettings& settings,
                                           const RequestOptions& options, std::string& error) {
  if (!options.named.products.empty()) {
    TNamedRequest named = options.named;
    named.rates = options.rates;
    named.traders = options.traders.value_or(CodeOf(TradersMode::Ignore));
    named.countYour = options.countYour;
    named.individualScale = options.individual;
    return BuildNamedRequest(store, settings, named, error);
  }
  TRequestData request = BuildProcessRequest(store, settings);
  if (options.rates) request.Rates = true;
  if (options.traders) request.Traders = AsCode<TradersMode>(*options.traders);
  if (options.countYour) request.CountYour = true;
  if (options.individual) request.IndividualScale = true;
  return request;
}

}  // namespace qv::cli

#include "data/IniFile.h"
#include "economy/SectorStatistics.h"
#include "map/MapGeometry.h"
#include "map/SectorArray.h"
#include "settings/Settings.h"

namespace qv::cli {

bool ReadProgramSettings(CliContext& context, TMainWindowSettings& settings) {
  const IniFile* file = context.Settings();  // names the file and the reason when it fails
  if (!file) return false;
  ReadMainWindowSettings(*file, settings);
  return true;
}

void SetUpGeometry(TDataModule1& store, const TMainWindowSettings& settings, bool showHidden,
                   TMapGeometry& geometry) {
  geometry.SetSettings(GeometryOf(settings.Map));
  geometry.RefreshBounds(store.GetSectorBounds(), showHidden, TViewport{});
}

bool CalcRequest(CliContext& context, const TRequestSettings& settings,
                 const RequestOptions& options, const TMapGeometry& geometry, TRequestData& request,
                 TSectorArray& cells) {
  std::string error;
  std::optional<TRequestData> resolved = ResolveRequest(context.Store(), settings, options, error);
  if (!resolved) {
    context.Err() << "qvmap-cli: " << error << "\n";
    return false;
  }
  request = *resolved;
  cells.SetRange(geometry.MinX(), geometry.MinY(), geometry.MaxX(), geometry.MaxY());
  CalcRequestStatistics(context.Store(), request, cells);
  return true;
}

}  // namespace qv::cli

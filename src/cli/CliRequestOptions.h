#pragma once

#include <optional>
#include <string>

#include "cli/Commands.h"
#include "economy/RequestBuilder.h"

namespace qv {
class TDataModule1;
struct TRequestSettings;
}  // namespace qv

namespace qv::cli {

// The request options shared by render and stats, as given on the command line.
struct RequestOptions {
  bool given = false;  // any request option at all
  TNamedRequest named;
  bool rates = false;
  std::optional<int> traders;
  bool countYour = false;
  bool individual = false;
};

// Takes the request option at args[i] (and its value) when it is one;
// returns false for an argument that is no request option. UsageError for a
// bad value.
bool TakeRequestOption(const CommandArgs& args, size_t& i, RequestOptions& options);

// The request to compute: the named products, or without any the request
// the request dialog's "Process" builds from the settings and the request
// table, with the switches given on the command line applied. Nothing, with
// `error` set, when a named product does not exist.
std::optional<TRequestData> ResolveRequest(TDataModule1& store, const TRequestSettings& settings,
                                           const RequestOptions& options, std::string& error);

// The value of an option given as "--name VALUE" or "--name=VALUE" at args[i]
// (i then stands on its last word); nothing when args[i] is another option.
std::optional<std::string> OptionValue(const CommandArgs& args, size_t& i, const std::string& name);

// A decimal integer argument; UsageError naming `what` otherwise.
int ParseIntArgument(const std::string& text, const std::string& what);

}  // namespace qv::cli

namespace qv {
struct TMainWindowSettings;
class TMapGeometry;
class TSectorArray;
}  // namespace qv

namespace qv::cli {

class CliContext;

// The main window's settings as read from the settings file at start (the
// file format's defaults when there is none). False, with the reason on
// stderr, when the file exists but cannot be read.
bool ReadProgramSettings(CliContext& context, TMainWindowSettings& settings);

// The geometry of the map after start: the settings' sizes and zoom, the
// bounds of the store's sectors, a viewport of 0 x 0.
void SetUpGeometry(TDataModule1& store, const TMainWindowSettings& settings, bool showHidden,
                   TMapGeometry& geometry);

// Resolves the request (see ResolveRequest) into `request` and calculates its
// statistics into `cells`, sized to the map `geometry` lays out. False, with
// the reason on stderr, when the request cannot be resolved.
bool CalcRequest(CliContext& context, const TRequestSettings& settings,
                 const RequestOptions& options, const TMapGeometry& geometry, TRequestData& request,
                 TSectorArray& cells);

}  // namespace qv::cli

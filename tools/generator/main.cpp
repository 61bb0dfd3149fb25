// qvmap-gen: writes a generated universe (the six table files) into
// OUTDIR/Data/, ready to be used as a program folder.
#include <charconv>
#include <cstdint>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "UniverseGenerator.h"

namespace {

const char kUsage[] =
    "usage: qvmap-gen [--sectors N] [--width W] [--height H] [--seed S]\n"
    "                 [--factories-per-sector F] [--trades-per-sector T] OUTDIR\n";

bool ParseNumber(std::string_view text, long long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

int main(int argc, char** argv) {
  qv::GeneratorOptions options;
  std::string outDir;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg.starts_with("--")) {
      long long value = 0;
      const long long limit = arg == "--seed" ? 4294967295LL : 2147483647LL;
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], value) || value < 0 || value > limit) {
        std::cerr << "qvmap-gen: " << arg << " needs a number from 0 to " << limit << '\n'
                  << kUsage;
        return 2;
      }
      ++i;
      const int number = static_cast<int>(value);
      if (arg == "--sectors") {
        options.sectors = number;
      } else if (arg == "--width") {
        options.width = number;
      } else if (arg == "--height") {
        options.height = number;
      } else if (arg == "--seed") {
        options.seed = static_cast<std::uint32_t>(value);
      } else if (arg == "--factories-per-sector") {
        options.factoriesPerSector = number;
      } else if (arg == "--trades-per-sector") {
        options.tradesPerSector = number;
      } else {
        std::cerr << "qvmap-gen: unknown option " << arg << '\n' << kUsage;
        return 2;
      }
    } else if (outDir.empty()) {
      outDir = arg;
    } else {
      std::cerr << "qvmap-gen: more than one output folder\n" << kUsage;
      return 2;
    }
  }
  if (outDir.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    qv::CheckGeneratorOptions(options);
    qv::WriteUniverse(outDir, options);
  } catch (const std::invalid_argument& e) {
    std::cerr << "qvmap-gen: " << e.what() << '\n';
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "qvmap-gen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

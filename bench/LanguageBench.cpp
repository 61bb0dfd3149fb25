// Reading a window's section of a language file with very many keys: the
// time must grow linearly with the number of keys (40,000 keys once took
// seconds per window).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "data/IniFile.h"
#include "settings/LanguageFile.h"

namespace {

namespace fs = std::filesystem;

// A language file whose one section has `keys` entries: control captions,
// hints and texts of the window's own, all distinct.
std::unique_ptr<qv::IniFile> MakeLanguageFile(int keys) {
  const fs::path path =
      fs::temp_directory_path() / ("qvmap-bench-" + std::to_string(keys) + ".LNG");
  {
    std::ofstream out(path, std::ios::binary);
    out << "[MainForm]\r\nCaption=Karte\r\n";
    for (int i = 0; i < keys; ++i) {
      switch (i % 3) {
        case 0:
          out << "Label" << i << ".Caption=Beschriftung " << i << "\r\n";
          break;
        case 1:
          out << "Button" << i << ".Hint=Hinweis " << i << "\r\n";
          break;
        default:
          out << "Text" << i << "=Text " << i << "\r\n";
          break;
      }
    }
  }
  std::unique_ptr<qv::IniFile> file = qv::IniFile::Load(path.string());
  fs::remove(path);
  return file;
}

void BM_ParseWindowSection(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::unique_ptr<qv::IniFile> file = MakeLanguageFile(keys);
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::ParseWindowSection(*file, "MainForm"));
  }
  state.SetComplexityN(keys);
}
BENCHMARK(BM_ParseWindowSection)
    ->RangeMultiplier(2)
    ->Range(5000, 40000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

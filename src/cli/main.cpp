#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/ProgramHome.h"

namespace {

// The folder of the running executable.
std::string ExecutableFolder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) exe = std::filesystem::absolute(argv0 ? argv0 : "", ec);
  return exe.parent_path().string();
}

int UsageFailure(const std::string& message) {
  std::cerr << "qvmap-cli: " << message << "\n" << qv::cli::UsageText();
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace qv::cli;
  std::string home;
  std::string language;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << UsageText();
      return 0;
    }
    if (arg == "--home" || arg == "--language") {
      if (i + 1 >= argc) return UsageFailure(arg + " needs a value");
      (arg == "--home" ? home : language) = argv[++i];
      if ((arg == "--home" ? home : language).empty()) return UsageFailure(arg + " needs a value");
    } else if (arg.starts_with("--home=")) {
      home = arg.substr(7);
    } else if (arg.starts_with("--language=")) {
      language = arg.substr(11);
    } else if (arg.starts_with("-")) {
      return UsageFailure("unknown option " + arg);
    } else {
      break;
    }
  }
  if (i >= argc) return UsageFailure("no command given");
  const Command* command = FindCommand(argv[i]);
  if (!command) return UsageFailure(std::string("unknown command ") + argv[i]);
  const CommandArgs args(argv + i + 1, argv + argc);
  // The same folder as the program's, chosen the same way.
  try {
    home = qv::ChooseProgramHome(qv::ProgramHomeSourcesOf(home, ExecutableFolder(argv[0]))).folder;
  } catch (const qv::ProgramHomeError& error) {
    std::cerr << "qvmap-cli: " << error.what() << "\n";
    return 1;
  }

  try {
    CliContext context(home, language, std::cout, std::cerr);
    const int status = command->run(context, args);
    std::cout.flush();
    return status;
  } catch (const UsageError& error) {
    return UsageFailure(error.what());
  } catch (const std::exception& error) {
    std::cerr << "qvmap-cli: " << error.what() << "\n";
    return 1;
  }
}

#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace qvtest {

// What one run of the built qvmap-cli gave.
struct CliOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

// A program folder of its own for the built qvmap-cli (QVMAP_CLI names
// another build of it), with a second folder for the files a test hands it.
class CliFixture : public ::testing::Test {
 protected:
  TempDir home;
  TempDir work;

  CliOutcome Run(const std::string& args) {
    const char* override = std::getenv("QVMAP_CLI");
    const std::string cli = override ? override : QV_BIN_DIR "/qvmap-cli";
    const std::string command =
        "'" + cli + "' --home '" + home.Folder() + "' " + args + " 2>'" + work.File("err") + "'";
    CliOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return outcome;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
      outcome.out.append(buffer, n);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = work.Read("err");
    return outcome;
  }
  std::string Err() const { return work.Read("err"); }

  // Imports tab-separated rows into a table of the home folder.
  void Import(const std::string& table, const std::string& rows) {
    work.Write(table, rows);
    ASSERT_EQ(Run("import " + table + " '" + work.File(table) + "'").status, 0) << Err();
  }
};

}  // namespace qvtest

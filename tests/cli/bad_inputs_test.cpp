// The purpose-made bad inputs of tests/data/bad: each file NAME has beside it NAME.expect with
// the arguments of the run (line 1; @ stands for the file, @OUT for an output file in a fresh
// folder), the exit status (line 2) and a text the error or the standard output must hold
// (line 3). Every pair is a test case of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/batch_run.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExpectExtension = ".expect";

fs::path BadFolder() { return fs::path(FENDO_TEST_DATA_DIR) / "bad"; }

struct Expectation {
  std::vector<std::string> args;
  int status = 0;
  std::string message;
};

// The words of line 1: split at blanks, a double-quoted word may hold blanks.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  std::string word;
  while (in >> std::ws && !in.eof()) {
    if (in.peek() == '"') {
      in >> std::quoted(word);
    } else {
      in >> word;
    }
    words.push_back(word);
  }
  return words;
}

Expectation ReadExpectation(const fs::path& path) {
  std::ifstream in(path);
  std::string args, status, message;
  std::getline(in, args);
  std::getline(in, status);
  std::getline(in, message);
  return {Words(args), std::stoi(status), message};
}

// The inputs: every file of the folder but the expectations, by name.
std::vector<std::string> BadInputs() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(BadFolder())) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(kExpectExtension)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A test name from a file name: letters and digits, the rest as '_'.
std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
}

class BadInput : public ::testing::TestWithParam<std::string> {};

TEST_P(BadInput, GivesItsStatusAndMessage) {
  const fs::path input = BadFolder() / GetParam();
  const fs::path expectPath = BadFolder() / (GetParam() + std::string(kExpectExtension));
  ASSERT_TRUE(fs::exists(expectPath)) << "every bad input has its " << kExpectExtension << " file";
  Expectation expected = ReadExpectation(expectPath);
  TempDir dir;
  // The reader options of the run are those its arguments give, never a user's settings.
  const ScopedVariable system("FENDO_SYSTEM_DIR", dir.path().c_str());
  for (std::string& word : expected.args) {
    if (word == "@") {
      word = input.string();
      continue;
    }
    for (std::size_t at = word.find("@OUT"); at != std::string::npos; at = word.find("@OUT")) {
      word.replace(at, 4, (dir / "out").string());
    }
  }
  const BatchRun run = Batch(expected.args);
  EXPECT_EQ(run.status, expected.status) << run.err;
  EXPECT_TRUE(run.err.find(expected.message) != std::string::npos || run.out.find(expected.message) != std::string::npos)
      << "expected \"" << expected.message << "\" in\n" << run.err << run.out;
}

INSTANTIATE_TEST_SUITE_P(Files, BadInput, ::testing::ValuesIn(BadInputs()), CaseName);

}  // namespace
}  // namespace fendo::test

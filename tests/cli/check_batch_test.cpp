#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/batch_run.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Batch;

std::string Data(const std::string& name) { return (fs::path(FENDO_TEST_DATA_DIR) / "check" / name).string(); }

TEST(CheckCommand, ExitStatusSaysWhetherAnErrorWasFound) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"check", Data("errors.nc")}, 1},
      {{"check", Data("constructs.nc")}, 0},
      {{"check", "--max-feed", "1000", "--baud", "9600", Data("rapids_and_feeds.nc")}, 0},
      {{"check", Data("constructs.nc"), Data("errors.nc")}, 1},
      {{"check", "--heidenhain", Data("heidenhain_constructs.h")}, 0},
      {{"check", "/nonexistent/missing.nc"}, 1},
      {{"check"}, 2},
      {{"check", "--baud", "1234", Data("constructs.nc")}, 2},
      {{"check", "--max-feed", "-5", Data("constructs.nc")}, 2},
      {{"check", "--baud", "fast", Data("constructs.nc")}, 2},
  };
  for (const Case& c : cases) {
    const test::BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, c.status) << c.args.back() << "\n" << run.out << run.err;
  }
}

TEST(CheckCommand, OneJsonObjectPerFinding) {
  const std::string file = Data("errors.nc");
  const test::BatchRun run = Batch({"check", "--json", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 5) << run.out;
  EXPECT_NE(run.out.find("{\"file\":\"" + file +
                         "\",\"kind\":\"arcRadiusMismatch\",\"severity\":\"error\",\"record\":3,\"line\":7,"
                         "\"text\":\"start radius 5.100, end 4.900\"}\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"kind\":\"invalidLine\",\"severity\":\"warning\",\"record\":7,\"line\":9,"), std::string::npos);
}

TEST(CheckCommand, TextGroupsByKindWithCountsAndFirstLines) {
  const test::BatchRun run = Batch({"check", "--max-feed", "1000", Data("rapids_and_feeds.nc")});
  EXPECT_NE(run.out.find(": 0 errors, 4 warnings\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  feedOverMaximum (warning): 2\n"
                         "    line 8, record 7: F2000 above the machine's F1000\n"
                         "    line 9, record 8: F5000 above the machine's F1000\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("blockRate"), std::string::npos) << "without --baud the block rate is not checked";
}

}  // namespace
}  // namespace fendo

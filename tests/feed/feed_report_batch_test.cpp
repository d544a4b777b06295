#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes `program` to the folder and optimizes it with the report written beside it.
struct ReportedRun {
  test::BatchRun run;
  std::string report;   // the JSON
  std::string written;  // the optimized program
};

ReportedRun OptimizeWithReport(const test::TempDir& dir, const std::string& program,
                               std::vector<std::string> options = {}) {
  const std::string in = (dir / "in.nc").string();
  std::ofstream(in) << program;
  const std::string out = (dir / "out.nc").string();
  const std::string json = (dir / "report.json").string();
  std::vector<std::string> args{"optimize", in, "-o", out, "--yes", "--max-feed", "1000", "--unit", "10",
                                "--report", json};
  args.insert(args.end(), options.begin(), options.end());
  ReportedRun r{test::Batch(args), ReadText(json), ReadText(out)};
  return r;
}

double NumberAfter(const std::string& json, const std::string& key) {
  std::smatch m;
  if (!std::regex_search(json, m, std::regex("\"" + key + "\":(-?[0-9.eE+-]+)"))) return NAN;
  return std::stod(m[1]);
}

double SumOfTimesAdded(const std::string& json) {
  double sum = 0;
  const std::regex added("\"timeAdded\":(-?[0-9.eE+-]+)");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), added); it != std::sregex_iterator(); ++it) {
    sum += std::stod((*it)[1]);
  }
  return sum;
}

constexpr const char* kRightAngle = "G90 G0 X0 Y0 Z5\nZ0\nG1 X20 F1000\nY20\nG0 Z5\nM30\n";
constexpr const char* kSlope = "G90 G0 X0 Y0 Z10\nZ0\nG1 X30 F1000\nX60 Z30\nG0 Z40\nM30\n";

TEST(BatchOptimizeReport, TheCornerRuleOwnsExactlyThePointsOfItsZones) {
  test::TempDir dir;
  const ReportedRun r = OptimizeWithReport(dir, kRightAngle);
  ASSERT_EQ(r.run.status, 0) << r.run.err;
  // Both zones of the 90° corner end in a point of their own, 5 mm either side of it.
  EXPECT_NE(r.report.find(R"("rules":[{"rule":"XY corner","records":2,"length":10,)"), std::string::npos)
      << r.report;
  EXPECT_EQ(r.report.find("},{"), std::string::npos) << r.report;
}

// The transfer dialog sets the plunge feed to the maximum feed, so through this verb a plunge
// slows only with a condition file; the engine's own test covers the plunge rule.
TEST(BatchOptimizeReport, ASlopeNamesItsRuleAndTheChangeOfSlopeAtItsFoot) {
  test::TempDir dir;
  const ReportedRun r = OptimizeWithReport(dir, kSlope);
  ASSERT_EQ(r.run.status, 0) << r.run.err;
  EXPECT_NE(r.report.find(R"({"rule":"slope up","records":1,)"), std::string::npos) << r.report;
  EXPECT_NE(r.report.find(R"({"rule":"slope change","records":2,)"), std::string::npos) << r.report;
}

TEST(BatchOptimizeReport, TheRulesAddUpToTheWholeDifferenceAndChangeNoByte) {
  const std::string bracket = ReadText(test::Example("bracket.nc"));
  for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"--smooth"}}) {
    test::TempDir dir;
    const ReportedRun r = OptimizeWithReport(dir, bracket, options);
    ASSERT_EQ(r.run.status, 0) << r.run.err;
    const double difference = NumberAfter(r.report, "after") - NumberAfter(r.report, "before");
    EXPECT_NEAR(SumOfTimesAdded(r.report), difference, 0.001 * std::fabs(difference)) << r.report;

    std::vector<std::string> plain{"optimize", (dir / "in.nc").string(), "-o", (dir / "plain.nc").string(), "--yes",
                                   "--max-feed", "1000", "--unit", "10"};
    plain.insert(plain.end(), options.begin(), options.end());
    ASSERT_EQ(test::Batch(plain).status, 0);
    EXPECT_EQ(ReadText(dir / "plain.nc"), r.written);
  }
}

TEST(BatchOptimizeReport, ADashPrintsTheTableOnStandardOutput) {
  test::TempDir dir;
  const std::string in = (dir / "in.nc").string();
  std::ofstream(in) << kRightAngle;
  const test::BatchRun run =
      test::Batch({"optimize", in, "-o", (dir / "out.nc").string(), "--unit", "10", "--report", "-"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("XY corner"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("total"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace fendo

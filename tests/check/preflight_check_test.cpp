#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "check/preflight_check.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "feed/machine_condition.h"
#include "feed/machine_feed_options.h"
#include "support/corpus_dir.h"
#include "support/generated_program.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "check" / name; }

// The program read as the desktop program opens it, then checked; the machine checks with a
// machine of F1000 at most and a 9600 baud link.
CheckReport Check(const fs::path& path, bool heidenhain, bool withMachine = true) {
  static const MachineCondition machine;
  static const MachineFeedOptions transmission;
  ToolpathDatabase db;
  db.options.heidenhainInputChk = heidenhain;
  LoadFile(db, path);
  const CheckInput input{.sourcePath = path.string(),
                         .heidenhain = heidenhain,
                         .machine = withMachine ? &machine : nullptr,
                         .transmission = withMachine ? &transmission : nullptr};
  return CheckProgramReport(db, input);
}

struct Expected {
  const char* file;
  FindingKind kind;
  Severity severity;
  std::int64_t record;
  std::int64_t line;
};

// Each kind on a purpose-made program, with the record `dump` prints and the line of the file.
// A line that stores no record names the first record read after it.
const Expected kExpected[] = {
    {"errors.nc", FindingKind::ZeroFeed, Severity::Error, 1, 5},
    {"errors.nc", FindingKind::ArcRadiusMismatch, Severity::Error, 3, 7},
    {"errors.nc", FindingKind::ShortRadius, Severity::Error, 5, 8},
    {"errors.nc", FindingKind::InvalidLine, Severity::Warning, 7, 9},
    {"errors.nc", FindingKind::OutOfReach, Severity::Error, 7, 10},
    {"constructs.nc", FindingKind::Unit, Severity::Warning, 0, 3},
    {"constructs.nc", FindingKind::HomeMove, Severity::Warning, 1, 5},
    {"constructs.nc", FindingKind::RadiusCompensation, Severity::Warning, 1, 6},
    {"constructs.nc", FindingKind::Variable, Severity::Warning, 2, 7},
    {"constructs.nc", FindingKind::NotInterpreted, Severity::Warning, 2, 7},
    {"constructs.nc", FindingKind::SubprogramCall, Severity::Warning, 2, 8},
    {"constructs.nc", FindingKind::Unit, Severity::Warning, 3, 10},
    {"constructs.nc", FindingKind::DrillingCycle, Severity::Warning, 3, 11},
    {"rapids_and_feeds.nc", FindingKind::DiagonalRapid, Severity::Warning, 4, 5},
    {"rapids_and_feeds.nc", FindingKind::RapidIntoPart, Severity::Warning, 6, 7},
    {"rapids_and_feeds.nc", FindingKind::FeedOverMaximum, Severity::Warning, 7, 8},
    {"rapids_and_feeds.nc", FindingKind::FeedOverMaximum, Severity::Warning, 8, 9},
    {"rapids_and_feeds.nc", FindingKind::BlockRate, Severity::Warning, 8, 9},
    {"first_position.nc", FindingKind::FirstPosition, Severity::Warning, 1, 2},
    {"absolute_centres.nc", FindingKind::AbsoluteCentres, Severity::Warning, -1, 0},
    {"absolute_centres.nc", FindingKind::ArcRadiusMismatch, Severity::Error, 2, 3},
    {"heidenhain_constructs.h", FindingKind::Unit, Severity::Warning, 0, 1},
    {"heidenhain_constructs.h", FindingKind::HeidenhainCycle, Severity::Warning, 1, 5},
    {"heidenhain_constructs.h", FindingKind::HeidenhainCycle, Severity::Warning, 1, 7},
    {"heidenhain_constructs.h", FindingKind::Variable, Severity::Warning, 1, 8},
    {"heidenhain_constructs.h", FindingKind::RadiusCompensation, Severity::Warning, 1, 9},
    {"heidenhain_constructs.h", FindingKind::SubprogramCall, Severity::Warning, 1, 10},
};

TEST(PreflightCheck, FindsEveryKindOnItsRecordAndLine) {
  std::map<std::string, CheckReport> reports;
  for (const Expected& e : kExpected) {
    const std::string file = e.file;
    if (!reports.contains(file)) reports[file] = Check(Data(file), file.ends_with(".h"));
    const std::vector<Finding>& found = reports[file].findings;
    const bool present = std::ranges::any_of(found, [&e](const Finding& f) {
      return f.kind == e.kind && f.severity == e.severity && f.record == e.record && f.line == e.line;
    });
    EXPECT_TRUE(present) << file << ": " << KindName(e.kind) << " at record " << e.record << ", line " << e.line;
  }
}

TEST(PreflightCheck, ExactCountsAndOrderOnTheErrorProgram) {
  const CheckReport report = Check(Data("errors.nc"), false);
  EXPECT_TRUE(report.HasErrors());
  EXPECT_EQ(report.findings.size(), 5u);
  EXPECT_TRUE(std::ranges::is_sorted(report.findings, {}, &Finding::line));
  EXPECT_EQ(report.Count(FindingKind::ArcRadiusMismatch), 1);
  const auto mismatch = std::ranges::find(report.findings, FindingKind::ArcRadiusMismatch, &Finding::kind);
  EXPECT_EQ(mismatch->text, "start radius 5.100, end 4.900");
}

TEST(PreflightCheck, WarningsAloneAreNoError) {
  EXPECT_FALSE(Check(Data("constructs.nc"), false).HasErrors());
  EXPECT_FALSE(Check(Data("rapids_and_feeds.nc"), false).HasErrors());
}

TEST(PreflightCheck, MachineChecksNeedTheMachineSettings) {
  const CheckReport report = Check(Data("rapids_and_feeds.nc"), false, false);
  EXPECT_EQ(report.Count(FindingKind::FeedOverMaximum), 0);
  EXPECT_EQ(report.Count(FindingKind::BlockRate), 0);
  EXPECT_EQ(report.Count(FindingKind::DiagonalRapid), 1);
}

TEST(PreflightCheck, CleanGeneratedProgramsGiveNothing) {
  const fs::path path = fs::temp_directory_path() / "fendo_check_generated.nc";
  for (const unsigned seed : {1u, 2u, 3u, 7u}) {
    std::ofstream(path) << test::GeneratedProgram(seed);
    const CheckReport report = Check(path, false, false);
    for (const Finding& f : report.findings) ADD_FAILURE() << "seed " << seed << ": " << KindName(f.kind) << " line " << f.line << ": " << f.text;
  }
  fs::remove(path);
}

// Every move of a program without F is a cutting move at feed 0: all are counted, the first
// kMaxStoredPerKind kept.
TEST(PreflightCheck, CountsEveryFindingAndKeepsTheFirstOfAKind) {
  const fs::path path = fs::temp_directory_path() / "fendo_check_no_feed.nc";
  {
    std::ofstream out(path);
    out << "G90 G00 X0 Y0 Z1.\nG01 Z0\n";
    for (int k = 1; k <= 1500; ++k) out << "X" << k << ".\n";
  }
  const CheckReport report = Check(path, false, false);
  EXPECT_EQ(report.Count(FindingKind::ZeroFeed), 1501);
  EXPECT_EQ(report.findings.size(), kMaxStoredPerKind);
  EXPECT_EQ(report.findings.back().line, static_cast<std::int64_t>(kMaxStoredPerKind) + 1);
  fs::remove(path);
}

// Findings deep in a long program keep their record and line: the reading that links them
// keeps only its latest records, and lines that store nothing still count.
TEST(PreflightCheck, FindingsFarIntoALongProgramKeepTheirRecordAndLine) {
  const fs::path path = fs::temp_directory_path() / "fendo_check_long.nc";
  {
    std::ofstream out(path);
    out << "G90 G00 X0 Y0 Z1.\nG01 Z0 F100\n";  // lines 1 and 2: records 0 and 1
    for (int line = 3; line <= 20002; ++line) {
      if (line == 18000) out << "X" << line << ". F0\n";
      else if (line == 18001) out << "X" << line << ". F100\n";
      else if (line == 19000) out << "M98 P100\n";  // stores nothing
      else out << "X" << line << ".\n";
    }
    out << "G81 X1. Y1. Z-1. R1. F100\nG80\n";
  }
  const CheckReport report = Check(path, false, false);
  const auto at = [&report](FindingKind kind) {
    const auto found = std::ranges::find(report.findings, kind, &Finding::kind);
    return found == report.findings.end() ? std::pair<std::int64_t, std::int64_t>{-2, -2}
                                          : std::pair{found->record, found->line};
  };
  EXPECT_EQ(at(FindingKind::ZeroFeed), (std::pair<std::int64_t, std::int64_t>{17999, 18000}));
  EXPECT_EQ(at(FindingKind::SubprogramCall), (std::pair<std::int64_t, std::int64_t>{18999, 19000}));
  EXPECT_EQ(at(FindingKind::DrillingCycle), (std::pair<std::int64_t, std::int64_t>{20001, 20003}));
  fs::remove(path);
}

// A program the work buffer cannot hold is an error, named on the line where reading stopped.
// Each hole of a drilling cycle stores four records, so a short file fills the buffer.
TEST(PreflightCheck, AProgramCutOffAtTheRecordLimitIsAnError) {
  const fs::path path = fs::temp_directory_path() / "fendo_check_record_limit.nc";
  constexpr int kRecordsPerHole = 4;
  constexpr int kHoles = (ToolpathDatabase::kMaxRecords - 1) / kRecordsPerHole + 1;
  {
    std::ofstream out(path);
    out << "G90 G00 X0 Y0 Z10.\nG98 G81 X1. Y1. Z-5. R2. F100\n";
    for (int hole = 1; hole < kHoles; ++hole) out << (hole % 2 ? "X2.\n" : "X1.\n");
  }
  ToolpathDatabase db;  // the check reads the source whatever the work buffer holds
  const CheckReport report = CheckProgramReport(db, {.sourcePath = path.string()});
  ASSERT_EQ(report.Count(FindingKind::RecordLimit), 1);
  EXPECT_TRUE(report.HasErrors());
  const auto limit = std::ranges::find(report.findings, FindingKind::RecordLimit, &Finding::kind);
  EXPECT_EQ(limit->severity, Severity::Error);
  // Line 1 stores one record and line n ≥ 2 the hole n − 1: hole kHoles is the first that does
  // not fit, on line kHoles + 1.
  EXPECT_EQ(limit->line, kHoles + 1);
  fs::remove(path);
}

TEST(PreflightCheck, KindNamesAreDistinct) {
  std::vector<std::string_view> names;
  for (int k = 0; k < kFindingKinds; ++k) names.push_back(KindName(static_cast<FindingKind>(k)));
  std::ranges::sort(names);
  EXPECT_EQ(std::ranges::adjacent_find(names), names.end());
  EXPECT_EQ(KindName(FindingKind::ArcRadiusMismatch), "arcRadiusMismatch");
}

// The check runs over every program of the corpus without failing, and says what it found there.
TEST(PreflightCheck, RunsOverTheCorpus) {
  const fs::path corpus = test::CorpusDir();
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::map<std::string, std::pair<std::int64_t, std::vector<std::string>>> byKind;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
    const bool heidenhain = entry.path().string().find("heidenhain") != std::string::npos;
    const CheckReport report = Check(entry.path(), heidenhain, false);
    ++files;
    for (int k = 0; k < kFindingKinds; ++k) {
      if (report.counts[k] == 0) continue;
      auto& [count, names] = byKind[std::string(KindName(static_cast<FindingKind>(k)))];
      count += report.counts[k];
      names.push_back(fs::relative(entry.path(), corpus).string());
    }
  }
  EXPECT_GT(files, 0);
  for (const auto& [kind, found] : byKind) {
    std::string list;
    for (const std::string& name : found.second) list += " " + name;
    std::printf("%s: %lld in %zu files:%s\n", kind.c_str(), static_cast<long long>(found.first), found.second.size(),
                list.c_str());
  }
}

}  // namespace
}  // namespace fendo

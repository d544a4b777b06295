#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/batch.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

struct BatchRun {
  int status = 0;
  std::string out;
  std::string err;
};

BatchRun Batch(std::vector<std::string> args) {
  std::ostringstream out, err;
  BatchRun run;
  run.status = RunBatch(args, {out, err, false});
  run.out = out.str();
  run.err = err.str();
  return run;
}

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "reader" / name; }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own for a test, removed with it.
class TempDir {
 public:
  TempDir() : path_(fs::temp_directory_path() / ("fendo-batch-test-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Points the system directory at a folder of the test's while it lives.
class SystemDirectory {
 public:
  explicit SystemDirectory(const fs::path& dir) {
    if (const char* old = std::getenv("FENDO_SYSTEM_DIR")) saved_ = old;
    setenv("FENDO_SYSTEM_DIR", dir.c_str(), 1);
  }
  ~SystemDirectory() {
    if (saved_) {
      setenv("FENDO_SYSTEM_DIR", saved_->c_str(), 1);
    } else {
      unsetenv("FENDO_SYSTEM_DIR");
    }
  }

 private:
  std::optional<std::string> saved_;
};

struct GoldenCase {
  const char* program;
  std::vector<std::string> flags;
};

// The dump of each program is compared with the reviewed one beside it (NAME.dump). After a
// deliberate change, FENDO_UPDATE_GOLDEN=1 rewrites them; review their diff like code.
TEST(BatchDump, MatchesTheReviewedDumps) {
  const GoldenCase cases[] = {
      {"iso_features.nc", {}},
      {"integer_thousandths.nc", {"--int"}},
      {"arcs_to_lines.nc", {"--arcs-to-lines"}},
      {"heidenhain_features.h", {"--heidenhain"}},
  };
  const bool update = std::getenv("FENDO_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& c : cases) {
    std::vector<std::string> args = {"dump"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    args.push_back(Data(c.program).string());
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, 0) << c.program << ": " << run.err;
    EXPECT_EQ(run.err, "") << c.program;
    const fs::path golden = Data(fs::path(c.program).stem().string() + ".dump");
    if (update) std::ofstream(golden, std::ios::binary) << run.out;
    EXPECT_EQ(run.out, ReadFile(golden)) << c.program;
  }
}

TEST(BatchInfo, ReportsStatisticsHeaderAndLines) {
  const BatchRun run = Batch({"info", Data("iso_features.nc").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* expected : {"records             22   (RapidStart 4, FeedStart 4, Feed 2, ArcCcw 4, ArcCw 2,",
                               "highest feed        1200 mm/min", "program (O)         100", "tool (T)            4",
                               "spindle (S)         8000", "comment             READER FEATURES | R ARCS",
                               "lines               24 read, 0 invalid, 0 not interpreted"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
}

TEST(BatchInfo, JsonIsOneObjectPerProgram) {
  const BatchRun run = Batch({"info", "--json", Data("iso_features.nc").string(), Data("arcs_to_lines.nc").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string first, second, rest;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_FALSE(std::getline(lines, rest));
  EXPECT_TRUE(first.starts_with("{\"file\":")) << first;
  EXPECT_NE(first.find("\"status\":\"ok\",\"records\":22,"), std::string::npos) << first;
  EXPECT_NE(first.find("\"comment\":\"READER FEATURES\\r\\nR ARCS, PLANES, INCREMENTAL, COMMENTS\\r\\nPLUNGE\\r\\n\""),
            std::string::npos)
      << first;
  EXPECT_NE(second.find("\"feedExtents\":{\"min\":[-5,0,0],\"max\":[10,10,1]}"), std::string::npos) << second;
}

TEST(BatchInfo, CommentsInOtherEncodingsStillMakeValidJson) {
  TempDir dir;
  const fs::path program = dir.path() / "korean.nc";
  std::ofstream(program, std::ios::binary) << "(\xB0\xA1\xB0\xA2 \"X\")\nG00 X1\n";  // EUC-KR text
  const BatchRun run = Batch({"info", "--json", program.string()});
  EXPECT_NE(run.out.find("\"comment\":\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD \\\"X\\\"\\r\\n\""),
            std::string::npos)
      << run.out;
}

TEST(BatchInfo, AFileThatCannotBeReadIsNamedAndTheOthersStillReported) {
  const BatchRun run = Batch({"info", "/nonexistent/missing.nc", Data("arcs_to_lines.nc").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("fendo-batch: /nonexistent/missing.nc: cannot open: No such file or directory"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("arcs_to_lines.nc"), std::string::npos);
}

TEST(BatchArguments, MistakesExitWithStatusTwo) {
  EXPECT_EQ(Batch({}).status, 2);
  EXPECT_EQ(Batch({"frobnicate", "x.nc"}).status, 2);
  EXPECT_EQ(Batch({"info"}).status, 2);
  EXPECT_EQ(Batch({"dump", "a.nc", "b.nc"}).status, 2);
  const BatchRun unknown = Batch({"info", "--fast", "a.nc"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --fast"), std::string::npos);
  const BatchRun help = Batch({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* documented : {"info FILE...", "dump FILE", "--json", "--heidenhain", "--int", "--arcs-to-lines",
                                 "fendo.par", "Exit status"}) {
    EXPECT_NE(help.out.find(documented), std::string::npos) << documented;
  }
}

TEST(BatchOptions, WithoutFlagsTheReaderOptionsComeFromTheConfiguredFendoPar) {
  TempDir dir;
  const fs::path config = dir.path() / "config";
  fs::create_directories(config);
  std::ofstream(dir.path() / "fendo.cfg") << "ConfigDir " << config.string() << "\n";
  std::ofstream(config / "fendo.par") << "HeidenhainInputChk 1\n";
  SystemDirectory system(dir.path());

  const BatchRun configured = Batch({"dump", Data("heidenhain_features.h").string()});
  EXPECT_EQ(configured.out, ReadFile(Data("heidenhain_features.dump"))) << configured.err;
  const BatchRun flagged = Batch({"dump", "--int", Data("integer_thousandths.nc").string()});
  EXPECT_EQ(flagged.out, ReadFile(Data("integer_thousandths.dump"))) << "flags replace fendo.par";
}

}  // namespace
}  // namespace fendo

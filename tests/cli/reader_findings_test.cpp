// What fendo-batch says and does about what the reader found: a height the first moves took
// from later, words it could not use, a program read in the wrong dialect, and the tool data
// of a Heidenhain program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/batch_run.h"
#include "support/file_bytes.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

using test::Batch;
using test::BatchRun;
using test::Example;
using test::ReadFile;
using test::TempDir;

constexpr const char* kHeidenhainProgram =
    "0 BEGIN PGM PART MM\n"
    "1 TOOL CALL 5 Z S3000\n"
    "2 L Z+50 R0 FMAX M3\n"
    "3 L X-10 Y+0 R0 FMAX\n"
    "4 L Z-2 R0 F200\n"
    "5 CC X+0 Y+0\n"
    "6 C X+10 Y+0 DR+\n"
    "7 L Z+50 R0 FMAX M5\n"
    "8 END PGM PART MM\n";

constexpr const char* kIsoArcs = "G90 G17\nG00 X0 Y0 Z5\nG01 Z-1 F100\nG02 X10 Y0 I5 J0\nG03 X0 Y0 R5\n";

class ReaderFindings : public testing::Test {
 protected:
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  fs::path Out() const { return dir_ / "out.nc"; }

 private:
  TempDir dir_;
  // The reader options come from the flags alone, not from a fendo.par of the machine.
  test::ScopedVariable system_{"FENDO_SYSTEM_DIR", dir_.path().c_str()};
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(ReaderFindings, TheHeightTheFirstMovesTookIsReportedAndNoRapidGoesToZ0) {
  const BatchRun info = Batch({"info", Example("bracket.nc").string()});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_TRUE(Contains(info.out, "first position      the first moves take Z 50.000")) << info.out;
  const BatchRun json = Batch({"info", "--json", Example("bracket.nc").string()});
  EXPECT_TRUE(Contains(json.out, "\"firstPositionTaken\":{\"Z\":50}")) << json.out;

  const BatchRun convert = Batch({"convert", "--yes", Example("bracket.nc").string(), "-o", Out().string()});
  ASSERT_EQ(convert.status, 0) << convert.err;
  const std::string program = ReadFile(Out());
  const std::string beforeOffset = program.substr(0, program.find("G43"));
  EXPECT_FALSE(Contains(beforeOffset, "Z0.000")) << program.substr(0, 400);
}

TEST_F(ReaderFindings, WordsTheReaderCannotUseAreReported) {
  const fs::path program = Write("hostile.nc", "G00 X1 Y1 Z5\nG01 X99999 F100\nX2 F-100\n");
  const BatchRun info = Batch({"info", program.string()});
  ASSERT_EQ(info.status, 0) << info.err;
  for (const char* row : {"lines               3 read, 1 invalid, 0 not interpreted",
                          "out of reach        1 of the invalid lines move beyond ±32700 mm",
                          "dropped words       1 (a negative F)"}) {
    EXPECT_TRUE(Contains(info.out, row)) << row << "\n" << info.out;
  }
  const BatchRun json = Batch({"info", "--json", program.string()});
  EXPECT_TRUE(Contains(json.out, "\"outOfReachLines\":1,\"droppedWords\":1")) << json.out;
}

TEST_F(ReaderFindings, AProgramInTheOtherDialectIsNamedAndNotWritten) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> flags;
    const char* advice;
  };
  const Case cases[] = {
      {"Heidenhain text read as ISO", kHeidenhainProgram, {}, "looks like Heidenhain"},
      {"ISO arcs read as Heidenhain", kIsoArcs, {"--heidenhain"}, "looks like ISO"},
  };
  for (const Case& c : cases) {
    const fs::path program = Write("program.nc", c.text);
    std::vector<std::string> info = {"info"};
    info.insert(info.end(), c.flags.begin(), c.flags.end());
    info.push_back(program.string());
    const BatchRun told = Batch(info);
    EXPECT_EQ(told.status, 1) << c.what;
    EXPECT_TRUE(Contains(told.out, std::string("dialect             ") + c.advice)) << c.what << "\n" << told.out;

    for (const char* verb : {"convert", "filter", "optimize", "feed"}) {
      std::vector<std::string> args = {verb, "--yes"};
      if (std::string(verb) == "filter") args.insert(args.end(), {"--linear", "0.01"});
      if (std::string(verb) == "feed") args.insert(args.end(), {"--all", "500"});
      args.insert(args.end(), c.flags.begin(), c.flags.end());
      args.insert(args.end(), {program.string(), "-o", Out().string()});
      const BatchRun run = Batch(args);
      EXPECT_EQ(run.status, 1) << c.what << ": " << verb << "\n" << run.err;
      EXPECT_TRUE(Contains(run.err, c.advice)) << c.what << ": " << verb << "\n" << run.err;
      EXPECT_FALSE(fs::exists(Out())) << c.what << ": " << verb;
    }
  }
}

TEST_F(ReaderFindings, AHeidenhainProgramConvertedToIsoKeepsItsToolChangeAndSpindle) {
  const fs::path program = Write("part.h", kHeidenhainProgram);
  const BatchRun run = Batch({"convert", "--yes", "--heidenhain", program.string(), "-o", Out().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string written = ReadFile(Out());
  EXPECT_TRUE(Contains(written, "T5M06")) << written;
  EXPECT_TRUE(Contains(written, "H5")) << written;
  EXPECT_TRUE(Contains(written, "S3000M03")) << written;
}

}  // namespace
}  // namespace fendo

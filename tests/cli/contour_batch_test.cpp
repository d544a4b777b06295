// fendo-batch contour: the contours the engine makes with the same values (the presets where no
// value is given), the records before and after, and the wrong calls refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/contour_programs.h"
#include "generate/contours.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

using test::Batch;
using test::BatchRun;
using test::ReadFile;
using test::TempDir;

// A dome of arcs: passes along X over a half cylinder of radius 10, each an arc in G18.
constexpr std::string_view kArcDome =
    "G90 G17 G21\nG00 X-20 Y0 Z50\nG01 Z0 F800\nG01 X-10\nG18 G02 X10 Z0 I10 K0\nG01 X20\nG00 Z50\n"
    "G00 X-20 Y1\nG01 Z0\nG01 X-10\nG18 G02 X10 Z0 I10 K0\nG01 X20\nG00 Z50\n";

fs::path WriteProgram(const TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir.path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// The program as contour writes it, from the engine's own calls on it as the verb loads it; the
// fields not given are the presets.
std::string ContoursByEngine(const fs::path& in, const fs::path& out, void (*set)(ContourParams&)) {
  return test::EngineResult(in, out, [set](ToolpathDatabase& db) {
    std::optional<ContourParams> params = ContourPresets(db, ContourParams{});
    ASSERT_TRUE(params);
    set(*params);
    EXPECT_TRUE(ArcsToLines(db, kArcGuardChordTolerance));
    EXPECT_EQ(GenerateContours(db, *params), EditOutcome::Changed);
  });
}

TEST(ContourCommand, WritesTheContoursTheEngineMakes) {
  TempDir dir;
  const fs::path hemisphere = WriteProgram(dir, "hemisphere.nc", test::HemisphereFinishing());
  const fs::path dome = WriteProgram(dir, "dome.nc", kArcDome);
  struct Case {
    const char* name;
    fs::path in;
    std::vector<std::string> flags;
    void (*set)(ContourParams&);
  };
  const Case cases[] = {
      {"presets", hemisphere, {}, [](ContourParams&) {}},
      {"every field", hemisphere,
       {"--top-z", "18", "--bottom-z", "3", "--z-spacing", "2.5", "--start-x", "-5", "--start-y", "7", "--max-link",
        "3"},
       [](ContourParams& p) {
         p = {.topZ = 18, .bottomZ = 3, .zSpacing = 2.5, .startX = -5, .startY = 7, .maxLink = 3};
       }},
      // The presets come from the linear feed moves as the program is read, before its arcs
      // are made straight: the heights are given.
      {"arcs", dome, {"--top-z", "12", "--bottom-z", "-12", "--z-spacing", "2", "--max-link", "1.5"},
       [](ContourParams& p) {
         p.topZ = 12;
         p.bottomZ = -12;
         p.zSpacing = 2;
         p.maxLink = 1.5;
       }},
  };
  for (const Case& c : cases) {
    const fs::path out = dir.path() / (std::string(c.name) + ".nc");
    std::vector<std::string> args{"contour", c.in.string(), "-o", out.string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << c.name << run.err;
    EXPECT_EQ(run.out.rfind("records: ", 0), 0u) << c.name << run.out;
    EXPECT_EQ(ReadFile(out), ContoursByEngine(c.in, dir.path() / "engine.nc", c.set)) << c.name;
    EXPECT_EQ(Batch({"check", out.string()}).status, 0) << c.name;
  }
}

TEST(ContourCommand, RefusesWhatTheDialogRefuses) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "hemisphere.nc", test::HemisphereFinishing());
  const fs::path rapids = WriteProgram(dir, "rapids.nc", "G00 X0 Y0 Z50\nG00 X10 Z5\n");
  const std::string out = (dir.path() / "out.nc").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"contour", in.string(), "-o", out, "--z-spacing", "0"},
       2,
       "fendo-batch: --z-spacing: zSpacing (등고선 Z 간격) must lie between 0.001 and 10000, not 0 (see fendo-batch "
       "--help)\n"},
      {{"contour", in.string(), "-o", out, "--max-link", "-1"},
       2,
       "fendo-batch: --max-link: maxLink (최대 연결거리) must lie between 0.001 and 1000, not -1 (see fendo-batch "
       "--help)\n"},
      {{"contour", in.string()}, 2, "fendo-batch: contour takes one input and -o OUT (see fendo-batch --help)\n"},
      {{"contour", rapids.string(), "-o", out},
       1,
       "fendo-batch: contour: the program has no linear feed move to cut; nothing was written\n"},
      {{"contour", in.string(), "-o", out, "--top-z", "-5"},
       1,
       "fendo-batch: contour: no plane between --top-z and --bottom-z makes a contour; nothing was written\n"},
  };
  for (const Case& c : cases) {
    const BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, c.status) << c.args.back();
    EXPECT_EQ(run.err, c.err);
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST(ContourCommand, HelpQuotesTheRanges) {
  const BatchRun help = Batch({"contour", "--help"});
  for (const char* line : {"--z-spacing S", "(default 4, 0.001 ... 10000)", "--max-link L", "0.001 ... 1000",
                           "--top-z Z", "the highest linear feed"}) {
    EXPECT_NE(help.out.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace fendo

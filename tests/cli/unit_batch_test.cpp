// fendo-batch and the program's unit: info shows it and labels lengths and feeds in it, convert
// refuses layers of different units.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/batch_run.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Batch;
using test::BatchRun;

fs::path Program(const test::TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir / name;
  std::ofstream(path) << text;
  return path;
}

TEST(BatchUnits, InfoShowsTheUnitAndLabelsLengthsAndFeedsInIt) {
  const test::TempDir dir;
  constexpr std::string_view kMoves = "G00 X0 Y0 Z1\nG01 Z0 F20\nX2\n";
  struct Case {
    const char* name;
    std::string program;
    std::vector<std::string> rows;     // lines the text must hold
    std::vector<std::string> missing;  // lines it must not
    std::string json;                  // what the JSON object must hold
  };
  const Case cases[] = {
      {"inch.nc", "G20\n" + std::string(kMoves),
       {"  unit                inch\n", "  rapid length        0.000 inch\n", "  feed length         3.000 inch\n",
        "  cutting time        0.150 min\n", "  highest feed        20 inch/min\n"},
       {"warning"},
       "\"unit\":\"inch\",\"unitChanges\":false,"},
      {"mm.nc", "G21\n" + std::string(kMoves),
       {"  unit                mm\n", "  feed length         3.000 mm\n", "  highest feed        20 mm/min\n"},
       {"warning"},
       "\"unit\":\"mm\",\"unitChanges\":false,"},
      {"unstated.nc", std::string(kMoves),
       {"  feed length         3.000 mm\n", "  highest feed        20 mm/min\n"},
       {"unit", "warning"},
       "\"spindle\":0,\"unit\":null,\"unitChanges\":false,\"comment\""},
      {"switching.nc", "G20\n" + std::string(kMoves) + "G21\nX50\n",
       {"  unit                inch\n",
        "  warning             the program states another unit after its first move: its numbers, read as they "
        "stand, are in both units\n"},
       {},
       "\"unit\":\"inch\",\"unitChanges\":true,"},
  };
  for (const Case& c : cases) {
    const fs::path path = Program(dir, c.name, c.program);
    const BatchRun text = Batch({"info", path.string()});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const std::string& row : c.rows) EXPECT_NE(text.out.find(row), std::string::npos) << c.name << ": " << row << text.out;
    for (const std::string& word : c.missing) EXPECT_EQ(text.out.find(word), std::string::npos) << c.name << ": " << word;
    const BatchRun json = Batch({"info", "--json", path.string()});
    EXPECT_NE(json.out.find(c.json), std::string::npos) << c.name << ": " << json.out;
  }
}

TEST(BatchUnits, ConvertRefusesLayersOfDifferentUnits) {
  const test::TempDir dir;
  const fs::path inch = Program(dir, "inch.nc", "G20\nG00 X1 Y1 Z1\n");
  const fs::path mm = Program(dir, "mm.nc", "G21\nG00 X1 Y1 Z1\n");
  const fs::path unstated = Program(dir, "unstated.nc", "G00 X1 Y1 Z1\n");
  const std::string out = (dir / "out.nc").string();

  const BatchRun mixed = Batch({"convert", "--yes", inch.string(), mm.string(), "-o", out});
  EXPECT_EQ(mixed.status, 1);
  EXPECT_EQ(mixed.err, "fendo-batch: " + out +
                           ": the layers are in different units (layer 0 is in inch, layer 1 in mm); nothing was "
                           "written\n");
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(Batch({"convert", "--yes", inch.string(), unstated.string(), "-o", out}).status, 1)
      << "a program that states no unit counts as millimetres";
  EXPECT_FALSE(fs::exists(out));

  const BatchRun together = Batch({"convert", "--yes", mm.string(), unstated.string(), "-o", out});
  ASSERT_EQ(together.status, 0) << together.err;
  EXPECT_TRUE(test::ReadFile(out).starts_with("%\nG21\nG90G00G17X1.000Y1.000Z1.000\n")) << test::ReadFile(out);
  const fs::path inch2 = Program(dir, "inch2.nc", "G20\nG00 X2 Y2 Z1\n");
  const BatchRun inches = Batch({"convert", "--yes", inch.string(), inch2.string(), "--layers", "1 0", "-o", out});
  ASSERT_EQ(inches.status, 0) << inches.err;
  EXPECT_TRUE(test::ReadFile(out).starts_with("%\nG20\nG90G00G17X2.0000Y2.0000Z1.0000\n")) << test::ReadFile(out);
}

}  // namespace
}  // namespace fendo

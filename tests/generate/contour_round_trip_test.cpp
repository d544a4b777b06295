// Contours written as NC data read back as the same records, and the pre-flight check finds
// nothing a control would refuse in them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/contour_programs.h"
#include "generate/contours.h"
#include "output/nc_writer.h"
#include "support/temp_dir.h"
#include "support/unattended_writer.h"

namespace fendo {
namespace {

std::vector<std::string> LoadedRecords(const std::filesystem::path& path) {
  ToolpathDatabase db;
  EXPECT_TRUE(LoadFile(db, path).ok()) << path;
  return test::Records(db);
}

TEST(ContourRoundTrip, WrittenContoursReadBackAndPassTheCheck) {
  test::TempDir dir;
  ToolpathDatabase db;
  ASSERT_TRUE(AppendText(db, test::HemisphereFinishing()).ok());
  ASSERT_EQ(GenerateContours(db, {.topZ = 20, .bottomZ = 0, .zSpacing = 1.5, .startX = 5, .startY = -3, .maxLink = 4}),
            EditOutcome::Changed);
  const std::vector<std::string> generated = test::Records(db);

  NcOutputOptions options;
  test::WriteUnattendedTo(options, dir / "contours.nc");
  test::ScriptedPrompts prompts;
  ASSERT_TRUE(WriteNcProgram(db, options, prompts).ok());
  const std::vector<std::string> written = LoadedRecords(dir / "contours.nc");
  // Written with three decimals: the records read back are the generated ones, rounded.
  ASSERT_EQ(written.size(), generated.size());

  const test::BatchRun convert =
      test::Batch({"convert", (dir / "contours.nc").string(), "-o", (dir / "again.nc").string()});
  ASSERT_EQ(convert.status, 0) << convert.err;
  EXPECT_EQ(LoadedRecords(dir / "again.nc"), written);

  const test::BatchRun check = test::Batch({"check", (dir / "contours.nc").string()});
  EXPECT_EQ(check.status, 0) << check.out << check.err;
}

}  // namespace
}  // namespace fendo

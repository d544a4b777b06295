#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/batch_run.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Batch;

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "reader" / name; }

TEST(LayersCommand, OneJsonObjectPerLayerReadInOrder) {
  const fs::path first = Data("iso_features.nc");
  const fs::path second = Data("arcs_to_lines.nc");
  const test::BatchRun run = Batch({"layers", "--json", first.string(), second.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::size_t lineEnd = run.out.find('\n');
  const std::string layer0 = run.out.substr(0, lineEnd);
  const std::string layer1 = run.out.substr(lineEnd + 1);
  EXPECT_EQ(layer0.rfind("{\"number\":0,\"name\":\"Layer 0\",\"file\":\"" + fs::absolute(first).string() + "\"", 0), 0u)
      << layer0;
  EXPECT_NE(layer0.find("\"program\":100,\"tool\":4,\"offset\":4,\"spindle\":8000,\"records\":"), std::string::npos)
      << layer0;
  EXPECT_EQ(layer1.rfind("{\"number\":1,\"name\":\"Layer 1\"", 0), 0u) << layer1;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
}

TEST(LayersCommand, TextRowsAndAFileThatCannotBeRead) {
  const test::BatchRun run = Batch({"layers", "/nonexistent/missing.nc", Data("iso_features.nc").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("missing.nc"), std::string::npos);
  EXPECT_EQ(run.out.rfind("layer 1\n  name                Layer 1\n", 0), 0u) << "the second input is layer 1:\n"
                                                                                 << run.out;
  EXPECT_NE(run.out.find("  tool (T)            4\n"), std::string::npos);
  EXPECT_EQ(Batch({"layers"}).status, 2);
}

}  // namespace
}  // namespace fendo

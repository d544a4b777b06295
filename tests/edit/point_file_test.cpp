#include "edit/point_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace fendo {
namespace {

using Polygons = std::vector<std::vector<Point3>>;

std::string Described(const Polygons& polygons) {
  std::string text;
  for (const auto& polygon : polygons) {
    text += "[";
    for (Point3 v : polygon) text += " (" + std::to_string(v.x) + " " + std::to_string(v.y) + " " + std::to_string(v.z) + ")";
    text += " ]";
  }
  return text;
}

TEST(PointFile, ReadsEveryPolygonInFileOrder) {
  struct Case {
    const char* text;
    Polygons polygons;
    const char* what;
  };
  const std::vector<Case> cases = {
      {"start\n0 0 0\n10 0 0\n10 10 1\nend\nSTART\n-1 -2 -3\n4 5 6\n7 8 9\n",
       {{{0, 0, 0}, {10, 0, 0}, {10, 10, 1}}, {{-1, -2, -3}, {4, 5, 6}, {7, 8, 9}}},
       "two polygons, the last without \"end\" ends with the file"},
      {"header line\n1 2 3\nStart polygon one\r\n\r\n  1.5  +2 3e1\r\n\t4 5 6\r\nEnd\r\nafter 1 2\n",
       {{{1.5, 2, 30}, {4, 5, 6}}}, "lines outside polygons and blank lines are skipped, any case, CRLF"},
      {"start\n1 2 3\nend\nstart\nend\n", {{{1, 2, 3}}, {}}, "short polygons come as they stand"},
      {"start\n1 2 3\nstart\n4 5 6\n", {{{1, 2, 3}}, {{4, 5, 6}}}, "a start closes the polygon before it"},
      {"", {}, "an empty file holds no polygon"},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto polygons = ParsePointText(c.text, error);
    ASSERT_TRUE(polygons) << c.what << ": " << error;
    EXPECT_EQ(Described(*polygons), Described(c.polygons)) << c.what;
  }
}

TEST(PointFile, KeepsLongLinesAndEveryVertex) {
  std::string text = "start\n";
  const std::string padded = "1.000000000000000000000000000000000000000000000000000000000000000000000000000000001";
  text += padded + " 2 3\n";
  for (int k = 0; k < 5000; ++k) text += std::to_string(k) + " 0 0\n";
  std::string error;
  const auto polygons = ParsePointText(text, error);
  ASSERT_TRUE(polygons) << error;
  ASSERT_EQ(polygons->size(), 1u);
  EXPECT_EQ(polygons->front().size(), 5001u);
  EXPECT_EQ(polygons->front().front().z, 3) << "a line longer than 79 characters is read whole";
  EXPECT_EQ(polygons->front().back().x, 4999);
}

TEST(PointFile, RefusesABadVertexLineWithItsNumber) {
  struct Case {
    const char* text;
    const char* line;
  };
  const std::vector<Case> cases = {
      {"start\n1 2 3\n1 2\nend\n", "line 3:"},
      {"start\n1 2 3\n1 2 x\n", "line 3:"},
      {"\n\nstart\n1 2 3 4\n", "line 4:"},
      {"start\n1,2,3\n", "line 2:"},
      {"start\n1 2 nan\n", "line 2:"},
      {"start\n1 2 1e999\n", "line 2:"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParsePointText(c.text, error)) << c.text;
    EXPECT_EQ(error.rfind(c.line, 0), 0u) << c.text << " gave " << error;
  }
}

TEST(PointFile, ReadsAFileAndSaysWhenItCannot) {
  const test::TempDir dir;
  std::ofstream(dir / "two.poi", std::ios::binary) << "start\n0 0 0\n1 0 0\n1 1 0\nend\n";
  std::string error;
  const auto polygons = ReadPointFile(dir / "two.poi", error);
  ASSERT_TRUE(polygons) << error;
  EXPECT_EQ(polygons->size(), 1u);
  EXPECT_FALSE(ReadPointFile(dir / "missing.poi", error));
  EXPECT_NE(error.find("missing.poi"), std::string::npos) << error;
}

}  // namespace
}  // namespace fendo

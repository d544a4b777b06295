#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/line_reader.h"
#include "core/nc_reader.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "support/corpus_dir.h"
#include "support/temp_dir.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using test::CorpusDir;

// A scratch program in a folder of its own, removed with the test.
class TempFile {
 public:
  explicit TempFile(std::string_view content) { std::ofstream(path_, std::ios::binary) << content; }
  const fs::path& path() const { return path_; }

 private:
  test::TempDir dir_;
  fs::path path_ = dir_ / "program.nc";
};

Lines AllLines(LineReader& reader) {
  Lines lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, HandsOutWholeLinesWhateverTheirEnds) {
  LineReader text("a\r\nb\n\nlast");
  EXPECT_EQ(AllLines(text), (Lines{"a", "b", "", "last"}));
  LineReader empty("");
  EXPECT_EQ(AllLines(empty), Lines{});

  // Lines longer than the reading block arrive whole, with the lines around them.
  const std::string longLine(3'000'000, 'x');
  TempFile file("G00 X1\n" + longLine + "\nG01 X2");
  std::string reason;
  auto reader = LineReader::Open(file.path(), reason);
  ASSERT_TRUE(reader) << reason;
  EXPECT_EQ(AllLines(*reader), (Lines{"G00 X1", longLine, "G01 X2"}));
  EXPECT_EQ(reader->bytesConsumed(), reader->totalBytes());
}

TEST(LineReader, RefusesWhatCannotBeRead) {
  std::string reason;
  EXPECT_FALSE(LineReader::Open("/nonexistent/part.nc", reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(LineReader::Open(fs::temp_directory_path(), reason)) << "a folder is no program";
}

TEST(LoadFile, AFileThatCannotBeOpenedChangesNothing) {
  ToolpathDatabase db;
  AppendText(db, "G00 X1\nG01 X2 F100\n");
  db.SaveToLayer(0);
  const LoadResult result = LoadFile(db, "/nonexistent/part.nc");
  EXPECT_EQ(result.status, LoadStatus::CannotOpen);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_EQ(db.recordCount, 2);
  EXPECT_EQ(db.undoPos(), 0);
  EXPECT_EQ(db.layers[0].pointCount(), 2);
}

// Files opened by mistake: their bytes must not become a comment and stray moves.
TEST(LoadFile, RefusesAFileThatIsNotNcTextAndChangesNothing) {
  const std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\0", 20);
  std::ifstream self("/proc/self/exe", std::ios::binary);
  const std::string elf((std::istreambuf_iterator<char>(self)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(elf.starts_with("\x7F" "ELF"));
  const std::string oneNul = "G00 X1\nG01 X2 F100\n" + std::string(1, '\0') + "X3\n";
  const std::string controls = "G00 X1\n" + std::string(2, '\x02') + "\x1B" + "Y2\n";  // 3 of 13 bytes
  for (const std::string& content : {png, elf, oneNul, controls}) {
    TempFile file(content);
    ToolpathDatabase db;
    AppendText(db, "(KEPT)\nG00 X1\nG01 X2 F100\n");
    for (const bool append : {false, true}) {
      const LoadResult result = append ? AppendFile(db, file.path()) : LoadFile(db, file.path());
      EXPECT_EQ(result.status, LoadStatus::NotProgram) << content.substr(0, 8);
      EXPECT_TRUE(result.refused());
      EXPECT_EQ(result.reason, "NC 프로그램이 아닙니다.");
      EXPECT_EQ(result.lines, 0);
      EXPECT_EQ(test::Records(db), (Lines{"1 1 0 0 0", "3 2 0 0 100"}));
      EXPECT_EQ(db.layers[0].comment, "KEPT\r\n");
      EXPECT_EQ(db.undoPos(), 0);
    }
  }
}

TEST(LoadFile, ReadsTextWithLayoutCharactersAndCommentsInAnyEncoding) {
  const std::string cases[] = {
      "",
      "%\r\n(\xB0\xF8\xB1\xB8 \xC8\xB2\xBB\xE8)\r\nG00 X1\r\n%\r\n\x1A",  // CP949, DOS end-of-file mark
      "(\xEA\xB3\xB5\xEA\xB5\xAC)\nG00 X1\n\f",                       // UTF-8, form feed
      "(Fr\xE4ser)\n\tG00 X1\n\x12G01 X2 F100\n\x14",                    // Latin-1, tape reader on/off codes
  };
  for (const std::string& content : cases) {
    TempFile file(content);
    ToolpathDatabase db;
    EXPECT_TRUE(LoadFile(db, file.path()).ok()) << content;
  }
}

TEST(LoadFile, ReplacesTheProgramAndCanBeUndone) {
  TempFile first("G00 X1\nG01 X2 F100\n");
  TempFile second("G00 Y7\n");
  ToolpathDatabase db;
  ASSERT_TRUE(LoadFile(db, first.path()).ok());
  const LoadResult result = LoadFile(db, second.path());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.lines, 1);
  EXPECT_EQ(test::Records(db), (Lines{"1 2 7 0 100"})) << "position and feed carry on from the first file";
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 2);

  ASSERT_TRUE(AppendFile(db, second.path()).ok());
  EXPECT_EQ(db.recordCount, 2) << "Y7 again: no move";
}

TEST(LoadFile, CountsTheLinesItCouldNotUse) {
  ToolpathDatabase db;
  const LoadResult result = AppendText(db, "G00 X1\nG01 X F100\n#1=5\nG10 L2 P1 X0\nX2\n");
  EXPECT_EQ(result.lines, 5);
  EXPECT_EQ(result.invalidLines, 1);
  EXPECT_EQ(result.skippedLines, 2);
}

TEST(LoadFile, StopsAtTheRecordLimitWithoutSplittingAnArc) {
  ToolpathDatabase db;
  // Leave room for exactly one more record at the end of the work buffer.
  db.cursor.kind = MoveKind::Feed;
  ASSERT_TRUE(db.WriteRecord(ToolpathDatabase::kMaxRecords - 2));
  db.recordCount = ToolpathDatabase::kMaxRecords - 1;
  const LoadResult result = AppendText(db, "G02 X1 Y1 I1 J0 F100\nG01 X5\n");
  EXPECT_EQ(result.status, LoadStatus::RecordLimit);
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords - 1) << "no arc without its centre";

  const LoadResult lines = AppendText(db, "G01 X7 F100\nX8\nX9\n");
  EXPECT_EQ(lines.status, LoadStatus::RecordLimit);
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords);
}

// The kind conventions every reader output keeps: a Feed follows a linear feed move, a
// FeedStart does not, and every arc is followed by its centre record.
void ExpectKindConventions(ToolpathDatabase& db, const std::string& name) {
  MoveKind previous = MoveKind::None;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    ASSERT_TRUE(IsMotionKind(r.kind)) << name << " record " << i;
    if (r.kind == MoveKind::Feed) {
      ASSERT_TRUE(IsLinearFeedKind(previous)) << name << " record " << i;
    }
    if (r.kind == MoveKind::FeedStart) {
      ASSERT_FALSE(IsLinearFeedKind(previous)) << name << " record " << i;
    }
    if (IsArcKind(r.kind)) {
      ASSERT_LT(i + 1, db.recordCount) << name;
      ASSERT_TRUE(IsCentreKind(db.RecordAt(++i)->kind)) << name << " record " << i;
    }
    previous = r.kind;
  }
}

TEST(Corpus, EveryProgramLoadsCleanAndKeepsTheConventions) {
  if (!fs::exists(CorpusDir())) GTEST_SKIP() << "no corpus at " << CorpusDir();
  int programs = 0;
  for (const auto& dialect : {"iso", "heidenhain"}) {
    for (const auto& entry : fs::directory_iterator(CorpusDir() / dialect)) {
      ToolpathDatabase db;
      db.options.heidenhainInputChk = std::string_view(dialect) == "heidenhain";
      const std::string name = entry.path().filename().string();
      const LoadResult result = LoadFile(db, entry.path());
      ASSERT_TRUE(result.ok()) << name;
      EXPECT_EQ(result.invalidLines, 0) << name;
      // Two programs have no motion of their own: one computes every move from parameters,
      // the other only measures tools.
      if (name != "linuxcnc_3d_chips.ngc" && name != "apt_tref_sacrifice.h") {
        EXPECT_GT(db.recordCount, 0) << name;
      }
      ExpectKindConventions(db, name);
      ++programs;
    }
  }
  EXPECT_GT(programs, 30);
}

struct CorpusStart {
  const char* file;
  bool heidenhain;
  Lines firstRecords;
};

TEST(Corpus, ProgramsStartWhereTheyShould) {
  if (!fs::exists(CorpusDir())) GTEST_SKIP() << "no corpus at " << CorpusDir();
  const CorpusStart cases[] = {
      {"iso/linuxcnc_cds.ngc", false,  // signed words: "n0155 G0 Z+2.1"; X, Y come only after it
       {"1 0 3.915 2.1 16", "3 0 3.915 1.6875 16", "4 4 3.915 1.6875 16", "4 4 3.725 1.6875 16"}},
      {"iso/egp_test_g91.nc", false,  // G91 after an absolute position; Z comes after X, Y
       {"1 -100 49.997 13 0", "2 -100 49.997 1 0", "3 -100 49.997 0 500", "4 -90 49.997 0 500",
        "4 90 49.997 0 500", "4 90 12.799 0 500"}},
      {"iso/camotics_vcarve.ngc", false,  // blanks between letters and numbers: "G0 X  0.0238"
       {"1 0 0 0.1 6", "1 0.0238 0.0918 0.1 6", "1 0.0238 0.0918 0 6", "3 0.02724 0.09434 -0.00312 6"}},
      {"iso/linuxcnc_arcspiral.ngc", false,  // lowercase, R before the end point
       {"1 0 0 1 0", "1 1.72464 -1.01273 1 0", "3 1.72464 -1.01273 -0.1 24", "8 1.6133 -1.17867 -0.1 24"}},
      {"heidenhain/apt_metrologia_12.h", true,  // datum-shift cycle and M91 lines are no moves
       {"1 12.163 35.838 25 0", "2 12.163 35.838 250 0", "2 12.163 35.838 110 0", "2 12.163 35.838 87.5 0",
        "3 12.163 35.838 78 240"}},
  };
  for (const CorpusStart& c : cases) {
    ToolpathDatabase db;
    db.options.heidenhainInputChk = c.heidenhain;
    ASSERT_TRUE(LoadFile(db, CorpusDir() / c.file).ok()) << c.file;
    const Lines records = test::Records(db);
    ASSERT_GE(records.size(), c.firstRecords.size()) << c.file;
    EXPECT_EQ(Lines(records.begin(), records.begin() + c.firstRecords.size()), c.firstRecords) << c.file;
  }
}

// One program of the corpus writes its arc centres as coordinates without G90.1. Read as
// offsets its arcs end millimetres off their radius; the reader says so, and says it of no
// other program.
TEST(Corpus, AbsoluteArcCentresAreRecognisedAndReadWithTheOption) {
  if (!fs::exists(CorpusDir())) GTEST_SKIP() << "no corpus at " << CorpusDir();
  const fs::path absolute = CorpusDir() / "iso" / "egp_bottle.nc";
  for (const auto& dialect : {"iso", "heidenhain"}) {
    for (const auto& entry : fs::directory_iterator(CorpusDir() / dialect)) {
      ToolpathDatabase db;
      db.options.heidenhainInputChk = std::string_view(dialect) == "heidenhain";
      const LoadResult result = LoadFile(db, entry.path());
      EXPECT_EQ(result.arcCentres.looksAbsolute, entry.path() == absolute) << entry.path().filename();
    }
  }

  ToolpathDatabase db;
  db.options.arcCentreAbsInputChk = true;
  const LoadResult result = LoadFile(db, absolute);
  ASSERT_TRUE(result.ok());
  EXPECT_FALSE(result.arcCentres.looksAbsolute);
  int arcs = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!IsArcKind(db.RecordAt(i)->kind)) continue;
    const Arc arc = ArcGeometry(db, i);
    const PlaneAxes axes = AxesOf(arc.plane);
    const double startRadius = std::hypot(arc.start.*axes.first - arc.centre.*axes.first,
                                          arc.start.*axes.second - arc.centre.*axes.second);
    EXPECT_NEAR(startRadius, arc.radius, 0.005) << "record " << i;
    ++arcs;
  }
  EXPECT_GT(arcs, 2000);
}

}  // namespace
}  // namespace fendo

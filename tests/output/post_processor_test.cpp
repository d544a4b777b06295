#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "output/post_processor.h"
#include "output/post_template.h"
#include "output/template_expansion.h"
#include "support/golden_file.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Fill;
using test::Rec;
using test::ScriptedPrompts;
using Id = TemplateSectionId;
using Lines = std::vector<std::string>;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "post" / name; }

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines SectionLines(const PostTemplate& t, Id id) {
  Lines lines;
  for (const TemplateLine& line : t.section(id).lines) lines.push_back(line.text);
  return lines;
}

class PostProcessorTest : public ::testing::Test {
 protected:
  void SetUp() override { options_.outputPath = (dir_ / "out.nc").string(); }

  // The program the template writes for the records.
  std::string Write(const std::vector<ToolpathRecord>& records, const PostTemplate& t = {}) {
    ToolpathDatabase db;
    Fill(db, records);
    const PostResult result = RunPostProcessor(db, t, options_, prompts_);
    EXPECT_TRUE(result.ok()) << result.reason;
    EXPECT_EQ(db.layers[db.layers.workLayer].fileName, options_.outputPath);
    return Bytes(options_.outputPath);
  }

  const test::TempDir dir_;
  PostOutputOptions options_;
  ScriptedPrompts prompts_;
};

TEST_F(PostProcessorTest, DefaultTemplateWritesARapidThenAFeedMove) {
  EXPECT_EQ(Write({Rec(MoveKind::RapidStart, 10, 20, 50), Rec(MoveKind::FeedStart, 10, 30, 50, 500)}),
            "%\nO0\nN1G90G17G00X10.000Y20.000Z50.000\nN2S1000M03\nN3G00\nN4G01Y30.000F500\nN5M09\nN6M30\n%\n");
  // The start position is left out on an axis at exactly 999.
  EXPECT_EQ(Write({Rec(MoveKind::RapidStart, 999, 20, 50)}).substr(0, 31), "%\nO0\nN1G90G17G00Y20.000Z50.000\n");
}

TEST_F(PostProcessorTest, OnlyTheFirstCutOfARunAtOneFeedCarriesF) {
  std::vector<ToolpathRecord> records = {Rec(MoveKind::RapidStart, 0, 0, 5), Rec(MoveKind::FeedStart, 0, 0, 0, 500)};
  for (int i = 1; i <= 9; ++i) records.push_back(Rec(MoveKind::Feed, static_cast<float>(i), 0, 0, 500));
  const std::string program = Write(records);
  EXPECT_NE(program.find("N4G01Z0.000F500\nN5X1.000\nN6X2.000\n"), std::string::npos) << program;
  EXPECT_EQ(program.find('F'), program.rfind('F')) << program;
}

TEST_F(PostProcessorTest, ArcsChooseTheirSectionByPlaneDirectionAndRun) {
  PostTemplate naming;
  for (int s = 0; s < kTemplateSectionCount; ++s) {
    naming.ApplySectionEdit(Id(s), std::string(PostTemplate::SectionName(Id(s))) + "\r\n");
  }
  // A template that writes no axis at all is refused; [$Z] of a rapid that stays where [Start]
  // was writes nothing.
  naming.ApplySectionEdit(Id::NewRapid, "[NewRapid][$Z]\r\n");
  std::vector<ToolpathRecord> records = {Rec(MoveKind::RapidStart, 0, 0, 5), Rec(MoveKind::FeedStart, 0, 0, 0, 100)};
  // Each plane starts in the direction the plane before it ended in: a new plane is a new run.
  const std::vector<MoveKind> directions = {MoveKind::ArcCw, MoveKind::ArcCw, MoveKind::ArcCcw, MoveKind::ArcCcw,
                                            MoveKind::ArcCcw, MoveKind::ArcCcw, MoveKind::ArcCw, MoveKind::ArcCw};
  int d = 0;
  for (MoveKind plane : {MoveKind::CentreXY, MoveKind::CentreZX, MoveKind::CentreYZ}) {
    for (int k = 0; k < 4; ++k, d = (d + 1) % directions.size()) {
      // Full turns about (1, 1, 1): a circle in every plane.
      records.push_back(Rec(directions[d], 0, 0, 0, 100));
      records.push_back(Rec(plane, 1, 1, 1));
    }
  }
  // A straight cut ends the run; an arc without its centre record is not written.
  for (MoveKind kind : {MoveKind::Feed, MoveKind::ArcCw, MoveKind::CentreYZ, MoveKind::ArcCw, MoveKind::Feed}) {
    records.push_back(Rec(kind, 1, 2, 3, 100));
  }
  EXPECT_EQ(Write(records, naming),
            "[Start]\n[Spindle]\n[NewRapid]\n[NewCut]\n"
            "[NewXyCW]\n[XyCW]\n[NewXyCCW]\n[XyCCW]\n[NewZxCCW]\n[ZxCCW]\n[NewZxCW]\n[ZxCW]\n"
            "[NewYzCW]\n[YzCW]\n[NewYzCCW]\n[YzCCW]\n[Cut]\n[NewYzCW]\n[Cut]\n[Term]\n");

  ToolpathDatabase db;
  Fill(db, {Rec(MoveKind::FeedStart, 5, 0, 0, 100), Rec(MoveKind::ArcCw, 7, 0, 0, 100),
            Rec(MoveKind::Feed, 7, 0, 0, 100)});
  const PostResult result = RunPostProcessor(db, PostTemplate{}, options_, prompts_);
  EXPECT_EQ(result.skippedArcs, 1);
  // The skipped arc did not move the machine, so the next cut still writes its X.
  EXPECT_NE(Bytes(options_.outputPath).find("N4X7.000\n"), std::string::npos) << Bytes(options_.outputPath);
}

// One counter for every line of every section; a prompted number is written as entered and
// the counter goes on from it.
TEST_F(PostProcessorTest, SequenceNumbersRunTo9999AndStartAgainAt1) {
  PostTemplate numbering;
  numbering.ApplySectionEdit(Id::Start, "N$N\r\n");
  numbering.ApplySectionEdit(Id::Spindle, "?N\r\n");
  numbering.ApplySectionEdit(Id::Term, "N$N\r\nN$N\r\n");
  prompts_.values = {9999};
  EXPECT_EQ(Write({Rec(MoveKind::RapidStart, 0, 0, 0)}, numbering), "N1\n9999\nN1G00\nN2\nN3\n");
}

TEST_F(PostProcessorTest, WritesToolBlockAndMatchesTheReviewedProgram) {
  static constexpr std::string_view kProgram =
      "%\nO0100\nG90 G17\nG00 X0 Y0 Z10.\nG01 Z0 F400\nX20. Y0 F1200\n"
      "G02 X40. Y0 I10. J0\nX60. Y0 I10. J0\nG03 X80. Y0 I10. J0 F800\nX100. Y0 I10. J0\nG01 X100. Y10.\n"
      "G18 G02 X95. Z-5. I-5. K0\nG03 X90. Z0 I0 K5.\nG19 G02 Y15. Z-5. J5. K0\nG03 Y20. Z0 J0 K5.\n"
      "G17 G01 X0 Y0\nG03 I0 J5.\nG00 Z10.\nX50. Y50.\nG01 Z-1. F300\nG00 Z10.\nM30\n%\n";
  ToolpathDatabase original;
  ASSERT_TRUE(AppendText(original, kProgram).ok());
  options_.toolChange = true;
  options_.toolNumber = 4;
  options_.spindleSpeed = 8000;
  options_.programNumber = 100;
  original.layers[original.layers.workLayer].lengthOffset = 7;
  ASSERT_TRUE(RunPostProcessor(original, PostTemplate{}, options_, prompts_).ok());
  const std::string program = Bytes(options_.outputPath);
  EXPECT_EQ(program, test::GoldenBytes(program, Data("planes_and_directions.nc")));

  // Read back, the program has the same records: end points, centres, kinds and feeds.
  ToolpathDatabase reread;
  ASSERT_TRUE(AppendText(reread, program).ok());
  ASSERT_EQ(reread.recordCount, original.recordCount) << program;
  for (int i = 0; i < original.recordCount; ++i) {
    const ToolpathRecord& a = *original.RecordAt(i);
    const ToolpathRecord& b = *reread.RecordAt(i);
    EXPECT_EQ(b.kind, a.kind) << i;
    EXPECT_EQ(b.feed, a.feed) << i;
    EXPECT_NEAR(b.x, a.x, 0.0005) << i;
    EXPECT_NEAR(b.y, a.y, 0.0005) << i;
    EXPECT_NEAR(b.z, a.z, 0.0005) << i;
  }
}

TEST_F(PostProcessorTest, FailuresAreReportedAndLeaveFilesAlone) {
  ToolpathDatabase db;
  Fill(db, {Rec(MoveKind::RapidStart, 0, 0, 0)});
  options_.outputPath = (dir_ / "no such folder" / "out.nc").string();
  PostResult result = RunPostProcessor(db, PostTemplate{}, options_, prompts_);
  EXPECT_EQ(result.status, PostStatus::CannotCreate);
  EXPECT_FALSE(result.reason.empty());

  // A full disk: reported, and once a write has failed no more values are asked for.
  constexpr int kCuts = 100'000;
  std::vector<ToolpathRecord> cuts(kCuts, Rec(MoveKind::Feed, 1, 2, 3, 100));
  PostTemplate asking;
  asking.ApplySectionEdit(Id::Cut, "N$N X$X Y$Y Z$Z (MEASURED ?X)\r\n");
  Fill(db, cuts);
  options_.outputPath = "/dev/full";
  result = RunPostProcessor(db, asking, options_, prompts_);
  EXPECT_EQ(result.status, PostStatus::WriteFailed);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_LT(prompts_.messages.size(), kCuts / 2);

  // A buffer without motion has no position to start from; an existing file is not emptied.
  options_.outputPath = (dir_ / "kept.nc").string();
  std::ofstream(options_.outputPath) << "G00X1\n";
  Fill(db, {Rec(MoveKind::None, 0, 0, 0), Rec(MoveKind::CentreXY, 1, 0, 0)});
  EXPECT_EQ(RunPostProcessor(db, PostTemplate{}, options_, prompts_).status, PostStatus::NoMotion);
  EXPECT_EQ(Bytes(options_.outputPath), "G00X1\n");
}

struct ExpandCase {
  const char* what;
  std::string line;
  TemplateVars current;
  TemplateVars previous;
  std::string expected;
};

TEST(ExpandLine, ReplacesEachFormByItsRule) {
  const TemplateVars at{.i = 1.5, .j = -2, .k = 0, .x = 10, .y = 20.25, .z = -0.0001, .r = 2.5, .feed = 500,
                        .kind = MoveKind::ArcCw, .plane = MoveKind::CentreZX};
  TemplateVars moved = at;
  moved.x = 11;
  moved.feed = 600;
  moved.plane = MoveKind::CentreXY;
  const std::vector<ExpandCase> cases = {
      {"modal words vanish when unchanged", "N$N[$X][$Y][$Z][$F][$I][$ARCPLANE]\r\n", at, at, "N1\n"},
      {"modal words written when changed", "[$X][$Y][$F][$ARCPLANE]\r\n", moved, at, "X11.000F600G17\n"},
      {"[$H] and [$N] always", "[$H][$N]\r\n", at, at, "H7N1\n"},
      {"plain values always, printf rounding", "X$XY$YZ$ZI$IJ$JK$KR$RF$FH$HO$OS$ST$T\r\n", at, at,
       "X10.000Y20.250Z-0.000I1.500J-2.000K0.000R2.500F500H7O3S800T4\n"},
      {"halves round as their binary value does", "$X $Y\r\n", {.x = 0.0005, .y = 1.0005}, {}, "0.001 1.000\n"},
      {"unknown letters stay", "[$A]$Q$x?Q[$O][$S]$\r\n", at, at, "[$A]$Q$x?Q[$O][$S]$\n"},
      {"a kept bracket token is not a plain one", "O$O[$O]\r\n", at, at, "O3[$O]\n"},
      {"no plane word for a plane of no arc", "[$ARCPLANE]\r\n", {}, at, "\n"},
      {"every CR LF", "A\r\nB\r\n", at, at, "A\nB\n"},
  };
  for (const ExpandCase& c : cases) {
    ScriptedPrompts prompts;
    TemplateExpander expander({.sequence = 1, .tool = 4, .spindle = 800, .lengthOffset = 7, .program = 3}, prompts);
    TemplateVars current = c.current;
    std::string out;
    expander.ExpandLine(c.line, ComputeLineMasks(c.line), current, c.previous, out);
    EXPECT_EQ(out, c.expected) << c.what;
  }
}

TEST(ExpandLine, BracketNumbersComeBeforePlainOnesAndWrapAfter9999) {
  ScriptedPrompts prompts;
  TemplateExpander expander({.sequence = 9998}, prompts);
  TemplateVars vars;
  std::string out;
  const std::string line = "$N[$N]$N\r\n";
  expander.ExpandLine(line, ComputeLineMasks(line), vars, vars, out);
  EXPECT_EQ(out, "9999N99981\n");
  for (auto [counter, written, next] : {std::tuple{-5, 0, 1}, {10000, 0, 1}, {9999, 9999, 1}, {41, 41, 42}}) {
    EXPECT_EQ(TakeSequenceNumber(counter), written);
    EXPECT_EQ(counter, next);
  }
}

TEST(ExpandLine, PromptsAskWithTheirLabelAndKeepWhatWasEntered) {
  ScriptedPrompts prompts;
  prompts.values = {12.5, std::nullopt, 7.9, 1e300, kNan, 3e9};
  TemplateExpander expander({.sequence = 1, .tool = 4}, prompts);
  TemplateVars current{.x = 10, .feed = 500};
  const TemplateVars previous = current;
  std::string out;
  for (const std::string line : {"?X ?F ?N $N\r\n", "?S ?T ?N ?R [$X]\r\n", "$N ?J\r\n"}) {
    expander.ExpandLine(line, ComputeLineMasks(line), current, previous, out);
  }
  // Cancel keeps the value; integers are cut toward zero within the int range; a prompted
  // length is the record's from then on, so the bracket variable sees the change.
  EXPECT_EQ(out, "12.500 500 7 1\n2147483647 4 2147483647 ?R X12.500\n1 0.000\n");
  EXPECT_EQ(current.x, 12.5);
  EXPECT_EQ(expander.bound().spindle, INT_MAX);
  const std::string request = "값을   입력하시요 !!";
  EXPECT_EQ(prompts.messages, (Lines{"value: X Code" + request, "value: F Code" + request, "value: N Code" + request,
                                     "value: S Code" + request, "value: T Code" + request, "value: N Code" + request,
                                     "value: \tJ Code" + request}));
}

TEST(LineMasks, OneBitPerLetterInEachForm) {
  const LineMasks masks = ComputeLineMasks("N$NG90[$X][$ARCPLANE][$A]?F$x?R[$Q");
  const auto bit = [](char c) { return std::uint32_t{1} << (c - 'A'); };
  EXPECT_EQ(masks.bracket, bit('X') | bit('A') | (std::uint32_t{1} << LineMasks::kArcPlaneBit));
  EXPECT_EQ(masks.plain, bit('N') | bit('Q'));
  EXPECT_EQ(masks.prompt, bit('F') | bit('R'));
  EXPECT_TRUE(AsksForValues(masks));
  EXPECT_FALSE(AsksForValues(ComputeLineMasks("?R?Q?a(WHY?)")));

  PostTemplate t;
  EXPECT_FALSE(t.UsesPromptVariables());
  t.AddLine(Id::ZxCCW, "N$NT?T\r\n");
  EXPECT_TRUE(t.UsesPromptVariables());
}

TEST(PostTemplate, SectionEditKeepsCompleteLinesUpToTen) {
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += "L" + std::to_string(i) + "\r\n";
  const std::vector<std::pair<std::string, Lines>> cases = {
      {"A\r\nB", {"A\r\n"}},
      {"", {}},
      {"\r\n\r\n", {"\r\n", "\r\n"}},
      {"A\nB\r\n", {"A\nB\r\n"}},
      {twelve, {"L0\r\n", "L1\r\n", "L2\r\n", "L3\r\n", "L4\r\n", "L5\r\n", "L6\r\n", "L7\r\n", "L8\r\n", "L9\r\n"}},
  };
  for (const auto& [text, lines] : cases) {
    PostTemplate t;
    t.ApplySectionEdit(Id::Tool, text);
    EXPECT_EQ(SectionLines(t, Id::Tool), lines) << text;
  }
}

TEST(PostTemplate, FileDefinesOnlyTheSectionsItNames) {
  const std::string longLine = "N$NX$X" + std::string(200, 'Y');
  std::string text = "text before\n[Cut]\n  N$NX$X \t\r\n\n" + longLine + "\n[End]\n[Rapid]\nfirst\n[End]\n";
  text += "  [Rapid] again\nsecond\nN$N[$X]\nwith [End] inside\nignored\n[Term]\n";
  for (int i = 0; i < 10; ++i) text += "T" + std::to_string(i) + "\n";
  text += "[End]\ntext after\n";
  PostTemplate t;
  ASSERT_TRUE(t.LoadTemplateText(text));
  EXPECT_EQ(SectionLines(t, Id::Cut), (Lines{"N$NX$X\r\n", "\r\n", longLine + "\r\n"}));
  EXPECT_EQ(SectionLines(t, Id::Rapid), (Lines{"second\r\n", "N$N[$X]\r\n"}));
  EXPECT_EQ(SectionLines(t, Id::Term).size(), 10u);
  const PostTemplate defaults;
  for (Id id : {Id::Start, Id::NewCut, Id::NewRapid, Id::XyCW, Id::Tool, Id::Spindle}) {
    EXPECT_EQ(t.section(id).Text(), defaults.section(id).Text()) << PostTemplate::SectionName(id);
  }
}

// A file the writer would not write as it stands is refused with its line, and the template
// stays as it was: the user named this file, not a mixture of it and the defaults.
TEST(PostTemplate, FilesTheWriterCannotTakeAreRefusedWithTheirLine) {
  std::string eleven = "[Term]\n";
  for (int i = 0; i < 11; ++i) eleven += "T" + std::to_string(i) + "\n";
  eleven += "[End]\n";
  struct Case {
    std::string text;
    const char* reason;
  };
  const Case cases[] = {
      {eleven, "line 12: [Term] has more than 10 lines, the most a section writes"},
      {"[Cut]\nN$NX$X\n", "line 1: [Cut] has no [End] before the end of the file"},
      {"\n[Cut]\nN$NX$X\n[Rapid]\nN$N\n[End]\n", "line 2: [Cut] has no [End] before [Rapid] on line 4"},
      {"[Cut]\nX$X\n[End]\n [Strat] \n%\n[End]\n", "line 4: unknown section [Strat]"},
  };
  for (const Case& c : cases) {
    PostTemplate t;
    t.ApplySectionEdit(Id::Cut, "MINE\r\n");
    const FileStatus status = t.LoadTemplateText(c.text);
    EXPECT_FALSE(status) << c.text;
    EXPECT_EQ(status.reason.substr(0, status.reason.find(" (")), c.reason) << c.text;
    EXPECT_EQ(SectionLines(t, Id::Cut), Lines{"MINE\r\n"}) << c.text;
  }
}

// An arc a control would refuse goes out through the straight cut's section, and is counted;
// after an arc the cut is a new one (G01), after a cut a continued one.
TEST_F(PostProcessorTest, ArcsAControlWouldRefuseAreWrittenAsCuts) {
  ToolpathDatabase db;
  Fill(db, {Rec(MoveKind::RapidStart, 0, 0, 5), Rec(MoveKind::FeedStart, 0, 0, 0, 100),
            Rec(MoveKind::ArcCw, 4, 0, 0, 100), Rec(MoveKind::CentreXY, 0, 0, 0),     // no radius
            Rec(MoveKind::ArcCcw, 10, 0, 0, 100), Rec(MoveKind::CentreXY, 3, 0, 0),   // radius 3, then 3: sound
            Rec(MoveKind::ArcCcw, 20, 0, 0, 100), Rec(MoveKind::CentreXY, 3, 0, 0)}); // radius 3, then 7
  const PostResult result = RunPostProcessor(db, PostTemplate{}, options_, prompts_);
  EXPECT_EQ(result.arcsAsLines, 2);
  const std::string program = Bytes(options_.outputPath);
  EXPECT_NE(program.find("N5X4.000\nN6G17G03X10.000I3.000J0.000\nN7G01X20.000\n"), std::string::npos) << program;
}

// A template whose cut, rapid and arc sections write no axis makes a program that does not
// move: it is refused before any file is made.
TEST_F(PostProcessorTest, ATemplateThatWritesNoMotionIsRefused) {
  PostTemplate still;
  ASSERT_TRUE(still.LoadTemplateText("[Cut]\nN$N[$F]\n[End]\n[NewCut]\nG01\n[End]\n[NewRapid]\nG00\n[End]\n"
                                     "[Rapid]\n[End]\n[NewXyCW]\nG02I$IJ$J\n[End]\n[XyCW]\n[End]\n[NewXyCCW]\n[End]\n"
                                     "[XyCCW]\n[End]\n[NewYzCW]\n[End]\n[YzCW]\n[End]\n[NewYzCCW]\n[End]\n"
                                     "[YzCCW]\n[End]\n[NewZxCW]\n[End]\n[ZxCW]\n[End]\n[NewZxCCW]\n[End]\n"
                                     "[ZxCCW]\n[End]\n"));
  EXPECT_FALSE(still.WritesMotion());
  ToolpathDatabase db;
  Fill(db, {Rec(MoveKind::RapidStart, 0, 0, 5), Rec(MoveKind::FeedStart, 0, 0, 0, 100)});
  EXPECT_EQ(RunPostProcessor(db, still, options_, prompts_).status, PostStatus::NoMotionBlock);
  EXPECT_FALSE(fs::exists(options_.outputPath));
  still.ApplySectionEdit(Id::ZxCCW, "?Z\r\n");
  EXPECT_TRUE(still.WritesMotion()) << "a prompted axis is an axis too";
}

TEST_F(PostProcessorTest, TemplateFilesRoundTripByteForByte) {
  const PostTemplate defaults;
  const fs::path path = dir_ / "mill.ppr";
  ASSERT_TRUE(defaults.SaveTemplate(path));
  const std::string saved = Bytes(path);
  EXPECT_EQ(saved, test::GoldenBytes(saved, Data("default.ppr")));

  PostTemplate edited;
  edited.ApplySectionEdit(Id::NewYzCCW, "N$N?X\r\n\r\n(COMMENT)\r\n");
  edited.ClearSection(Id::Term);
  ASSERT_TRUE(edited.SaveTemplate(path));
  EXPECT_EQ(Bytes(path), edited.TemplateText());
  // Loaded by its name without the extension, since that name does not exist.
  PostTemplate loaded;
  ASSERT_TRUE(loaded.LoadTemplate(dir_ / "mill"));
  EXPECT_EQ(loaded.TemplateText(), edited.TemplateText());

  // A missing file gives the defaults silently, unless the user named it; a folder is refused
  // with the reason and leaves the template as it was.
  EXPECT_TRUE(loaded.LoadTemplate(dir_ / "none"));
  EXPECT_EQ(loaded.TemplateText(), defaults.TemplateText());
  loaded.ApplySectionEdit(Id::Cut, "X\r\n");
  const std::string mine = loaded.TemplateText();
  const FileStatus named = loaded.LoadTemplate(dir_ / "none", MissingTemplate::Fail);
  EXPECT_FALSE(named);
  EXPECT_NE(named.reason.find("none.ppr"), std::string::npos) << named.reason;
  const FileStatus folder = loaded.LoadTemplate(dir_.path());
  EXPECT_FALSE(folder);
  EXPECT_FALSE(folder.reason.empty());
  EXPECT_EQ(loaded.TemplateText(), mine);

  // A line holding [End] would cut its section short when read: nothing is written.
  edited.ApplySectionEdit(Id::Start, "(SEE [End])\r\n");
  EXPECT_FALSE(edited.SaveTemplate(dir_ / "cut.ppr"));
  EXPECT_FALSE(fs::exists(dir_ / "cut.ppr"));
}

}  // namespace
}  // namespace fendo

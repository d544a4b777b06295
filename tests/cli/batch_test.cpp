#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/batch.h"
#include "cli/batch_commands.h"
#include "cli/batch_run.h"
#include "support/file_bytes.h"
#include "support/golden_file.h"
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

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "reader" / name; }

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
  for (const GoldenCase& c : cases) {
    std::vector<std::string> args = {"dump"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    args.push_back(Data(c.program).string());
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, 0) << c.program << ": " << run.err;
    EXPECT_EQ(run.err, "") << c.program;
    const fs::path golden = Data(fs::path(c.program).stem().string() + ".dump");
    EXPECT_EQ(run.out, test::GoldenBytes(run.out, golden)) << c.program;
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

TEST(BatchInfo, JsonGivesThePlannedTimesBesideTheSimpleEstimate) {
  const BatchRun run = Batch({"info", "--json", Data("iso_features.nc").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto number = [&run](const std::string& name) {
    const std::size_t at = run.out.find("\"" + name + "\":");
    EXPECT_NE(at, std::string::npos) << name << "\n" << run.out;
    return at == std::string::npos ? 0.0 : std::stod(run.out.substr(at + name.size() + 3));
  };
  const double simple = number("cuttingTime");
  EXPECT_GT(simple, 0);
  EXPECT_GE(number("dynamicTime"), simple);
  EXPECT_GT(number("rapidTime"), 0);
}

TEST(BatchInfo, CommentsInOtherEncodingsAreShownInUtf8) {
  TempDir dir;
  const fs::path korean = dir.path() / "korean.nc";
  std::ofstream(korean, std::ios::binary) << "(\xB0\xA1\xB0\xA2 \"X\")\n(\xC8\xB2\xBB\xE8)\nG00 X1\n";  // CP949
  const fs::path latin1 = dir.path() / "latin1.nc";
  std::ofstream(latin1, std::ios::binary) << "(Fr\xE4ser \xD8" "12)\nG00 X1\n";
  const BatchRun json = Batch({"info", "--json", korean.string(), latin1.string()});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"comment\":\"가각 \\\"X\\\"\\r\\n황삭\\r\\n\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"comment\":\"Fräser Ø12\\r\\n\""), std::string::npos) << json.out;
  const BatchRun text = Batch({"info", korean.string()});
  EXPECT_NE(text.out.find("comment             가각 \"X\" | 황삭\n"), std::string::npos) << text.out;
}

TEST(BatchInfo, AFileThatIsNoProgramIsRefusedOnTheErrorStream) {
  TempDir dir;
  const fs::path image = dir.path() / "photo.png";
  std::ofstream(image, std::ios::binary) << std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
  for (const char* verb : {"info", "dump"}) {
    const BatchRun run = Batch({verb, image.string()});
    EXPECT_EQ(run.status, 1) << verb;
    EXPECT_EQ(run.err, "fendo-batch: " + image.string() + ": NC 프로그램이 아닙니다.\n") << verb;
    EXPECT_EQ(run.out, "") << verb;
  }
}

TEST(BatchInfo, SaysHowManyDrillingCyclesWereExpanded) {
  TempDir dir;
  const fs::path program = dir.path() / "holes.nc";
  std::ofstream(program, std::ios::binary) << "G00 X0 Y0 Z10\nG91 G81 X5 Z-3 R-8 K2 F50\nX5\nG80\n";
  const BatchRun text = Batch({"info", program.string()});
  EXPECT_NE(text.out.find("\n  drilling cycles     2 blocks expanded into moves, 3 holes\n"), std::string::npos)
      << text.out;
  const BatchRun json = Batch({"info", "--json", program.string()});
  EXPECT_NE(json.out.find("\"drillingCycleBlocks\":2,\"drillingCycleHoles\":3,"), std::string::npos) << json.out;
  EXPECT_EQ(Batch({"info", Data("iso_features.nc").string()}).out.find("drilling"), std::string::npos);
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
  const test::ScopedVariable system("FENDO_SYSTEM_DIR", dir.path().c_str());

  const BatchRun configured = Batch({"dump", Data("heidenhain_features.h").string()});
  EXPECT_EQ(configured.out, ReadFile(Data("heidenhain_features.dump"))) << configured.err;
  const BatchRun flagged = Batch({"dump", "--int", Data("integer_thousandths.nc").string()});
  EXPECT_EQ(flagged.out, ReadFile(Data("integer_thousandths.dump"))) << "flags replace fendo.par";
}

// Eight quarter circles about (5, 5) whose centres are written as coordinates, without G90.1,
// and the same motions with the centres as offsets. Read as offsets, two of the eight happen to
// end on their radius.
constexpr std::string_view kAbsoluteCentres =
    "G01 X15 Y5 F100\nG03 X5 Y15 I5 J5\nX-5 Y5 I5 J5\nX5 Y-5 I5 J5\nX15 Y5 I5 J5\n"
    "X5 Y15 I5 J5\nX-5 Y5 I5 J5\nX5 Y-5 I5 J5\nX15 Y5 I5 J5\n";
constexpr std::string_view kRelativeCentres =
    "G01 X15 Y5 F100\nG03 X5 Y15 I-10 J0\nX-5 Y5 I0 J-10\nX5 Y-5 I10 J0\nX15 Y5 I0 J10\n"
    "X5 Y15 I-10 J0\nX-5 Y5 I0 J-10\nX5 Y-5 I10 J0\nX15 Y5 I0 J10\n";

TEST(BatchOptions, ArcCentresAreReadAsToldAndAbsoluteOnesRecognised) {
  TempDir dir;
  const fs::path absolute = dir.path() / "absolute.nc";
  const fs::path relative = dir.path() / "relative.nc";
  std::ofstream(absolute, std::ios::binary) << kAbsoluteCentres;
  std::ofstream(relative, std::ios::binary) << kRelativeCentres;

  const BatchRun asOffsets = Batch({"info", absolute.string()});
  EXPECT_EQ(asOffsets.status, 0);
  EXPECT_NE(asOffsets.out.find("  arc centres         look absolute: 6 of 8 arcs with I J K miss their radius by more "
                               "than 0.005 read as offsets, 6 of them fit as absolute centres; read with "
                               "--arc-centres absolute (\"Arc 중심 절대좌표\" in the settings)\n"),
            std::string::npos)
      << asOffsets.out;
  EXPECT_NE(Batch({"info", "--json", absolute.string()})
                .out.find("\"arcCentres\":{\"arcs\":8,\"offsetMisfits\":6,\"absoluteFits\":6,"
                          "\"looksAbsolute\":true}}"),
            std::string::npos);

  const BatchRun read = Batch({"info", "--arc-centres", "absolute", absolute.string()});
  EXPECT_EQ(read.out.find("arc centres"), std::string::npos) << read.out;
  EXPECT_NE(Batch({"info", "--json", "--arc-centres", "absolute", absolute.string()})
                .out.find("\"arcCentres\":{\"arcs\":0,\"offsetMisfits\":0,\"absoluteFits\":0,"
                          "\"looksAbsolute\":false}}"),
            std::string::npos);
  const BatchRun expected = Batch({"dump", relative.string()});
  EXPECT_EQ(Batch({"dump", "--arc-centres", "absolute", absolute.string()}).out, expected.out);
  EXPECT_EQ(Batch({"dump", "--arc-centres", "relative", relative.string()}).out, expected.out);
  const fs::path filtered = dir.path() / "filtered.nc";
  const fs::path filteredRelative = dir.path() / "filtered-relative.nc";
  EXPECT_EQ(Batch({"filter", "--arc-centres", "absolute", "--linear", "0.01", absolute.string(), "-o",
                   filtered.string()})
                .status,
            0);
  EXPECT_EQ(Batch({"filter", "--linear", "0.01", relative.string(), "-o", filteredRelative.string()}).status, 0);
  EXPECT_EQ(ReadFile(filtered), ReadFile(filteredRelative)) << "filter takes the option too";

  // Without flags the option comes from fendo.par.
  std::ofstream(dir.path() / "fendo.cfg") << "ConfigDir " << dir.path().string() << "\n";
  std::ofstream(dir.path() / "fendo.par") << "ArcCentreAbsInputChk 1\n";
  const test::ScopedVariable system("FENDO_SYSTEM_DIR", dir.path().c_str());
  EXPECT_EQ(Batch({"dump", absolute.string()}).out, expected.out);
  EXPECT_NE(Batch({"dump", "--arc-centres", "relative", absolute.string()}).out, expected.out);
}

TEST(BatchOptions, ArcCentresTakeAbsoluteOrRelative) {
  for (const char* refused : {"ABSOLUTE", "abs", ""}) {
    const BatchRun run = Batch({"dump", "--arc-centres", refused, Data("iso_features.nc").string()});
    EXPECT_EQ(run.status, 2) << refused;
    EXPECT_EQ(run.err, "fendo-batch: --arc-centres takes absolute or relative, not \"" + std::string(refused) +
                           "\" (see fendo-batch --help)\n");
    EXPECT_EQ(run.out, "");
  }
}

fs::path WriterGolden(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "writer" / name; }

struct ConvertCase {
  const char* golden;
  std::vector<std::string> args;
};

// The written programs are compared with reviewed ones (tests/data/writer); FENDO_UPDATE_GOLDEN=1
// rewrites them after a deliberate change.
TEST(BatchConvert, WritesTheReviewedPrograms) {
  TempDir dir;
  const std::string bracket = Example("bracket.nc").string();
  const std::string flange = Example("flange.h").string();
  const ConvertCase cases[] = {
      {"bracket_iso.nc", {bracket}},
      {"bracket_incremental_ijk.nc",
       {bracket, "--incremental", "--ijk", "--seq", "--machining-info", "--program", "77", "--tool", "4", "--offset",
        "14", "--spindle", "12000", "--comment", "FINISH\nSECOND PASS"}},
      {"bracket_heidenhain.h", {bracket, "--heidenhain-out", "--tool", "3", "--spindle", "9000"}},
      {"flange_iso.nc", {flange, "--heidenhain"}},
      {"layers.nc", {bracket, flange, "--layers", "1 0", "--int"}},
  };
  for (const ConvertCase& c : cases) {
    std::vector<std::string> args = {"convert", "-o", (dir.path() / c.golden).string(), "--yes"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    if (std::string_view(c.golden) == "layers.nc") {
      args = {"convert", "-o", (dir.path() / c.golden).string(), "--yes", bracket, "--layers", "1 0 1", bracket};
    }
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, 0) << c.golden << ": " << run.err;
    const std::string written = ReadFile(dir.path() / c.golden);
    EXPECT_EQ(written, test::GoldenBytes(written, WriterGolden(c.golden))) << c.golden;
  }
}

TEST(BatchConvert, ADiagonalRapidStopsTheRunUnlessToldToGoOn) {
  TempDir dir;
  const fs::path program = dir.path() / "diagonal.nc";
  std::ofstream(program) << "G00 X0 Y0 Z50\nG01 Z0 F100\nX10\nG00 X20 Z30\nG01 Z0\n";
  const std::string out = (dir.path() / "out.nc").string();
  const BatchRun stopped = Batch({"convert", program.string(), "-o", out});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_NE(stopped.err.find("stopped at a diagonal rapid move"), std::string::npos) << stopped.err;
  EXPECT_TRUE(ReadFile(out).ends_with("X10.000\n")) << "the part written so far is kept";
  EXPECT_EQ(Batch({"convert", program.string(), "-o", out, "--yes"}).status, 0);
  EXPECT_TRUE(ReadFile(out).ends_with("%\n"));
  EXPECT_EQ(Batch({"convert", program.string(), "-o", out, "--no-diagonal-check"}).status, 0);
}

TEST(BatchConvert, MistakesAndFailuresAreNamed) {
  TempDir dir;
  const std::string out = (dir.path() / "out.nc").string();
  const std::string bracket = Example("bracket.nc").string();
  const BatchRun notANumber = Batch({"convert", bracket, "-o", out, "--tool", "three"});
  EXPECT_EQ(notANumber.status, 2);
  EXPECT_NE(notANumber.err.find("--tool takes a whole number"), std::string::npos);
  EXPECT_EQ(Batch({"convert", bracket, "-o", out, "--incremental", "--heidenhain-out"}).status, 2);
  EXPECT_EQ(Batch({"convert", bracket}).status, 2) << "no -o";
  const BatchRun cannotCreate = Batch({"convert", bracket, "-o", (dir.path() / "no" / "out.nc").string(), "--yes"});
  EXPECT_EQ(cannotCreate.status, 1);
  EXPECT_NE(cannotCreate.err.find("cannot create"), std::string::npos);
  const BatchRun missing = Batch({"convert", "/nonexistent.nc", "-o", out});
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(fs::exists(out)) << "nothing is written for an input that could not be read";
}

TEST(BatchConvert, TemplatesBindValuesAndRefusePromptsWhenAsked) {
  TempDir dir;
  const fs::path ppr = dir.path() / "mill.ppr";
  std::ofstream(ppr) << "[Start]\n%\nO$O T$T S$S H$H\n[End]\n[Term]\nM30\n[End]\n";
  const std::string out = (dir.path() / "out.nc").string();
  const std::string bracket = Example("bracket.nc").string();
  const BatchRun run = Batch({"convert", bracket, "-o", out, "--template", ppr.string(), "--set", "T=7,S=1500,O=12,H=8"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ReadFile(out).starts_with("%\nO12 T7 S1500 H8\n")) << ReadFile(out);
  EXPECT_EQ(Batch({"convert", bracket, "-o", out, "--template", ppr.string(), "--set", "Q=1"}).status, 2);

  std::ofstream(ppr) << "[Start]\nO?O\n[End]\n";
  EXPECT_EQ(Batch({"convert", bracket, "-o", out, "--template", ppr.string()}).status, 0) << "prompts take the current value";
  const BatchRun refused = Batch({"convert", bracket, "-o", out, "--template", ppr.string(), "--no-prompt-defaults"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--no-prompt-defaults"), std::string::npos);
}

TEST(BatchFilter, RunsExactlyOneOperationAndWritesTheResult) {
  TempDir dir;
  const std::string bracket = Example("bracket.nc").string();
  const fs::path lines = dir.path() / "lines.nc";
  const fs::path arcs = dir.path() / "arcs.nc";
  ASSERT_EQ(Batch({"filter", bracket, "-o", lines.string(), "--arcs-to-lines", "0.005", "--yes"}).status, 0);
  EXPECT_EQ(ReadFile(lines).find("G02"), std::string::npos);
  EXPECT_EQ(ReadFile(lines).find("G03"), std::string::npos);
  ASSERT_EQ(Batch({"filter", lines.string(), "-o", arcs.string(), "--lines-to-arcs", "--tolerance", "0.01", "--yes"}).status,
            0);
  EXPECT_NE(ReadFile(arcs).find("G02"), std::string::npos) << "the boss circles come back as arcs";
  EXPECT_EQ(Batch({"filter", bracket, "-o", arcs.string(), "--linear", "0.01", "--arcs", "0.01"}).status, 2);
  EXPECT_EQ(Batch({"filter", bracket, "-o", arcs.string()}).status, 2);
  const BatchRun outOfRange = Batch({"filter", bracket, "-o", arcs.string(), "--lines-to-arcs", "--max-points", "2"});
  EXPECT_EQ(outOfRange.status, 2);
  EXPECT_NE(outOfRange.err.find("maxArcPoints"), std::string::npos) << outOfRange.err;
}

// The words that name a command on the command line: "info", "master build".
std::vector<std::string> CommandWords(const BatchCommand& command) {
  std::vector<std::string> words = {std::string(command.name)};
  if (!command.subcommand.empty()) words.emplace_back(command.subcommand);
  return words;
}

// Every option a command takes, with the spelling of its twin.
std::vector<std::pair<std::string, bool>> FlagsOf(const BatchCommand& command) {
  std::vector<std::pair<std::string, bool>> flags;
  for (const OptionGroupUse& use : command.groups) {
    if (!use.group) continue;
    const std::vector<OptionEntry>& entries = use.group().entries();
    for (std::size_t i = 0; i < std::min(use.rows, entries.size()); ++i) {
      flags.emplace_back(entries[i].flag, entries[i].TakesValue());
      if (!entries[i].twin.empty()) flags.emplace_back(entries[i].twin, false);
    }
  }
  return flags;
}

// Appends as many words `value` as the option takes (a switch: one, a file).
void AppendValue(std::vector<std::string>& words, const OptionEntry& option, const std::string& value) {
  for (int k = 0; k < option.ValueWords(value); ++k) words.push_back(value);
}

// The command's words and, before `flag`, the option it means nothing without (with a value
// where that takes one).
std::vector<std::string> WordsFor(const BatchCommand& command, const std::string& flag) {
  std::vector<std::string> words = CommandWords(command);
  const OptionEntry* option = FindOption(command, flag);
  if (!option || option->needs.empty()) return words;
  words.emplace_back(option->needs);
  const OptionEntry& needed = *FindOption(command, option->needs);
  if (needed.TakesValue()) AppendValue(words, needed, "N");
  return words;
}

TEST(BatchOptionTables, EveryOptionACommandTakesIsInItsHelp) {
  for (const BatchCommand& command : BatchCommands()) {
    std::vector<std::string> words = CommandWords(command);
    words.emplace_back("--help");
    const BatchRun help = Batch(words);
    EXPECT_EQ(help.status, 0) << command.FullName();
    EXPECT_NE(help.out.find("\n  " + std::string(command.synopsis)), std::string::npos) << command.FullName();
    for (const auto& [flag, takesValue] : FlagsOf(command)) {
      const bool shown = help.out.find("  " + flag + (takesValue ? " " : "")) != std::string::npos ||
                         help.out.find(", " + flag) != std::string::npos;
      EXPECT_TRUE(shown) << command.FullName() << " " << flag;
    }
  }
}

TEST(BatchOptionTables, EveryCommandParsesItsOwnOptionsAndRefusesOthers) {
  for (const BatchCommand& command : BatchCommands()) {
    for (const auto& [flag, takesValue] : FlagsOf(command)) {
      std::vector<std::string> words = WordsFor(command, flag);
      words.push_back(flag);
      const ParsedCommandLine last = ParseBatchArguments(words);
      EXPECT_EQ(last.error, takesValue ? "option " + flag + " needs a value" : "") << command.FullName();
      AppendValue(words, *FindOption(command, flag), "VALUE");
      const ParsedCommandLine given = ParseBatchArguments(words);
      EXPECT_EQ(given.error, "") << command.FullName() << " " << flag;
      EXPECT_EQ(given.args.values.count(flag), takesValue ? 1u : 0u) << command.FullName() << " " << flag;
      EXPECT_EQ(given.args.files.size(), takesValue ? 0u : 1u) << command.FullName() << " " << flag;
    }
    std::vector<std::string> words = CommandWords(command);
    words.insert(words.end(), {"--no-such-option", "in.nc"});
    const BatchRun refused = Batch(words);
    EXPECT_EQ(refused.status, 2) << command.FullName();
    EXPECT_EQ(refused.err, "fendo-batch: unknown option --no-such-option for " + std::string(command.name) +
                               " (see fendo-batch --help)\n");
  }
}

TEST(BatchOptionTables, AFlagMeansTheSameWhereverACommandListsIt) {
  for (const BatchCommand& command : BatchCommands()) {
    std::map<std::string, bool> takes;
    for (const auto& [flag, takesValue] : FlagsOf(command)) {
      const auto [known, inserted] = takes.emplace(flag, takesValue);
      EXPECT_EQ(known->second, takesValue) << command.FullName() << " " << flag;
    }
  }
}

TEST(BatchOptionTables, CommandsThatTakePartOfTheReaderOptionsRefuseTheRest) {
  const BatchRun master = Batch({"master", "build", "--arcs-to-lines", "in.nc", "-o", "out.mma"});
  EXPECT_EQ(master.status, 2);
  EXPECT_EQ(master.err, "fendo-batch: unknown option --arcs-to-lines for master (see fendo-batch --help)\n");
  EXPECT_EQ(ParseBatchArguments({"filter", "--arcs-to-lines"}).error, "option --arcs-to-lines needs a value")
      << "the filter's own operation";
  EXPECT_EQ(ParseBatchArguments({"master", "build", "--int"}).error, "");
}

TEST(BatchOptionTables, ACommandWithSubcommandsNamesThem) {
  const BatchRun none = Batch({"master"});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, "fendo-batch: master takes build or info (see fendo-batch --help)\n");
  EXPECT_EQ(Batch({"master", "frob"}).err, "fendo-batch: master takes build or info, not frob (see fendo-batch --help)\n");
}

TEST(BatchOptionTables, HelpQuotesTheRangesOfTheEngine) {
  EXPECT_EQ(HelpLines("x ({range}) (default {default})", std::pair{0.0001, 100000.0}, 0.5),
            std::vector<std::string>{"x (0.0001 ... 100000) (default 0.5)"});
  EXPECT_EQ(HelpLines("first\nsecond", std::nullopt, std::nullopt), (std::vector<std::string>{"first", "second"}));
  EXPECT_THROW(HelpLines("({range})", std::nullopt, std::nullopt), std::logic_error)
      << "a row naming a field its range table lacks";
}

// Comments leave the writer in the bytes they were read in, whatever their encoding.
TEST(BatchConvert, CommentsRoundTripByteForByte) {
  TempDir dir;
  const std::string comments[] = {
      "(\xB0\xF8\xB1\xB8 \xC8\xB2\xBB\xE8)\r\n(\xC8\xB2\xBB\xE8 D10 \xBF\xA3\xB5\xE5\xB9\xD0 \x8C\x63)",  // CP949
      "(\xEA\xB3\xB5\xEA\xB5\xAC \xED\x99\xA9\xEC\x82\xAD)\r\n(D10 \xEC\x97\x94\xEB\x93\x9C\xEB\xB0\x80)",     // UTF-8
      "(Fr\xE4ser \xD8" "12)",                                                                 // Latin-1
  };
  for (const std::string& comment : comments) {
    const fs::path program = dir.path() / "in.nc";
    std::ofstream(program, std::ios::binary) << "%\n" << comment << "\nG00 X0 Y0 Z5\nG01 Z0 F100\nX10\n";
    const fs::path out = dir.path() / "out.nc";
    ASSERT_EQ(Batch({"convert", program.string(), "-o", out.string()}).status, 0);
    EXPECT_TRUE(ReadFile(out).starts_with("%\n" + comment + "\n")) << ReadFile(out);
    const fs::path again = dir.path() / "again.nc";
    ASSERT_EQ(Batch({"convert", out.string(), "-o", again.string()}).status, 0);
    EXPECT_TRUE(ReadFile(again).starts_with("%\n" + comment + "\n")) << ReadFile(again);
  }
}

TEST(BatchConvert, AnInputThatCannotBeReadIsNamedOnceAndNothingIsWritten) {
  TempDir dir;
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"convert", Example("bracket.nc").string(), "/nonexistent/second.nc", "-o", out.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "fendo-batch: /nonexistent/second.nc: cannot open: No such file or directory\n");
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace fendo

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "config/layer_colours.h"
#include "config/nc_options_file.h"
#include "config/palette.h"
#include "config/settings_tokens.h"
#include "config/system_directory.h"
#include "config/system_settings.h"
#include "config/text_file.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::ScopedVariable;

class SettingsFilesTest : public ::testing::Test {
 protected:
  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  const test::TempDir dir_;
};

SystemSettings WithConfigDir(const fs::path& configDir) {
  SystemSettings settings;
  settings.configDir = configDir.string();
  return settings;
}

// A path of more than 51 characters (and of any other length) is one token like any other.
std::string LongPath(char letter) { return "/" + std::string(300, letter) + "/dir"; }

TEST(SettingsTokens, PairsAcrossAnyWhiteSpace) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::pair<std::string, std::string>> pairs;
  };
  const std::vector<Case> cases = {
      {"empty", "", {}},
      {"only white space", " \t\r\n\v\f", {}},
      {"lone last key ignored", "a b c", {{"a", "b"}}},
      {"carriage returns of other machines", "k\r\nv\r\nx\ty\r\n", {{"k", "v"}, {"x", "y"}}},
      {"pair split over lines", "key\n\n  value", {{"key", "value"}}},
      {"long token", "k " + LongPath('p'), {{"k", LongPath('p')}}},
      {"bytes beyond ASCII and NUL are token bytes",
       std::string("k\xC3\xA9 v\0w", 7), {{"k\xC3\xA9", std::string("v\0w", 3)}}},
  };
  for (const Case& c : cases) {
    SettingsPairReader reader(c.text);
    std::vector<std::pair<std::string, std::string>> got;
    SettingsPair pair;
    while (reader.Next(pair)) got.emplace_back(pair.key, pair.value);
    EXPECT_EQ(got, c.pairs) << c.what;
  }
}

TEST(SettingsTokens, IntegerLikeAtoiWithoutOverflow) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const std::vector<std::pair<const char*, int>> cases = {
      {"1", 1},         {"0", 0},           {"yes", 0},          {"", 0},
      {"-", 0},         {"+", 0},           {"-7", -7},          {"+3", 3},
      {"007", 7},       {"12abc", 12},      {"1.9", 1},          {"--1", 0},
      {"2147483647", kMax}, {"2147483648", kMax}, {"99999999999999999999", kMax},
      {"-2147483648", kMin}, {"-2147483649", kMin}, {"-99999999999999999999", kMin},
  };
  for (const auto& [token, value] : cases) EXPECT_EQ(SettingsInteger(token), value) << token;
}

TEST(SystemSettingsText, ReadsKnownKeysInAnyCase) {
  const SystemSettings base{"c", "w", "p", "e", "f"};
  struct Case {
    const char* what;
    std::string text;
    SystemSettings expected;
    bool workDirRead;
  };
  const std::vector<Case> cases = {
      {"nothing", "", base, false},
      {"every key", "ConfigDir /c WorkDir /w PostDir /p Editor vi FileExt *.nc",
       {"/c", "/w", "/p", "vi", "*.nc"}, true},
      {"lower case", "workdir /w", {"c", "/w", "p", "e", "f"}, true},
      {"upper case", "EDITOR kate\nPOSTDIR /p\n", {"c", "w", "/p", "kate", "f"}, false},
      {"unknown key skipped", "Colour red Editor vi", {"c", "w", "p", "vi", "f"}, false},
      {"last pair wins", "Editor a Editor b", {"c", "w", "p", "b", "f"}, false},
      {"lone key ignored", "Editor vi WorkDir", {"c", "w", "p", "vi", "f"}, false},
      // "-n" becomes a key, so WorkDir is a value and /w a key: the pairing has shifted.
      {"third token shifts the pairing", "Editor vi -n\nWorkDir /w\nPostDir /p\n",
       {"c", "w", "p", "vi", "f"}, false},
      {"shift realigned by a fourth token", "Editor vi -n x\nWorkDir /w\n",
       {"c", "/w", "p", "vi", "f"}, true},
      {"long path", "ConfigDir " + LongPath('c'), {LongPath('c'), "w", "p", "e", "f"}, false},
  };
  for (const Case& c : cases) {
    SystemSettings settings = base;
    EXPECT_EQ(ParseSystemSettings(c.text, settings), c.workDirRead) << c.what;
    EXPECT_EQ(settings, c.expected) << c.what;
  }
}

TEST(SystemSettingsText, DefaultsUnderHome) {
  const ScopedVariable home("HOME", "/home/mill");
  const SystemSettings expected{"/home/mill/fendo", "/home/mill/fendo/ncdata",
                                "/home/mill/fendo/post", "gedit", "*.nc;*.hnc;*.ppp;*.tap"};
  EXPECT_EQ(DefaultSystemSettings(), expected);
}

TEST_F(SettingsFilesTest, SystemSettingsWrittenExactlyAndReadBack) {
  const SystemSettings settings{LongPath('c'), "/w", "/p", "vim", "*.nc;*.tap"};
  const fs::path path = dir_ / "fendo.cfg";
  ASSERT_TRUE(WriteSystemSettingsFile(path, settings));
  EXPECT_EQ(Bytes(path), "ConfigDir " + LongPath('c') +
                             " \nWorkDir /w \nPostDir /p \nEditor vim \nFileExt *.nc;*.tap \n");
  const LoadedSystemSettings loaded = ReadSystemSettingsFile(path);
  EXPECT_TRUE(loaded.status);
  EXPECT_TRUE(loaded.workDirRead);
  EXPECT_EQ(loaded.settings, settings);
}

TEST_F(SettingsFilesTest, SystemSettingsRefusesValuesThatWouldShiftThePairs) {
  const fs::path path = dir_ / "fendo.cfg";
  Put(path, "Editor vi \n");
  for (const char* editor : {"", "my editor", "tab\there"}) {
    const FileStatus status =
        WriteSystemSettingsFile(path, {"/c", "/w", "/p", editor, "*.nc"});
    EXPECT_FALSE(status) << editor;
    EXPECT_NE(status.reason.find("Editor"), std::string::npos) << status.reason;
    EXPECT_EQ(Bytes(path), "Editor vi \n") << "the old file must stay whole";
  }
}

TEST(SystemDirectory, FromOwnVariableThenXdgThenHome) {
  struct Case {
    const char* own;
    const char* xdg;
    fs::path expected;
  };
  const std::vector<Case> cases = {
      {"/sys/fendo", "/xdg", "/sys/fendo"},
      {"", "/xdg", "/xdg/fendo"},
      {nullptr, "/xdg", "/xdg/fendo"},
      {nullptr, "", "/home/mill/.config/fendo"},
      {"", nullptr, "/home/mill/.config/fendo"},
  };
  const ScopedVariable home("HOME", "/home/mill");
  for (const Case& c : cases) {
    const ScopedVariable own("FENDO_SYSTEM_DIR", c.own);
    const ScopedVariable xdg("XDG_CONFIG_HOME", c.xdg);
    EXPECT_EQ(SystemDirectory(), c.expected) << (c.own ? c.own : "unset") << " / "
                                             << (c.xdg ? c.xdg : "unset");
  }
}

TEST_F(SettingsFilesTest, StartUpCreatesAnEmptyFendoCfgAndKeepsTheDefaults) {
  const fs::path system = dir_ / "nested" / "fendo";
  const ScopedVariable own("FENDO_SYSTEM_DIR", system.c_str());
  const LoadedSystemSettings batch = ReadBatchSettings();
  EXPECT_TRUE(batch.status);
  EXPECT_EQ(batch.settings, DefaultSystemSettings());
  EXPECT_FALSE(fs::exists(dir_ / "nested")) << "the batch tool must not create anything";

  const LoadedSystemSettings loaded = LoadStartUpSettings();
  EXPECT_TRUE(loaded.status) << loaded.status.reason;
  EXPECT_FALSE(loaded.workDirRead);
  EXPECT_EQ(loaded.settings, DefaultSystemSettings());
  ASSERT_TRUE(fs::is_regular_file(system / "fendo.cfg"));
  EXPECT_EQ(fs::file_size(system / "fendo.cfg"), 0u);
}

TEST_F(SettingsFilesTest, StartUpReadsFendoCfgWithoutChangingTheCurrentDirectory) {
  const ScopedVariable own("FENDO_SYSTEM_DIR", dir_.path().c_str());
  Put(dir_ / "fendo.cfg", "workdir " + dir_.path().string() + "\r\nEditor kate\r\n");
  const fs::path before = fs::current_path();
  for (const LoadedSystemSettings& loaded : {LoadStartUpSettings(), ReadBatchSettings()}) {
    EXPECT_TRUE(loaded.status);
    EXPECT_TRUE(loaded.workDirRead);
    EXPECT_EQ(loaded.settings.workDir, dir_.path().string());
    EXPECT_EQ(loaded.settings.editor, "kate");
    EXPECT_EQ(loaded.settings.postDir, DefaultSystemSettings().postDir);
  }
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(SettingsFilesTest, StartUpReportsWhatItCannotReadOrCreate) {
  Put(dir_ / "plain", "x");
  fs::create_directory(dir_ / "fendo.cfg");
  // A system directory under a regular file cannot be created; a folder is not a readable file.
  for (const fs::path& system : {dir_ / "plain" / "fendo", dir_.path()}) {
    const ScopedVariable own("FENDO_SYSTEM_DIR", system.c_str());
    const LoadedSystemSettings loaded = LoadStartUpSettings();
    EXPECT_FALSE(loaded.status) << system;
    EXPECT_FALSE(loaded.status.reason.empty()) << system;
    EXPECT_EQ(loaded.settings, DefaultSystemSettings()) << system;
  }
}

TEST(NcOptionsText, ExactlyOneTurnsAnOptionOn) {
  struct Case {
    const char* text;
    NcOptions expected;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"IntNcdataFlg 1", {.intNcdataFlg = true}},
      {"intncdataflg 1", {.intNcdataFlg = true}},
      {"HEIDENHAININPUTCHK 1\r\n", {.heidenhainInputChk = true}},
      {"HeidenhainOutChk 1 ArcToCutInputChk +1",
       {.heidenhainOutChk = true, .arcToCutInputChk = true}},
      {"ArcToCutInputChk 1abc", {.arcToCutInputChk = true}},
      {"IntNcdataFlg yes", {}},
      {"IntNcdataFlg 2", {}},
      {"IntNcdataFlg 0", {}},
      {"IntNcdataFlg 4294967297", {}},
      {"IntNcdataFlg 1 IntNcdataFlg 0", {}},
      {"Unknown 1 HeidenhainOutChk 1", {.heidenhainOutChk = true}},
      {"extra IntNcdataFlg 1", {}},
      {"ArcCentreAbsInputChk 1", {.arcCentreAbsInputChk = true}},
      {"arccentreabsinputchk 1\r\n", {.arcCentreAbsInputChk = true}},
      {"ArcCentreAbsInputChk yes", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNcOptions(c.text), c.expected) << c.text;
}

TEST_F(SettingsFilesTest, NcOptionsWrittenExactlyAndReadBack) {
  const fs::path path = NcOptionsPath(WithConfigDir(dir_.path()));
  EXPECT_EQ(path, dir_ / "fendo.par");
  ASSERT_TRUE(WriteNcOptionsFile(path, {.intNcdataFlg = true, .heidenhainOutChk = true}));
  EXPECT_EQ(Bytes(path), "IntNcdataFlg 1 \nArcToCutInputChk 0 \nHeidenhainInputChk 0 \nHeidenhainOutChk 1 \n"
                         "ArcCentreAbsInputChk 0 \n");
  ASSERT_TRUE(WriteNcOptionsFile(path, {.arcCentreAbsInputChk = true}));
  EXPECT_EQ(Bytes(path), "IntNcdataFlg 0 \nArcToCutInputChk 0 \nHeidenhainInputChk 0 \nHeidenhainOutChk 0 \n"
                         "ArcCentreAbsInputChk 1 \n");
  for (int bits = 0; bits < 32; ++bits) {
    const NcOptions options{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0};
    ASSERT_TRUE(WriteNcOptionsFile(path, options));
    NcOptions read;
    EXPECT_TRUE(ReadNcOptionsFile(path, read));
    EXPECT_EQ(read, options) << bits;
  }
}

// A fendo.par written before the arc-centre option reads as relative centres, and is written
// back with the new key behind the four it had.
TEST_F(SettingsFilesTest, NcOptionsFileWithoutTheArcCentreKeyReadsAsRelative) {
  const fs::path path = NcOptionsPath(WithConfigDir(dir_.path()));
  const std::string older = "IntNcdataFlg 1 \nArcToCutInputChk 0 \nHeidenhainInputChk 1 \nHeidenhainOutChk 0 \n";
  Put(path, older);
  NcOptions read{.arcCentreAbsInputChk = true};
  ASSERT_TRUE(ReadNcOptionsFile(path, read));
  EXPECT_EQ(read, (NcOptions{.intNcdataFlg = true, .heidenhainInputChk = true}));
  ASSERT_TRUE(WriteNcOptionsFile(path, read));
  EXPECT_EQ(Bytes(path), older + "ArcCentreAbsInputChk 0 \n");
}

TEST(LayerColoursText, ReadLikeRepeatedScanfOfIntegers) {
  struct Case {
    const char* what;
    const char* text;
    LayerColours expected;
  };
  const std::vector<Case> cases = {
      {"empty", "", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"one a line", "9\n8\n7\n6\n5\n4\n3\n2\n1\n0\n", {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
      {"fewer than ten", "15 14\r\n13", {15, 14, 13, 3, 4, 5, 6, 7, 8, 9}},
      {"garbage stops", "4 x 6", {4, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"integer ends with its digits", "3x 7", {3, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"sign starts the next integer", "1-2 +3", {1, -2, 3, 3, 4, 5, 6, 7, 8, 9}},
      {"more than ten", "1 1 1 1 1 1 1 1 1 1 5", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"saturated", "99999999999 -99999999999",
       {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLayerColours(c.text), c.expected) << c.what;
}

TEST(LayerColoursText, LayersBeyondNineRepeatTheTen) {
  const LayerColours colours = ParseLayerColours("10 11 12 13 14 15 0 1 2 3");
  const std::vector<std::pair<int, int>> cases = {
      {0, 10}, {3, 13}, {9, 3}, {13, 13}, {99, 3}, {255, 15}, {-1, 3}, {-10, 10}};
  for (const auto& [layer, index] : cases) {
    EXPECT_EQ(PaletteIndexOfLayer(colours, layer), index) << layer;
  }
  EXPECT_EQ(PaletteName(PaletteIndexOfLayer(DefaultLayerColours(), 13)), "Cyan");
}

TEST_F(SettingsFilesTest, LayerColoursWrittenExactlyAndReadBack) {
  const fs::path path = LayerColoursPath(WithConfigDir(dir_.path()));
  EXPECT_EQ(path, dir_ / "color.par");
  const LayerColours colours = {15, 0, -1, 16, 3, 2147483647, 7, 8, 9, 1};
  ASSERT_TRUE(WriteLayerColoursFile(path, colours));
  EXPECT_EQ(Bytes(path), "15 \n0 \n-1 \n16 \n3 \n2147483647 \n7 \n8 \n9 \n1 \n");
  LayerColours read{};
  EXPECT_TRUE(ReadLayerColoursFile(path, read));
  EXPECT_EQ(read, colours);
}

TEST_F(SettingsFilesTest, MissingParameterFilesGiveDefaultsAndAreNotCreated) {
  const SystemSettings settings = WithConfigDir(dir_ / "config");
  NcOptions options{true, true, true, true};
  EXPECT_TRUE(ReadNcOptionsFile(NcOptionsPath(settings), options));
  EXPECT_EQ(options, NcOptions{});
  LayerColours colours{};
  EXPECT_TRUE(ReadLayerColoursFile(LayerColoursPath(settings), colours));
  EXPECT_EQ(colours, DefaultLayerColours());
  EXPECT_FALSE(fs::exists(dir_ / "config"));
}

TEST(Palette, ColoursAndNamesByIndex) {
  struct Case {
    int index;
    const char* name;
    Rgb colour;
  };
  const std::vector<Case> cases = {
      {0, "White", {255, 255, 255}},  {3, "Cyan", {0, 255, 255}},
      {7, "Gray", {192, 192, 192}},   {8, "DarkBlue", {0, 0, 128}},
      {13, "DarkYellow", {128, 128, 0}}, {15, "Black", {0, 0, 0}},
      {16, "White", {255, 255, 255}}, {-1, "White", {255, 255, 255}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PaletteName(c.index), c.name) << c.index;
    EXPECT_EQ(PaletteColour(c.index), c.colour) << c.index;
  }
}

TEST_F(SettingsFilesTest, FailedReadsAndWritesAreReportedWithAReason) {
  Put(dir_ / "plain", "x");
  const fs::path underFile = dir_ / "plain" / "fendo.cfg";
  std::vector<FileStatus> failures = {
      WriteTextFile(underFile, "x"),
      WriteSystemSettingsFile(underFile, {"/c", "/w", "/p", "vi", "*.nc"}),
      WriteNcOptionsFile(underFile, {}),
      WriteLayerColoursFile(underFile, DefaultLayerColours()),
  };
  std::string text;
  failures.push_back(ReadOptionalTextFile(dir_.path(), text));
  // The device accepts the open and fails the write, which a buffered file reports late.
  if (fs::exists("/dev/full")) failures.push_back(WriteTextFile("/dev/full", "ConfigDir /c \n"));
  for (const FileStatus& status : failures) {
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.reason.empty());
  }
  EXPECT_TRUE(ReadOptionalTextFile(dir_ / "missing", text));
  EXPECT_TRUE(ReadOptionalTextFile(underFile, text));
  EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace fendo

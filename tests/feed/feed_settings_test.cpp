#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "feed/feed_control.h"
#include "feed/machine_condition_ranges.h"
#include "feed/qel_file.h"
#include "feed/transfer_rules.h"
#include "support/golden_file.h"
#include "support/machine_conditions.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::UnusualMachineCondition;

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

fs::path Data(const std::string& name) { return fs::path(FENDO_TEST_DATA_DIR) / "feed" / name; }

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// The nine leading lines of a file, each "key value" with CR LF.
std::string Leading(const std::string& material = "STEEL") {
  return "공구직경 8.000000\r\n안전거리 3.000000\r\n코너최소각도 12.000000\r\n코너최대감속비 0.200000\r\n"
         "경사최소각도 14.000000\r\n경사최대감속비 0.400000\r\nPlungeFeed 500\r\n최대피드 2000\r\n가공소재 " +
         material + "\r\n";
}

class QelFileTest : public ::testing::Test {
 protected:
  const test::TempDir dir_;
};

TEST_F(QelFileTest, RoundTripRestoresEverySettingButQelByMaster) {
  const fs::path path = dir_ / "unusual.qel";
  ASSERT_TRUE(WriteQelFile(path, UnusualMachineCondition()).ok());
  MachineCondition read;
  const QelFileResult result = ReadQelFile(path, read);
  ASSERT_TRUE(result.ok()) << result.reason;
  EXPECT_EQ(read.qelByMaster, 0) << "QelByMaster is written, never read back";
  MachineCondition expected = UnusualMachineCondition();
  expected.qelByMaster = 0;
  EXPECT_EQ(FormatQelText(read), FormatQelText(expected));
  EXPECT_NE(Bytes(path).find("QelByMaster 1\r\n"), std::string::npos);
}

// The file of the default settings, byte for byte (CR LF, UTF-8 keys, six decimals).
TEST_F(QelFileTest, DefaultsWrittenAsTheReviewedFile) {
  const fs::path path = dir_ / "default.qel";
  ASSERT_TRUE(WriteQelFile(path, MachineCondition{}).ok());
  const std::string written = Bytes(path);
  EXPECT_EQ(written, test::GoldenBytes(written, Data("default.qel")));
}

TEST(QelText, NumbersAsPrintfWritesThem) {
  MachineCondition c;
  c.toolDiameter = -0.0000004f;  // rounds to a negative zero, which "%f" keeps
  c.safetyDistance = 1234.5678f;
  c.cornerMinAngle = kNan;
  c.cornerMaxReduction = -kInf;
  c.plungeFeed = -7;
  const std::string text = FormatQelText(c);
  EXPECT_EQ(text.substr(0, text.find("코너최대감속비")),
            "공구직경 -0.000000\r\n안전거리 1234.567749\r\n코너최소각도 nan\r\n");
  EXPECT_NE(text.find("코너최대감속비 -inf\r\n"), std::string::npos);
  EXPECT_NE(text.find("PlungeFeed -7\r\n"), std::string::npos);
}

TEST(QelText, ReadsWhatOtherHandsWrote) {
  struct Case {
    const char* what;
    std::string text;
    void (*check)(const MachineCondition&);
  };
  const std::vector<Case> cases = {
      {"nine lines alone keep the other settings", Leading(),
       [](const MachineCondition& c) {
         EXPECT_EQ(c.toolDiameter, 8.0f);
         EXPECT_EQ(c.qelMaxFeed, 2000);
         EXPECT_EQ(c.material, "STEEL");
         EXPECT_EQ(c.corWeight30, 0.7f);
       }},
      {"extra keys of any case after line nine; unknown keys and QelByMaster passed over",
       Leading() + "Spindle 12000\r\nQelByMaster 1\r\ncorweight30 0.5\r\nFEEDCHGANG 25\r\nComment x\r\n",
       [](const MachineCondition& c) {
         EXPECT_EQ(c.corWeight30, 0.5f);
         EXPECT_EQ(c.feedUnit, 25);
         EXPECT_EQ(c.qelByMaster, 0);
       }},
      {"pairs across and within lines", Leading() + "ConCorChk 0 UpDownChk\r\n0\r\nSideCorRat\t3",
       [](const MachineCondition& c) {
         EXPECT_EQ(c.conCorChk, 0);
         EXPECT_EQ(c.upDownChk, 0);
         EXPECT_EQ(c.sideCorRat, 3.0f);
       }},
      {"leading keys are not looked at (here EUC-KR bytes and a wrong word)",
       "\xB0\xF8\xB1\xB8\xC1\xF7\xB0\xE6 4.5\nx 1\ny 2\nz 0.3\nw 4\nv 0.5\nPlungeFeed 10\nMax 900\nM \xB0\xAD\n",
       [](const MachineCondition& c) {
         EXPECT_EQ(c.toolDiameter, 4.5f);
         EXPECT_EQ(c.qelMaxFeed, 900);
         EXPECT_EQ(c.material, "\xB0\xAD");
       }},
      {"blank lines, lone CR and LF line ends, signs and exponents",
       "\r\n  \r\nk +8\rk 3e0\n\nk 12\nk .2\nk 14.\nk -0.0\nk +500\nk 2000\nk S45C",
       [](const MachineCondition& c) {
         EXPECT_EQ(c.toolDiameter, 8.0f);
         EXPECT_EQ(c.safetyDistance, 3.0f);
         EXPECT_EQ(c.cornerMaxReduction, 0.2f);
         EXPECT_EQ(c.slopeMaxReduction, 0.0f);
         EXPECT_EQ(c.plungeFeed, 500);
         EXPECT_EQ(c.material, "S45C");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineCondition condition;
    const QelFileResult result = ParseQelText(c.text, condition);
    ASSERT_TRUE(result.ok()) << result.reason;
    c.check(condition);
  }
}

// A file that does not read as a whole changes nothing: half of it applied would mix the
// settings of two machines.
TEST(QelText, MalformedFilesAreRefusedWhole) {
  struct Case {
    const char* what;
    std::string text;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"empty", "", "the file ends before the setting 공구직경"},
      {"ends early", "a 1\nb 2\nc 3\n", "the file ends before the setting 코너최대감속비"},
      {"no value", "a 1\nb\n", "line 2: the setting 안전거리 needs a key and one value, not \"b\""},
      {"unit after the number", "a 10mm\n", "line 1: the value of 공구직경 must be a number, not \"10mm\""},
      {"word for a number", "a 1\nb 2\nc x\n", "line 3: the value of 코너최소각도 must be a number"},
      {"hex float", "a 0x1p3\n", "line 1: the value of 공구직경 must be a number"},
      {"double sign", "a +-1\n", "line 1: the value of 공구직경 must be a number"},
      {"beyond a float", "a 1e999\n", "line 1: the value of 공구직경 must be a number"},
      {"real for a whole number", "a 1\nb 2\nc 3\nd 0.4\ne 5\nf 0.6\ng 1000.5\n",
       "line 7: the value of PlungeFeed must be a whole number"},
      {"beyond an int", "a 1\nb 2\nc 3\nd 0.4\ne 5\nf 0.6\ng 7\nh 99999999999\n",
       "line 8: the value of 최대피드 must be a whole number"},
      // Numbers the format holds but no machine means: refused where they stand, with the label.
      {"nan", "a nan\r\n", "line 1: toolDiameter (공구경로 공구 직경) must lie between 0.001 and 10000, not nan"},
      {"minus infinity", "a 1\nb -inf\n", "line 2: safetyDistance (안전거리) must lie between"},
      {"maximum feed 0", "a 1\nb 2\nc 3\nd 0.4\ne 5\nf 0.6\ng 7\n\n최대피드 0\n",
       "line 9: qelMaxFeed (최대피드) must lie between 1 and 100000, not 0 in \"최대피드 0\""},
      {"a weight beyond 1 after the leading lines", Leading() + "CorWeight30 1.5\r\n",
       "line 10: corWeight30 (코너 가중치 30도) must lie between 0 and 1, not 1.5 in \"CorWeight30 1.5\""},
      {"a long line quoted in part", "a " + std::string(100, '9') + " x\n",
       "line 1: the setting 공구직경 needs a key and one value, not \"a " + std::string(78, '9') + "...\""},
      {"material of two words", Leading("STEEL S45C"), "line 9: the setting 가공소재 needs a key and one value"},
      {"bad weight", Leading() + "ConCorChk 0\r\nCorWeight30 abc\r\n",
       "line 11: the value of CorWeight30 must be a number, not \"abc\""},
      {"unit with a decimal point", Leading() + "FeedChgAng 2.5\r\n",
       "line 10: the value of FeedChgAng must be a whole number"},
      {"key without a value at the end", Leading() + "ZupZdown 0.5\r\nSideCorRat\r\n",
       "line 11: \"SideCorRat\" has no value"},
  };
  for (const Case& c : cases) {
    MachineCondition condition = UnusualMachineCondition();
    const QelFileResult result = ParseQelText(c.text, condition);
    EXPECT_EQ(result.status, QelFileStatus::Malformed) << c.what;
    EXPECT_EQ(result.reason.rfind(c.reason, 0), 0u) << c.what << ": " << result.reason;
    EXPECT_EQ(FormatQelText(condition), FormatQelText(UnusualMachineCondition())) << c.what;
  }
}

TEST_F(QelFileTest, FailuresSayWhyAndChangeNothing) {
  MachineCondition condition = UnusualMachineCondition();
  QelFileResult result = ReadQelFile(dir_ / "missing.qel", condition);
  EXPECT_EQ(result.status, QelFileStatus::CannotOpen);
  EXPECT_NE(result.reason.find("missing.qel: No such file or directory"), std::string::npos) << result.reason;

  EXPECT_EQ(ReadQelFile(dir_.path(), condition).status, QelFileStatus::CannotOpen) << "a folder";

  Put(dir_ / "short.qel", "a 1\r\n");
  result = ReadQelFile(dir_ / "short.qel", condition);
  EXPECT_EQ(result.status, QelFileStatus::Malformed);
  EXPECT_NE(result.reason.find("short.qel: the file ends before"), std::string::npos) << result.reason;
  EXPECT_EQ(FormatQelText(condition), FormatQelText(UnusualMachineCondition()));

  result = WriteQelFile(dir_ / "no" / "such" / "folder.qel", condition);
  EXPECT_EQ(result.status, QelFileStatus::CannotCreate);
  EXPECT_NE(result.reason.find("No such file or directory"), std::string::npos) << result.reason;

  for (const char* material : {"STEEL S45C", ""}) {
    condition.material = material;
    EXPECT_EQ(WriteQelFile(dir_ / "material.qel", condition).status, QelFileStatus::NotOneWord) << material;
    EXPECT_FALSE(fs::exists(dir_ / "material.qel")) << material;
  }
}

TEST_F(QelFileTest, FullDiskIsAFailedWrite) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const QelFileResult result = WriteQelFile("/dev/full", MachineCondition{});
  EXPECT_EQ(result.status, QelFileStatus::WriteFailed);
  EXPECT_NE(result.reason.find("No space left on device"), std::string::npos) << result.reason;
  EXPECT_TRUE(fs::exists("/dev/full")) << "a device is never removed as an incomplete file";
}

TEST(MachineConditionRanges, RefusesWhatTheOptimizerCannotWorkWith) {
  EXPECT_FALSE(CheckMachineCondition(MachineCondition{}).has_value());
  MachineCondition ends;
  ends.safetyDistance = 0;
  ends.feedUnit = 0;
  ends.cornerMaxReduction = 1;
  ends.slopeMaxReduction = 0;
  ends.corWeight60 = 0;
  ends.sideCorRat = 0;
  ends.qelMaxFeed = 100000;
  EXPECT_FALSE(CheckMachineCondition(ends).has_value()) << "the ends of each range are inside it";

  struct Case {
    const char* field;
    void (*set)(MachineCondition&);
  };
  const std::vector<Case> cases = {
      {"toolDiameter", [](MachineCondition& c) { c.toolDiameter = 0; }},
      {"toolDiameter", [](MachineCondition& c) { c.toolDiameter = kNan; }},
      {"safetyDistance", [](MachineCondition& c) { c.safetyDistance = -0.5f; }},
      {"safetyDistance", [](MachineCondition& c) { c.safetyDistance = kInf; }},
      {"cornerMinAngle", [](MachineCondition& c) { c.cornerMinAngle = 91; }},
      {"cornerMaxReduction", [](MachineCondition& c) { c.cornerMaxReduction = 1.2f; }},
      {"slopeMaxReduction", [](MachineCondition& c) { c.slopeMaxReduction = -0.1f; }},
      {"plungeFeed", [](MachineCondition& c) { c.plungeFeed = 0; }},
      {"qelMaxFeed", [](MachineCondition& c) { c.qelMaxFeed = 100001; }},
      {"conCorChk", [](MachineCondition& c) { c.conCorChk = 2; }},
      {"feedChgAng", [](MachineCondition& c) { c.feedUnit = -10; }},
      {"zupZdown", [](MachineCondition& c) { c.zupZdown = -1; }},
      {"sideCorRat", [](MachineCondition& c) { c.sideCorRat = kNan; }},
      {"sideWeight60", [](MachineCondition& c) { c.sideWeight60 = 1.01f; }},
  };
  for (const Case& c : cases) {
    MachineCondition condition;
    c.set(condition);
    const std::optional<OptionOutOfRange> refused = CheckMachineCondition(condition);
    ASSERT_TRUE(refused.has_value()) << c.field;
    EXPECT_EQ(refused->field, c.field);
  }
  MachineCondition condition;
  condition.qelMaxFeed = 0;
  EXPECT_EQ(CheckMachineCondition(condition)->message, "qelMaxFeed (최대피드) must lie between 1 and 100000, not 0");
}

TEST(MachineCondition, EachSwitchIsOnOnlyAtOne) {
  struct Switch {
    const char* name;
    int MachineCondition::*field;
    bool (MachineCondition::*on)() const;
  };
  const std::vector<Switch> switches = {
      {"qelEnabled", &MachineCondition::qelEnabled, &MachineCondition::OptimizerEnabled},
      {"conCorChk", &MachineCondition::conCorChk, &MachineCondition::Finishing},
      {"upDownChk", &MachineCondition::upDownChk, &MachineCondition::SeparatesDescents},
      {"feedChgSmoothCheck", &MachineCondition::feedChgSmoothCheck, &MachineCondition::SmoothFeedChanges},
      {"xyChgReduceCheck", &MachineCondition::xyChgReduceCheck, &MachineCondition::ReducesXyLookAhead},
      {"qelByMaster", &MachineCondition::qelByMaster, &MachineCondition::ByMasterModel},
  };
  for (const Switch& s : switches) {
    for (const int value : {0, 1, 2, -1}) {
      MachineCondition condition;
      condition.*s.field = value;
      EXPECT_EQ((condition.*s.on)(), value == 1) << s.name << " at " << value;
    }
  }
}

// Shows the dialog for the first time on a slot with the default settings.
TransferDialogState Shown(const MachineCondition& slot = MachineCondition{}) {
  TransferDialogState dialog;
  ShowTransferDialog(dialog, slot);
  return dialog;
}

TEST(TransferDialog, FirstShowingTakesTheSlotAndTheFeedsSetTheReductions) {
  MachineCondition slot;
  slot.plungeFeed = 400;
  TransferDialogState dialog = Shown(slot);
  EXPECT_EQ(dialog.maximumFeed, 1000);
  EXPECT_EQ(dialog.minimumFeed, 100);
  EXPECT_EQ(dialog.condition.plungeFeed, 1000) << "the plunge feed starts at the maximum feed";
  EXPECT_FLOAT_EQ(dialog.condition.slopeMaxReduction, 0.2f);

  SetMinimumFeed(dialog, 300);
  EXPECT_FLOAT_EQ(dialog.condition.cornerMaxReduction, 0.3f);
  EXPECT_FLOAT_EQ(dialog.condition.slopeMaxReduction, 0.6f);
  SetMinimumFeed(dialog, 600);
  EXPECT_FLOAT_EQ(dialog.condition.cornerMaxReduction, 0.6f);
  EXPECT_EQ(dialog.condition.slopeMaxReduction, 1.0f) << "the slope reduction is capped at 1";
  SetMaximumFeed(dialog, 1500);
  EXPECT_EQ(dialog.condition.qelMaxFeed, 1500);
  EXPECT_FLOAT_EQ(dialog.condition.cornerMaxReduction, 0.4f);

  SetMaximumFeed(dialog, 0);
  EXPECT_EQ(dialog.condition.qelMaxFeed, 0);
  EXPECT_FLOAT_EQ(dialog.condition.cornerMaxReduction, 0.4f) << "no quotient without a maximum feed";
  MachineCondition target;
  const std::optional<OptionOutOfRange> refused = AcceptTransferDialog(dialog, target);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->field, "qelMaxFeed");
  EXPECT_EQ(target.qelMaxFeed, 1000) << "a refused OK leaves the slot as it was";
}

TEST(TransferDialog, OkCopiesIntoTheSlotAndCancelKeepsThePrivateCopy) {
  MachineCondition slot;
  TransferDialogState dialog = Shown(slot);
  SetMinimumFeed(dialog, 250);
  // Cancel: the slot is not touched, and the next showing starts from the copy, not the slot.
  slot.toolDiameter = 3;
  ShowTransferDialog(dialog, slot);
  EXPECT_EQ(dialog.minimumFeed, 250);
  EXPECT_EQ(dialog.condition.toolDiameter, 10.0f);
  EXPECT_FLOAT_EQ(slot.cornerMaxReduction, 0.1f);

  ASSERT_FALSE(AcceptTransferDialog(dialog, slot).has_value());
  EXPECT_FLOAT_EQ(slot.cornerMaxReduction, 0.25f);
  EXPECT_EQ(slot.toolDiameter, 10.0f);
}

TEST(TransferDialog, CuttingConditionAndQelSettingsOk) {
  TransferDialogState dialog = Shown();
  MachineCondition edited = dialog.condition;
  edited.qelMaxFeed = 1000;
  edited.cornerMaxReduction = 0.251f;  // held as 0.25099998
  edited.slopeMaxReduction = 0.5f;
  AcceptCuttingCondition(dialog, edited);
  EXPECT_EQ(dialog.maximumFeed, 1000);
  EXPECT_EQ(dialog.minimumFeed, 251) << "a float ratio just below its decimal does not lose a feed";
  edited.slopeMaxReduction = 0.125f;
  AcceptCuttingCondition(dialog, edited);
  EXPECT_EQ(dialog.minimumFeed, 125) << "the lower of the two reductions";

  dialog.condition.cornerMaxReduction = 0.2f;
  dialog.condition.sideCorRat = 3;
  AcceptQelSettings(dialog);
  EXPECT_FLOAT_EQ(dialog.condition.slopeMaxReduction, 0.6f);
}

TEST_F(QelFileTest, ConditionFileButtonLoadsIntoThePrivateCopy) {
  TransferDialogState dialog = Shown();
  EXPECT_EQ(dialog.conditionFileText, "조건화일 :");
  Put(dir_ / "mill.qel", Leading() + "SideCorRat 3\r\n");
  ASSERT_TRUE(LoadConditionFile(dialog, dir_ / "mill.qel").ok());
  EXPECT_EQ(dialog.conditionFileText, "가공조건 화일 :mill.qel");
  EXPECT_EQ(dialog.maximumFeed, 2000);
  EXPECT_EQ(dialog.minimumFeed, 400) << "2000 x min(0.2, 0.4)";
  EXPECT_EQ(dialog.condition.sideCorRat, 3.0f);

  const std::string before = FormatQelText(dialog.condition);
  EXPECT_EQ(LoadConditionFile(dialog, dir_ / "missing.qel").status, QelFileStatus::CannotOpen);
  EXPECT_EQ(dialog.conditionFileText, "가공조건 화일 :");
  EXPECT_EQ(FormatQelText(dialog.condition), before);
  EXPECT_EQ(dialog.maximumFeed, 2000);

  dialog.conditionFileText = "조건화일 :";
  CancelConditionFile(dialog);
  EXPECT_EQ(dialog.conditionFileText, "가공조건 화일 :");
}

TEST(TransferDialog, MasterFileAndItsToggle) {
  TransferDialogState dialog = Shown();
  EXPECT_EQ(dialog.masterFileText, "MMA : ");
  MachineCondition& c = dialog.condition;

  c.masterFile = "a.mm";
  ToggleQelByMaster(c);
  EXPECT_EQ(c.qelByMaster, 0) << "a name of four characters is no master file";
  struct Case {
    std::optional<std::string> chosen;
    const char* masterFile;
    const char* button;
  };
  const std::vector<Case> cases = {
      {"/parts/base", "/parts/base.mma", "MMA : /parts/base.mma"},
      {"/parts/base.nc", "/parts/base.nc.mma", "MMA : /parts/base.nc.mma"},
      {"/parts/base.mma", "/parts/base.mma", "MMA : /parts/base.mma"},
      {"/mma/base", "/mma/base", "MMA : /mma/base"},
      {"/parts/BASE.MMA", "/parts/BASE.MMA", "MMA : /parts/BASE.MMA"},
      {std::nullopt, "", "MMA :"},
  };
  for (const Case& m : cases) {
    ChooseMasterFile(dialog, m.chosen);
    EXPECT_EQ(c.masterFile, m.masterFile);
    EXPECT_EQ(dialog.masterFileText, m.button);
  }

  c.masterFile = "a.mma";
  ToggleQelByMaster(c);
  EXPECT_EQ(c.qelByMaster, 1);
  ToggleQelByMaster(c);
  EXPECT_EQ(c.qelByMaster, 0);

  MachineCondition slot;
  slot.masterFile = "/m/part.mma";
  EXPECT_EQ(Shown(slot).masterFileText, "MMA : /m/part.mma");
}

TEST(TransferDialog, SlidersLabelsAndFieldTexts) {
  const std::vector<std::pair<float, int>> positions = {
      {0.7f, 70}, {0.29f, 29}, {1.0f, 100}, {0.0f, 0}, {1.5f, 100}, {-0.2f, 0}, {kNan, 0}};
  for (const auto& [weight, position] : positions) EXPECT_EQ(SliderPosition(weight), position) << weight;
  EXPECT_EQ(SliderWeight(70), 0.7f);
  EXPECT_EQ(SliderWeight(SliderPosition(0.35f)), 0.35f);

  EXPECT_EQ(WeightLabel(0, 1.0f), "0도 가중치(1.00)");
  EXPECT_EQ(WeightLabel(30, 0.7f), "30도 가중치(0.70)");
  EXPECT_EQ(WeightLabel(60, 0.305f), "60도 가중치(0.31)");

  EXPECT_EQ(CuttingFieldText(0.1f), " 0.100");
  EXPECT_EQ(CuttingFieldText(10), "10.000");
  EXPECT_EQ(CuttingFieldText(123.4567f), "123.457");
  EXPECT_EQ(CuttingFieldText(-1), "-1.000");
  EXPECT_EQ(CuttingFieldText(kNan), "   nan");
}

TEST(FeedControl, SlotsStartWithTheirMachineDefaults) {
  const test::ScopedVariable home("HOME", "/home/mill");
  const FeedControl host;

  EXPECT_EQ(host.currentMachine, 1);
  EXPECT_EQ(host.machines[0].portName, "") << "slot 0 is never used";
  for (int machine = 1; machine < FeedControl::kSlotCount; ++machine) {
    const MachineCondition& c = host.machines[machine];
    EXPECT_EQ(c.portName, "Com" + std::to_string(machine));
    EXPECT_EQ(c.ncDataDirectory, "/home/mill/fendo/ncdata");
    EXPECT_EQ(c.qelDirectory, "/home/mill/fendo/qel");
    EXPECT_EQ(c.qelMaxFeed, 1000);
    EXPECT_EQ(static_cast<int>(host.optimizerSlots[machine].mode), 3);
  }
  EXPECT_EQ(host.machines[16].portName, "Com16");
  EXPECT_EQ(QelDialogStart(host.machines[1]), fs::path("/home/mill/fendo/qel/*.qel"));
  EXPECT_FALSE(host.transferDialog.initialised);
}

}  // namespace
}  // namespace fendo

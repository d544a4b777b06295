#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string_view>

#include "feed/cutting_data.h"

namespace fendo {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

CuttingData TenMillimetreEndMill() {
  CuttingData data;
  data.toolDiameter = 10;
  data.teeth = 4;
  data.cuttingSpeed = 200;
  data.feedPerTooth = 0.05;
  return data;
}

TEST(CuttingData, SpindleAndFeedFromTheEdgeConditions) {
  CuttingData data = TenMillimetreEndMill();
  ASSERT_FALSE(WorkOutSpindleAndFeed(data));
  EXPECT_EQ(std::lround(data.spindleSpeed), 6366);
  EXPECT_EQ(std::lround(data.feed), 1273);
  EXPECT_NEAR(data.spindleSpeed, 200000 / (std::numbers::pi * 10), 1e-9);
}

TEST(CuttingData, TheOtherWayGivesTheEdgeConditionsBack) {
  for (const CuttingData& start : {TenMillimetreEndMill(), CuttingData{0.5, 1, 80, 0.002}, CuttingData{63, 6, 300, 0.2}}) {
    CuttingData data = start;
    ASSERT_FALSE(WorkOutSpindleAndFeed(data));
    data.cuttingSpeed = 0;
    data.feedPerTooth = 0;
    ASSERT_FALSE(WorkOutCuttingSpeedAndFeedPerTooth(data));
    EXPECT_NEAR(data.cuttingSpeed, start.cuttingSpeed, 1e-9 * start.cuttingSpeed);
    EXPECT_NEAR(data.feedPerTooth, start.feedPerTooth, 1e-9 * start.feedPerTooth);
  }
  // From the rounded figures a machine shows: close to the inputs, not equal.
  CuttingData shown = TenMillimetreEndMill();
  shown.spindleSpeed = 6366;
  shown.feed = 1273;
  ASSERT_FALSE(WorkOutCuttingSpeedAndFeedPerTooth(shown));
  EXPECT_NEAR(shown.cuttingSpeed, 200, 0.01);
  EXPECT_NEAR(shown.feedPerTooth, 0.05, 0.0001);
}

TEST(CuttingData, DefaultsAgreeWithEachOtherAndTheirRanges) {
  const CuttingData defaults;
  EXPECT_FALSE(CheckCuttingData(defaults));
  CuttingData worked = defaults;
  ASSERT_FALSE(WorkOutSpindleAndFeed(worked));
  EXPECT_DOUBLE_EQ(worked.spindleSpeed, defaults.spindleSpeed);
  EXPECT_DOUBLE_EQ(worked.feed, defaults.feed);
}

// A value out of range is refused by the direction that reads it, and nothing changes; the
// direction that writes it does not look at it.
TEST(CuttingData, RefusalsNameTheFieldAndChangeNothing) {
  struct Case {
    void (*spoil)(CuttingData&);
    std::string_view field;
    bool forward;  // read when S and F are worked out
    bool back;     // read when Vc and fz are worked out
  };
  const Case cases[] = {
      {[](CuttingData& d) { d.toolDiameter = 0; }, "toolDiameter", true, true},
      {[](CuttingData& d) { d.toolDiameter = -10; }, "toolDiameter", true, true},
      {[](CuttingData& d) { d.toolDiameter = kNan; }, "toolDiameter", true, true},
      {[](CuttingData& d) { d.teeth = 0; }, "teeth", true, true},
      {[](CuttingData& d) { d.teeth = 101; }, "teeth", true, true},
      {[](CuttingData& d) { d.cuttingSpeed = 0; }, "cuttingSpeed", true, false},
      {[](CuttingData& d) { d.feedPerTooth = -0.05; }, "feedPerTooth", true, false},
      {[](CuttingData& d) { d.feedPerTooth = kNan; }, "feedPerTooth", true, false},
      {[](CuttingData& d) { d.spindleSpeed = 0; }, "spindleSpeed", false, true},
      {[](CuttingData& d) { d.feed = 0; }, "feed", false, true},
      {[](CuttingData& d) { d.feed = 100001; }, "feed", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    CuttingData spoilt = TenMillimetreEndMill();
    c.spoil(spoilt);
    const std::optional<OptionOutOfRange> checked = CheckCuttingData(spoilt);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->field, c.field);

    for (const bool forward : {true, false}) {
      CuttingData data = spoilt;
      const std::optional<OptionOutOfRange> refused =
          forward ? WorkOutSpindleAndFeed(data) : WorkOutCuttingSpeedAndFeedPerTooth(data);
      EXPECT_EQ(refused.has_value(), forward ? c.forward : c.back);
      if (!refused) continue;
      EXPECT_EQ(refused->field, c.field);
      // One field each direction writes (the spoilt ones may be NaN).
      EXPECT_EQ(data.spindleSpeed, spoilt.spindleSpeed);
      EXPECT_EQ(data.cuttingSpeed, spoilt.cuttingSpeed);
    }
  }
}

}  // namespace
}  // namespace fendo

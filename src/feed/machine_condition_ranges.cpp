#include "feed/machine_condition_ranges.h"

#include <array>

namespace fendo {
namespace {

using Range = FieldRange<MachineCondition>;

// The feeds of the transfer dialog's fields go up to this (mm/min).
constexpr double kHighestFeed = 100000;
// Ten metres: more than the travel of any machine.
constexpr double kLongestLength = 10000;
// The smallest tool diameter NC data can name (mm, its third decimal).
constexpr double kSmallestDiameter = 0.001;
// The angles the passes measure are folded into 0 … 90 degrees.
constexpr double kRightAngle = 90;
// A ratio that scales a feed or a reduction: far beyond this the clamps behind it make every
// value act alike.
constexpr double kLargestFactor = 1000;

template <float MachineCondition::*field>
double Real(const MachineCondition& c) {
  return c.*field;
}
template <int MachineCondition::*field>
double Whole(const MachineCondition& c) {
  return c.*field;
}

constexpr std::array kRanges = {
    // The cutting-condition dialog.
    Range{"toolDiameter", "공구경로 공구 직경", kSmallestDiameter, kLongestLength, Real<&MachineCondition::toolDiameter>},
    Range{"safetyDistance", "안전거리", 0, kLongestLength, Real<&MachineCondition::safetyDistance>},
    Range{"cornerMinAngle", "코너검색 최소각도", 0, kRightAngle, Real<&MachineCondition::cornerMinAngle>},
    Range{"cornerMaxReduction", "코너 최대 감속비", 0, 1, Real<&MachineCondition::cornerMaxReduction>},
    Range{"slopeMinAngle", "경사검색 최소각도", 0, kRightAngle, Real<&MachineCondition::slopeMinAngle>},
    Range{"slopeMaxReduction", "경사 최대감속비", 0, 1, Real<&MachineCondition::slopeMaxReduction>},
    Range{"plungeFeed", "공구 접근피드", 1, kHighestFeed, Whole<&MachineCondition::plungeFeed>},
    Range{"qelMaxFeed", "최대피드", 1, kHighestFeed, Whole<&MachineCondition::qelMaxFeed>},
    // The check boxes of the transfer dialog.
    Range{"conCorChk", "정삭", 0, 1, Whole<&MachineCondition::conCorChk>},
    Range{"upDownChk", "Z 상하향 검색", 0, 1, Whole<&MachineCondition::upDownChk>},
    // "QEL 설정".
    Range{"qelByMaster", "Master에 의한 QEL", 0, 1, Whole<&MachineCondition::qelByMaster>},
    Range{"xyChgReduceCheck", "QEL 전송시 XY변화 축소(0.3)", 0, 1, Whole<&MachineCondition::xyChgReduceCheck>},
    Range{"feedChgSmoothCheck", "부드러운 피드 변화", 0, 1, Whole<&MachineCondition::feedChgSmoothCheck>},
    // The feed unit goes by the name of its *.qel key.
    Range{"feedChgAng", "피드 변화 단위", 0, kHighestFeed, Whole<&MachineCondition::feedUnit>},
    Range{"zupZdown", "Z 상향 / Z 하향", 0, kLargestFactor, Real<&MachineCondition::zupZdown>},
    Range{"sideCorRat", "경사/코너 감속비", 0, kLargestFactor, Real<&MachineCondition::sideCorRat>},
    Range{"corWeight0", "코너 가중치 0도", 0, 1, Real<&MachineCondition::corWeight0>},
    Range{"corWeight30", "코너 가중치 30도", 0, 1, Real<&MachineCondition::corWeight30>},
    Range{"corWeight60", "코너 가중치 60도", 0, 1, Real<&MachineCondition::corWeight60>},
    Range{"sideWeight0", "경사 가중치 0도", 0, 1, Real<&MachineCondition::sideWeight0>},
    Range{"sideWeight30", "경사 가중치 30도", 0, 1, Real<&MachineCondition::sideWeight30>},
    Range{"sideWeight60", "경사 가중치 60도", 0, 1, Real<&MachineCondition::sideWeight60>},
};

}  // namespace

std::optional<OptionOutOfRange> CheckMachineCondition(const MachineCondition& condition) {
  return CheckFieldRanges<MachineCondition>(condition, kRanges);
}

std::optional<OptionOutOfRange> CheckMachineConditionField(const MachineCondition& condition, std::string_view field) {
  for (const Range& range : kRanges) {
    if (range.field == field) return CheckFieldRanges<MachineCondition>(condition, std::span(&range, 1));
  }
  return std::nullopt;
}

}  // namespace fendo

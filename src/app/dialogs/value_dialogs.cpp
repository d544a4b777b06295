#include "app/dialogs/value_dialogs.h"

#include <array>

namespace fendo {
namespace {

constexpr char kAskValuesTitle[] = "변수를 입력하시요!!";

// The labels of the first three stand in the values: each command names its own numbers.
constexpr std::array<NumberRow<OneValue>, 1> kOneValueRows = {{
    {&OneValue::label, &OneValue::value},
}};
constexpr NumberForm<OneValue> kOneValue = {kAskValuesTitle, kOneValueRows};

constexpr std::array<NumberRow<TwoValues>, 2> kTwoValuesRows = {{
    {&TwoValues::label1, &TwoValues::value1},
    {&TwoValues::label2, &TwoValues::value2},
}};
constexpr NumberForm<TwoValues> kTwoValues = {kAskValuesTitle, kTwoValuesRows};

constexpr std::array<NumberRow<ThreeValues>, 3> kThreeValuesRows = {{
    {&ThreeValues::label1, &ThreeValues::value1},
    {&ThreeValues::label2, &ThreeValues::value2},
    {&ThreeValues::label3, &ThreeValues::value3},
}};
constexpr NumberForm<ThreeValues> kThreeValues = {kAskValuesTitle, kThreeValuesRows};

constexpr std::array<NumberRow<XYRange>, 4> kXYRangeRows = {{
    {"X값 최소", &XYRange::xMin},
    {"Y값 최소", &XYRange::yMin},
    {"X값 최대", &XYRange::xMax},
    {"Y값 최대", &XYRange::yMax},
}};
constexpr NumberForm<XYRange> kXYRange = {"XY 영역", kXYRangeRows};

constexpr std::array<NumberRow<CentreRadius>, 4> kCentreRadiusRows = {{
    {"X 좌표", &CentreRadius::x},
    {"Y 좌표", &CentreRadius::y},
    {"Z 좌표", &CentreRadius::z},
    {"반경", &CentreRadius::radius},
}};
constexpr NumberForm<CentreRadius> kCentreRadius = {"중심좌표와 반경을 입력하시요.", kCentreRadiusRows};

constexpr std::array<NumberRow<Direction>, 3> kDirectionRows = {{
    {"X 방향", &Direction::x},
    {"Y 방향", &Direction::y},
    {"Z 방향", &Direction::z},
}};
constexpr NumberForm<Direction> kDirection = {"방향을 지정하시요 !!!", kDirectionRows};

}  // namespace

COneValueDlg::COneValueDlg(const OneValue& values, QWidget* parent) : NumberFormDialog(kOneValue, values, parent) {}
CTwoValueDlg::CTwoValueDlg(const TwoValues& values, QWidget* parent) : NumberFormDialog(kTwoValues, values, parent) {}
CThreeValueDlg::CThreeValueDlg(const ThreeValues& values, QWidget* parent)
    : NumberFormDialog(kThreeValues, values, parent) {}
CXYRangeDlg::CXYRangeDlg(const XYRange& values, QWidget* parent) : NumberFormDialog(kXYRange, values, parent) {}
CCentreRadiusDlg::CCentreRadiusDlg(const CentreRadius& values, QWidget* parent)
    : NumberFormDialog(kCentreRadius, values, parent) {}
CDirectionDlg::CDirectionDlg(const Direction& values, QWidget* parent) : NumberFormDialog(kDirection, values, parent) {}

}  // namespace fendo

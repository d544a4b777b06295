#include "app/dialogs/contour_dialog.h"

#include <array>

namespace fendo {
namespace {

constexpr std::array<NumberRow<ContourParams>, 6> kContourRows = {{
    {"최대 높이", &ContourParams::topZ, "topZ"},
    {"최저 높이", &ContourParams::bottomZ, "bottomZ"},
    {"등고선 Z 간격", &ContourParams::zSpacing, "zSpacing"},
    {"시작점 X좌표", &ContourParams::startX, "startX"},
    {"시작점 Y좌표", &ContourParams::startY, "startY"},
    {"최대 연결거리", &ContourParams::maxLink, "maxLink"},
}};
constexpr NumberForm<ContourParams> kContour = {"등고선 변수를 입력하시요!!!", kContourRows, &CheckContourParams};

}  // namespace

ContourDialog::ContourDialog(const ContourParams& params, QWidget* parent)
    : NumberFormDialog(kContour, params, parent) {}

}  // namespace fendo

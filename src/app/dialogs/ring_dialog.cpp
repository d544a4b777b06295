#include "app/dialogs/ring_dialog.h"

#include <array>

namespace fendo {
namespace {

constexpr std::array<NumberRow<RingParams>, 6> kRingRows = {{
    {"X 좌표", &RingParams::centreX, "centreX"},
    {"Y 좌표", &RingParams::centreY, "centreY"},
    {"Z 좌표", &RingParams::cuttingZ, "cuttingZ"},
    {"Stepover", &RingParams::stepover, "stepover"},
    {"외 경", &RingParams::outerDiameter, "outerDiameter"},
    {"내 경", &RingParams::innerDiameter, "innerDiameter"},
}};
constexpr NumberForm<RingParams> kRing = {"Ring", kRingRows, &CheckRingParams};

}  // namespace

RingDialog::RingDialog(const RingParams& params, QWidget* parent) : NumberFormDialog(kRing, params, parent) {}

}  // namespace fendo

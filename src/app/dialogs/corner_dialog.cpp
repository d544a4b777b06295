#include "app/dialogs/corner_dialog.h"

#include <array>

namespace fendo {
namespace {

// The dialog is named after the submenu its two commands stand in.
constexpr char kCornerTitle[] = "코너 분리";

constexpr std::array<NumberRow<CornerParams>, 3> kCornerRows = {{
    {kCornerAngleLabel.data(), &CornerParams::angle, "angle"},
    {kCornerDistanceLabel.data(), &CornerParams::distance, "distance"},
    {kCornerSubdivideLabel.data(), &CornerParams::interval, "interval", &CornerParams::subdivide, "subdivide"},
}};
constexpr NumberForm<CornerParams> kCorner = {kCornerTitle, kCornerRows, &CheckCornerParams};

}  // namespace

CCornerDlg::CCornerDlg(const CornerParams& params, QWidget* parent) : NumberFormDialog(kCorner, params, parent) {}

}  // namespace fendo

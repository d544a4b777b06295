#include "app/dialogs/edit_value_dialogs.h"

#include <array>

namespace fendo {
namespace {

// The title the editing commands' value dialogs share.
constexpr char kValueTitle[] = "변수를 입력하시요!!";

constexpr std::array<NumberRow<XyAngleDeleteOptions>, 2> kXyAngleRows = {{
    {kXyAngleLabel.data(), &XyAngleDeleteOptions::angle, "angle"},
    {kXyAngleToleranceLabel.data(), &XyAngleDeleteOptions::tolerance, "tolerance"},
}};
constexpr NumberForm<XyAngleDeleteOptions> kXyAngle = {kValueTitle, kXyAngleRows, &CheckRanges};

constexpr std::array<NumberRow<SlopeDeleteOptions>, 3> kSlopeRows = {{
    {kSlopeMinLabel.data(), &SlopeDeleteOptions::minAngle, "minAngle"},
    {kSlopeMaxLabel.data(), &SlopeDeleteOptions::maxAngle, "maxAngle"},
    {kSlopeIgnoreLabel.data(), &SlopeDeleteOptions::ignoreLength, "ignoreLength"},
}};
constexpr NumberForm<SlopeDeleteOptions> kSlope = {kValueTitle, kSlopeRows, &CheckRanges};

constexpr std::array<NumberRow<PointLengthDeleteOptions>, 1> kPointLengthRows = {{
    {kPointLengthLabel.data(), &PointLengthDeleteOptions::length, "length"},
}};
constexpr NumberForm<PointLengthDeleteOptions> kPointLength = {kValueTitle, kPointLengthRows, &CheckRanges};

constexpr std::array<NumberRow<PathLengthDeleteOptions>, 1> kPathLengthRows = {{
    {kPathLengthLabel.data(), &PathLengthDeleteOptions::length, "length"},
}};
constexpr NumberForm<PathLengthDeleteOptions> kPathLength = {kValueTitle, kPathLengthRows, &CheckRanges};

constexpr std::array<NumberRow<SubdivisionParams>, 1> kSubdivisionRows = {{
    {kSubdivisionCaption.data(), &SubdivisionParams::interval, "interval"},
}};
constexpr NumberForm<SubdivisionParams> kSubdivision = {kValueTitle, kSubdivisionRows, &CheckSubdivisionParams};

}  // namespace

XyAngleDeleteDialog::XyAngleDeleteDialog(const XyAngleDeleteOptions& options, QWidget* parent)
    : NumberFormDialog(kXyAngle, options, parent) {}
SlopeDeleteDialog::SlopeDeleteDialog(const SlopeDeleteOptions& options, QWidget* parent)
    : NumberFormDialog(kSlope, options, parent) {}
PointLengthDeleteDialog::PointLengthDeleteDialog(const PointLengthDeleteOptions& options, QWidget* parent)
    : NumberFormDialog(kPointLength, options, parent) {}
PathLengthDeleteDialog::PathLengthDeleteDialog(const PathLengthDeleteOptions& options, QWidget* parent)
    : NumberFormDialog(kPathLength, options, parent) {}
SubdivisionDialog::SubdivisionDialog(const SubdivisionParams& params, QWidget* parent)
    : NumberFormDialog(kSubdivision, params, parent) {}

}  // namespace fendo

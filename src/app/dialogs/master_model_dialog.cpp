#include "app/dialogs/master_model_dialog.h"

#include <array>

namespace fendo {
namespace {

constexpr std::array<NumberRow<MasterModelInputs>, 3> kMasterModelRows = {{
    {"공구 직경", &MasterModelInputs::toolDiameter, "toolDiameter"},
    {"가공 여유", &MasterModelInputs::stockAllowance, "stockAllowance"},
    {"마스터 모델 공차", &MasterModelInputs::tolerance, "tolerance"},
}};
constexpr NumberForm<MasterModelInputs> kMasterModel = {"Master Model", kMasterModelRows, &CheckRanges};

}  // namespace

MasterModelDialog::MasterModelDialog(const MasterModelInputs& values, QWidget* parent)
    : NumberFormDialog(kMasterModel, values, parent) {}

}  // namespace fendo

#include "app/dialogs/settings_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "config/nc_options_file.h"

namespace fendo {
namespace {

// The check boxes in their order, with the option each one sets.
struct OptionBox {
  const char* label;
  bool NcOptions::*option;
};
constexpr std::array<OptionBox, 5> kBoxes = {{
    {"Heidenhain 입력", &NcOptions::heidenhainInputChk},
    {"Heidenhain 출력", &NcOptions::heidenhainOutChk},
    {"정수 NCDATA 입력", &NcOptions::intNcdataFlg},
    {"ARC(G2, G3) -> LINEAR(G01)", &NcOptions::arcToCutInputChk},
    {"Arc 중심 절대좌표", &NcOptions::arcCentreAbsInputChk},
}};

}  // namespace

SettingsDialog::SettingsDialog(const NcOptions& options, const SystemSettings& settings, QWidget* parent)
    : CheckedDialog(QStringLiteral("설정"), parent), options_(options), optionsFile_(NcOptionsPath(settings)) {
  static_assert(kBoxes.size() == kOptionCount);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QList<QWidget*> tabOrder;
  for (int i = 0; i < kOptionCount; ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(kBoxes[i].label), this);
    box->setChecked(options.*kBoxes[i].option);
    layout->addWidget(box);
    boxes_[i] = box;
    tabOrder.append(box);
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* save = new QPushButton(QStringLiteral("저장"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    saveAsked_ = false;
    accept();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    saveAsked_ = true;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(ButtonRow({ok, save, cancel}));
  ChainTabOrder(tabOrder + QList<QWidget*>{ok, save, cancel});
  boxes_.front()->setFocus();
}

bool SettingsDialog::TakeFields() {
  for (int i = 0; i < kOptionCount; ++i) options_.*kBoxes[i].option = boxes_[i]->isChecked();
  outcome_ = SettingsOutcome::Applied;
  if (!saveAsked_) return true;
  if (WriteNcOptionsFile(optionsFile_, options_)) {
    outcome_ = SettingsOutcome::Saved;
  } else {
    Prompts().Message(kCannotOpenFileText, kErrorCaption, PromptIcon::Information);
  }
  return true;
}

}  // namespace fendo

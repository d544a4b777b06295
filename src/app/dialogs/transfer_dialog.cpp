#include "app/dialogs/transfer_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <string>

#include "app/dialogs/cutting_condition_dialog.h"
#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/get_feed_dialog.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/qel_settings_dialog.h"
#include "app/qt_text.h"

namespace fendo {
namespace {

constexpr std::string_view kUnreadableFileText = "가공조건 화일을 읽을 수 없습니다.\n";

// The settings the buttons' dialogs show, so that OK refuses a bad one on the button that
// leads to it: the cutting conditions behind "QEL", the stepping and weights behind "Set".
constexpr std::string_view kCuttingSettings[] = {"toolDiameter", "safetyDistance", "cornerMinAngle",
                                                 "slopeMinAngle", "plungeFeed"};
constexpr std::string_view kQelSettings[] = {
    "qelByMaster", "xyChgReduceCheck", "feedChgSmoothCheck", "feedChgAng",  "zupZdown",    "sideCorRat",
    "corWeight0",  "corWeight30",      "corWeight60",        "sideWeight0", "sideWeight30", "sideWeight60"};

// The whole number in 0 … kTransferFeedLimit that the text is, if it is one.
std::optional<int> FeedIn(const NumberField& field) {
  double v = 0;
  if (!field.Read(v) || v != std::floor(v) || v < 0 || v > kTransferFeedLimit) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

TransferDialog::TransferDialog(TransferDialogState& state, MachineCondition& slot, QWidget* parent)
    : ConditionDialog(QStringLiteral("전송 dialog"), parent),
      state_(state),
      slot_(slot),
      minimumFeed_(new NumberField(QStringLiteral("최저 피드"), this)),
      maximumFeed_(new NumberField(QStringLiteral("최대 피드"), this)),
      cuttingCondition_(new QPushButton(QStringLiteral("QEL"), this)),
      conditionFile_(new QPushButton(this)),
      qelSettings_(new QPushButton(QStringLiteral("Set"), this)),
      masterFile_(new QPushButton(this)),
      finishing_(new QCheckBox(QStringLiteral("정삭"), this)),
      upDown_(new QCheckBox(QStringLiteral("Z 상하향 검색"), this)) {
  ShowTransferDialog(state_, slot_);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  form->addRow(minimumFeed_->Label(), minimumFeed_);
  form->addRow(maximumFeed_->Label(), maximumFeed_);
  layout->addLayout(form);
  auto* getFeed = new QPushButton(QStringLiteral("GetFeed"), this);
  layout->addLayout(ButtonRow({cuttingCondition_, qelSettings_, getFeed}));
  layout->addWidget(conditionFile_);
  layout->addWidget(masterFile_);
  layout->addWidget(finishing_);
  layout->addWidget(upDown_);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({minimumFeed_, maximumFeed_, cuttingCondition_, qelSettings_, getFeed, conditionFile_, masterFile_,
                 finishing_, upDown_, buttons.accept, buttons.reject});

  ShowsSetting("qelMaxFeed", maximumFeed_);
  WorkedOutFrom("cornerMaxReduction", minimumFeed_);
  WorkedOutFrom("slopeMaxReduction", minimumFeed_);
  ShowsSetting("conCorChk", finishing_);
  ShowsSetting("upDownChk", upDown_);
  for (std::string_view name : kCuttingSettings) ShowsSetting(name, cuttingCondition_);
  for (std::string_view name : kQelSettings) ShowsSetting(name, qelSettings_);

  ShowState();
  // Only what the user types moves the reductions: the fields shown again after a dialog or
  // a file keep the reductions that came with it.
  connect(minimumFeed_, &QLineEdit::textEdited, this, [this] { FeedEdited(minimumFeed_, &SetMinimumFeed); });
  connect(maximumFeed_, &QLineEdit::textEdited, this, [this] { FeedEdited(maximumFeed_, &SetMaximumFeed); });
  connect(finishing_, &QCheckBox::toggled, this, [this](bool on) { state_.condition.conCorChk = on ? 1 : 0; });
  connect(upDown_, &QCheckBox::toggled, this, [this](bool on) { state_.condition.upDownChk = on ? 1 : 0; });
  connect(cuttingCondition_, &QPushButton::clicked, this, &TransferDialog::EditCuttingCondition);
  connect(conditionFile_, &QPushButton::clicked, this, &TransferDialog::LoadConditionFile);
  connect(qelSettings_, &QPushButton::clicked, this, &TransferDialog::EditQelSettings);
  connect(masterFile_, &QPushButton::clicked, this, &TransferDialog::ChooseMasterFile);
  connect(getFeed, &QPushButton::clicked, this, &TransferDialog::GetFeed);
  maximumFeed_->setFocus();
}

void TransferDialog::ShowState() {
  minimumFeed_->setText(QString::number(state_.minimumFeed));
  maximumFeed_->setText(QString::number(state_.maximumFeed));
  conditionFile_->setText(Utf8(state_.conditionFileText));
  masterFile_->setText(Utf8(state_.masterFileText));
  finishing_->setChecked(state_.condition.conCorChk == 1);
  upDown_->setChecked(state_.condition.upDownChk == 1);
}

void TransferDialog::FeedEdited(NumberField* field, void (*keep)(TransferDialogState&, int)) {
  // A text on its way to a number (empty, a sign) changes nothing; OK refuses it if it stays.
  if (const std::optional<int> feed = FeedIn(*field)) {
    keep(state_, *feed);
    masterFile_->setText(Utf8(state_.masterFileText));
  }
}

void TransferDialog::EditCuttingCondition() {
  CuttingConditionDialog dialog(state_.condition, this);
  if (dialog.exec() != QDialog::Accepted) return;
  AcceptCuttingCondition(state_, dialog.values());
  ShowState();
}

void TransferDialog::LoadConditionFile() {
  const QString path = ChooseQelFileToOpen(this, state_.condition);
  if (path.isEmpty()) {
    CancelConditionFile(state_);
  } else if (const QelFileResult read = fendo::LoadConditionFile(state_, LocalPath(path)); !read.ok()) {
    Prompts().Message(std::string(kUnreadableFileText) + read.reason, kErrorCaption, PromptIcon::Information);
  }
  ShowState();
}

void TransferDialog::EditQelSettings() {
  QelSettingsDialog dialog(state_.condition, this);
  if (dialog.exec() != QDialog::Accepted) return;
  state_.condition = dialog.values();
  AcceptQelSettings(state_);
}

void TransferDialog::ChooseMasterFile() {
  fendo::ChooseMasterFile(state_, ChooseOptimizerMasterFile(this, state_.condition));
  ShowState();
}

void TransferDialog::GetFeed() {
  GetFeedDialog dialog(state_.cuttingData, state_.condition.toolDiameter, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // As if typed: the reductions follow the new maximum feed.
  maximumFeed_->setText(QString::number(dialog.AppliedFeed()));
  FeedEdited(maximumFeed_, &SetMaximumFeed);
}

bool TransferDialog::TakeFields() {
  // The copy holds every number typed; what is left in a field must be one as well.
  int feed = 0;
  if (!TakeWholeNumber(minimumFeed_, feed, 0, kTransferFeedLimit) ||
      !TakeWholeNumber(maximumFeed_, feed, 0, kTransferFeedLimit)) {
    return false;
  }
  if (!HoldToRanges(state_.condition, this)) return false;
  return !AcceptTransferDialog(state_, slot_);
}

}  // namespace fendo

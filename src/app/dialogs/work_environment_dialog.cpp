#include "app/dialogs/work_environment_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"
#include "config/settings_tokens.h"

namespace fendo {
namespace {

// The fields in their order, with the setting each one edits.
struct SettingField {
  const char* label;
  std::string SystemSettings::*setting;
};
constexpr std::array<SettingField, 5> kFields = {{
    {"환경 Directory", &SystemSettings::configDir},
    {"작업 Directory", &SystemSettings::workDir},
    {"Post Directory", &SystemSettings::postDir},
    {"편집기(editor)", &SystemSettings::editor},
    {"Ncdata 확장자", &SystemSettings::fileExt},
}};

// Wide enough for a path.
constexpr int kFieldCharacters = 40;

}  // namespace

WorkEnvironmentDialog::WorkEnvironmentDialog(const SystemSettings& settings, QWidget* parent)
    : CheckedDialog(QStringLiteral("작업 환경"), parent), settings_(settings) {
  static_assert(kFields.size() == kFieldCount);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  QList<QWidget*> tabOrder;
  for (int i = 0; i < kFieldCount; ++i) {
    auto* field = new QLineEdit(Utf8(settings.*kFields[i].setting), this);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('x')) * kFieldCharacters);
    form->addRow(QString::fromUtf8(kFields[i].label), field);
    fields_[i] = field;
    tabOrder.append(field);
  }
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout, QStringLiteral("저장"), QStringLiteral("취소"));
  ChainTabOrder(tabOrder + QList<QWidget*>{buttons.accept, buttons.reject});
  fields_.front()->setFocus();
}

// fendo.cfg holds white-space separated words: a value with a blank in it, or none, would be
// read back as something else and shift every setting behind it, so it is refused here.
bool WorkEnvironmentDialog::TakeFields() {
  SystemSettings taken = settings_;
  for (int i = 0; i < kFieldCount; ++i) {
    const std::string value = ToUtf8(fields_[i]->text().trimmed());
    if (!IsSettingsToken(value)) {
      return Refuse(fields_[i], QString::fromUtf8(kFields[i].label) + QStringLiteral(": 빈칸 없는 값을 입력하시요."));
    }
    taken.*kFields[i].setting = value;
  }
  settings_ = taken;
  saved_ = static_cast<bool>(WriteSystemSettingsFile(SystemSettingsPath(), settings_));
  if (!saved_) Prompts().Message(kCannotOpenFileText, kErrorCaption, PromptIcon::Information);
  return true;
}

}  // namespace fendo

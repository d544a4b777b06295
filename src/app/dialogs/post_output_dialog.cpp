#include "app/dialogs/post_output_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/path_button.h"
#include "app/dialogs/template_section_dialog.h"
#include "app/qt_text.h"
#include "output/nc_output_options.h"

namespace fendo {
namespace {

constexpr char kTemplateFilter[] = "Post processor (*.ppr)";

// The sections the dialog edits, by button; the arc sections are changed through a template
// file.
struct SectionButton {
  const char* text;
  TemplateSectionId section;
};
constexpr std::array<SectionButton, 8> kSectionButtons = {{
    {"시작", TemplateSectionId::Start},
    {"공구 변경", TemplateSectionId::Tool},
    {"새 절삭이송", TemplateSectionId::NewCut},
    {"절삭이송", TemplateSectionId::Cut},
    {"새 급속이송", TemplateSectionId::NewRapid},
    {"급속이송", TemplateSectionId::Rapid},
    {"SPINDLE", TemplateSectionId::Spindle},
    {"종료", TemplateSectionId::Term},
}};
constexpr int kSectionColumns = 4;

// "*.ppr" behind PostDir: where the template dialogs open.
QString TemplatePattern(const SystemSettings& settings) {
  return QDir(PathText(settings.postDir)).filePath(QStringLiteral("*.ppr"));
}

}  // namespace

PostOutputDialog::PostOutputDialog(PostTemplate& postTemplate, const PostOutputOptions& options,
                                   const SystemSettings& settings, const QString& ncFilter, QWidget* parent)
    : CheckedDialog(QStringLiteral("NC DATA 출력"), parent),
      template_(postTemplate),
      options_(options),
      settings_(settings),
      templateFile_(new PathButton(
          PathText(options.templatePath), [this](const QString& current) { return ChooseTemplate(current); }, this)),
      output_(new PathButton(
          PathText(options.outputPath),
          [this, ncFilter](const QString& current) { return QFileDialog::getSaveFileName(this, QString(), current, ncFilter); },
          this)),
      spindle_(new NumberField(QStringLiteral("Spindle"), this)),
      toolChange_(new QCheckBox(QStringLiteral("공구번호"), this)),
      toolNumber_(new NumberField(QStringLiteral("공구번호"), this)),
      programNumberOn_(new QCheckBox(QStringLiteral("프로그램 번호"), this)),
      programNumber_(new NumberField(QStringLiteral("프로그램 번호"), this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* files = new QGridLayout;
  files->addWidget(new QLabel(QStringLiteral("PP 파일"), this), 0, 0);
  files->addWidget(templateFile_, 1, 0);
  files->addWidget(new QLabel(QStringLiteral("출력 파일"), this), 2, 0);
  files->addWidget(output_, 3, 0);
  layout->addLayout(files);

  QList<QWidget*> tabOrder{templateFile_, output_};
  auto* sections = new QGridLayout;
  for (std::size_t b = 0; b < kSectionButtons.size(); ++b) {
    const SectionButton& row = kSectionButtons[b];
    auto* button = new QPushButton(QString::fromUtf8(row.text), this);
    button->setAutoDefault(false);
    const int at = static_cast<int>(b);
    sections->addWidget(button, at / kSectionColumns, at % kSectionColumns);
    connect(button, &QPushButton::clicked, this, [this, row] { EditSection(row.section, QString::fromUtf8(row.text)); });
    tabOrder.append(button);
  }
  layout->addLayout(sections);

  auto* numbers = new QGridLayout;
  numbers->addWidget(new QLabel(spindle_->Label(), this), 0, 0);
  numbers->addWidget(spindle_, 0, 1);
  numbers->addWidget(toolChange_, 1, 0);
  numbers->addWidget(toolNumber_, 1, 1);
  numbers->addWidget(programNumberOn_, 2, 0);
  numbers->addWidget(programNumber_, 2, 1);
  layout->addLayout(numbers);

  auto* edit = new QPushButton(QStringLiteral("PP 편집"), this);
  auto* save = new QPushButton(QStringLiteral("PP저장"), this);
  edit->setAutoDefault(false);
  save->setAutoDefault(false);
  connect(edit, &QPushButton::clicked, this, [this] { OpenTemplateInEditor(); });
  connect(save, &QPushButton::clicked, this, [this] { SaveTemplateAs(); });
  layout->addLayout(ButtonRow({edit, save}));
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);

  spindle_->setText(QString::number(options.spindleSpeed));
  toolChange_->setChecked(options.toolChange);
  toolNumber_->setText(QString::number(options.toolNumber));
  programNumberOn_->setChecked(options.programNumberOn);
  programNumber_->setText(QString::number(options.programNumber));

  tabOrder.append({spindle_, toolChange_, toolNumber_, programNumberOn_, programNumber_, edit, save, buttons.accept,
                   buttons.reject});
  ChainTabOrder(tabOrder);
  buttons.accept->setFocus();
}

QString PostOutputDialog::ChooseTemplate(const QString& current) {
  const QString start = current.isEmpty() ? TemplatePattern(settings_) : current;
  QFileDialog dialog(this, QString(), start, QString::fromUtf8(kTemplateFilter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("ppr"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  const QString path = dialog.selectedFiles().first();
  // A template refused is not used: the template and its button stay as they were.
  if (const FileStatus loaded = template_.LoadTemplate(PathBytes(path), MissingTemplate::Fail); !loaded) {
    Prompts().Message(std::string(kCannotOpenFileText) + loaded.reason, kErrorCaption, PromptIcon::Information);
    return QString();
  }
  return path;
}

void PostOutputDialog::EditSection(TemplateSectionId id, const QString& title) {
  TemplateSectionDialog dialog(title + QLatin1Char(' ') + Utf8(PostTemplate::SectionName(id)), template_.section(id).Text(),
                               this);
  if (dialog.exec() == QDialog::Accepted) template_.ApplySectionEdit(id, dialog.text());
}

void PostOutputDialog::OpenTemplateInEditor() {
  const QString editor = PathText(settings_.editor);
  if (!QProcess::startDetached(editor, {templateFile_->path()})) {
    Prompts().Message(ToUtf8(QStringLiteral("%1 을(를) 실행할 수 없습니다.").arg(editor)), kErrorCaption,
                      PromptIcon::Information);
  }
}

void PostOutputDialog::SaveTemplateAs() {
  const QString path =
      QFileDialog::getSaveFileName(this, QString(), TemplatePattern(settings_), QString::fromUtf8(kTemplateFilter));
  if (path.isEmpty()) return;
  templateFile_->SetPath(path);
  if (const FileStatus saved = template_.SaveTemplate(PathBytes(path)); !saved) {
    Prompts().Message(std::string(kCannotOpenFileText) + saved.reason, kErrorCaption, PromptIcon::Information);
  }
}

bool PostOutputDialog::TakeFields() {
  PostOutputOptions taken = options_;
  if (output_->path().isEmpty()) return Refuse(output_, QStringLiteral("출력 파일을 선택하시요."));
  taken.templatePath = PathBytes(templateFile_->path());
  taken.outputPath = PathBytes(output_->path());
  if (!TakeWholeNumber(spindle_, taken.spindleSpeed, 0, kMaxSpindleSpeed) ||
      !TakeWholeNumber(toolNumber_, taken.toolNumber, 0, kMaxHeaderNumber) ||
      !TakeWholeNumber(programNumber_, taken.programNumber, 0, kMaxHeaderNumber)) {
    return false;
  }
  taken.toolChange = toolChange_->isChecked();
  taken.programNumberOn = programNumberOn_->isChecked();
  options_ = taken;
  return true;
}

}  // namespace fendo

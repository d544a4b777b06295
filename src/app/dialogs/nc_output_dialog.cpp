#include "app/dialogs/nc_output_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/line_breaks.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/path_button.h"

namespace fendo {
namespace {

constexpr char kExclusionText[] = " Incremental ncdata를 하이덴하인으로 출력할 수 없습니다.!!!";
constexpr int kCommentLines = 5;

}  // namespace

NcOutputDialog::NcOutputDialog(const NcOutputOptions& options, const QString& ncFilter, QWidget* parent)
    : CheckedDialog(QStringLiteral("Ncdata로 저장"), parent),
      options_(options),
      output_(new PathButton(
          PathText(options.outputPath),
          [this, ncFilter](const QString& current) { return QFileDialog::getSaveFileName(this, QString(), current, ncFilter); },
          this)),
      // The source is read, never written: it is chosen among files that exist.
      source_(new PathButton(
          PathText(options.sourcePath),
          [this, ncFilter](const QString& current) { return QFileDialog::getOpenFileName(this, QString(), current, ncFilter); },
          this)),
      spindle_(new NumberField(QStringLiteral("Spindle"), this)),
      sequenceNumbers_(new QCheckBox(QStringLiteral("N번호 출력"), this)),
      machiningInfo_(new QCheckBox(QStringLiteral("가공 정보"), this)),
      toolChange_(new QCheckBox(QStringLiteral("공구번호"), this)),
      toolNumber_(new NumberField(QStringLiteral("공구번호"), this)),
      lengthOffset_(new NumberField(QStringLiteral("공구 장보정"), this)),
      programNumberOn_(new QCheckBox(QStringLiteral("프로그램 번호"), this)),
      programNumber_(new NumberField(QStringLiteral("프로그램 번호"), this)),
      heidenhain_(new QCheckBox(QStringLiteral("하이덴하인"), this)),
      ijkToR_(new QCheckBox(QStringLiteral("IJK -> R"), this)),
      incremental_(new QCheckBox(QStringLiteral("Incremental (G91)"), this)),
      diagonalRapidCheck_(new QCheckBox(QStringLiteral("사선 급속이송"), this)),
      useSourceStartEnd_(new QCheckBox(QStringLiteral("화일 시작, 종료부"), this)),
      openEditor_(new QCheckBox(QStringLiteral("파일 생성후 편집기"), this)),
      comment_(new QPlainTextEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(new QLabel(QStringLiteral("출력화일"), this), row, 0);
  grid->addWidget(output_, row++, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("원본 파일"), this), row, 0);
  grid->addWidget(source_, row++, 1, 1, 2);
  grid->addWidget(new QLabel(spindle_->Label(), this), row, 0);
  grid->addWidget(spindle_, row++, 1);
  grid->addWidget(sequenceNumbers_, row, 0);
  grid->addWidget(machiningInfo_, row++, 1);
  grid->addWidget(toolChange_, row, 0);
  grid->addWidget(toolNumber_, row++, 1);
  grid->addWidget(new QLabel(lengthOffset_->Label(), this), row, 0);
  grid->addWidget(lengthOffset_, row++, 1);
  grid->addWidget(programNumberOn_, row, 0);
  grid->addWidget(programNumber_, row++, 1);
  grid->addWidget(heidenhain_, row, 0);
  grid->addWidget(ijkToR_, row++, 1);
  grid->addWidget(incremental_, row, 0);
  grid->addWidget(diagonalRapidCheck_, row++, 1);
  grid->addWidget(useSourceStartEnd_, row, 0);
  grid->addWidget(openEditor_, row++, 1);
  layout->addLayout(grid);

  layout->addWidget(new QLabel(QStringLiteral("<< 주석문 >>"), this));
  comment_->setTabChangesFocus(true);
  comment_->setFixedHeight(comment_->fontMetrics().lineSpacing() * kCommentLines + 2 * comment_->frameWidth() +
                           static_cast<int>(comment_->document()->documentMargin() * 2));
  layout->addWidget(comment_);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);

  spindle_->setText(QString::number(options.spindleSpeed));
  sequenceNumbers_->setChecked(options.sequenceNumbers);
  machiningInfo_->setChecked(options.machiningInfo);
  toolChange_->setChecked(options.toolChange);
  toolNumber_->setText(QString::number(options.toolNumber));
  lengthOffset_->setText(QString::number(options.lengthOffset));
  programNumberOn_->setChecked(options.programNumberOn);
  programNumber_->setText(QString::number(options.programNumber));
  heidenhain_->setChecked(options.heidenhain);
  ijkToR_->setChecked(options.ijkToR);
  incremental_->setChecked(options.incremental);
  diagonalRapidCheck_->setChecked(options.diagonalRapidCheck);
  useSourceStartEnd_->setChecked(options.useSourceStartEnd);
  openEditor_->setChecked(options.openEditor);
  comment_->setPlainText(ShownComment(options.comment));

  // Connected after the boxes are filled: only the user's ticking is refused here; options
  // that arrive with both on are refused by OK.
  connect(incremental_, &QCheckBox::clicked, this, [this] { RefuseBothForms(incremental_, heidenhain_); });
  connect(heidenhain_, &QCheckBox::clicked, this, [this] { RefuseBothForms(heidenhain_, incremental_); });

  ChainTabOrder({output_, source_, spindle_, sequenceNumbers_, machiningInfo_, toolChange_, toolNumber_, lengthOffset_,
                 programNumberOn_, programNumber_, heidenhain_, ijkToR_, incremental_, diagonalRapidCheck_,
                 useSourceStartEnd_, openEditor_, comment_, buttons.accept, buttons.reject});
  buttons.accept->setFocus();
}

void NcOutputDialog::RefuseBothForms(QCheckBox* ticked, QCheckBox* other) {
  if (!ticked->isChecked() || !other->isChecked()) return;
  Prompts().Message(kExclusionText, kExclusionCaption, PromptIcon::Information);
  ticked->setChecked(false);
}

bool NcOutputDialog::TakeFields() {
  NcOutputOptions taken = options_;
  if (output_->path().isEmpty()) return Refuse(output_, QStringLiteral("출력화일을 선택하시요."));
  taken.outputPath = PathBytes(output_->path());
  taken.sourcePath = PathBytes(source_->path());
  if (!TakeWholeNumber(spindle_, taken.spindleSpeed, 0, kMaxSpindleSpeed) ||
      !TakeWholeNumber(toolNumber_, taken.toolNumber, 0, kMaxHeaderNumber) ||
      !TakeWholeNumber(lengthOffset_, taken.lengthOffset, 0, kMaxLengthOffset) ||
      !TakeWholeNumber(programNumber_, taken.programNumber, 0, kMaxHeaderNumber)) {
    return false;
  }
  taken.sequenceNumbers = sequenceNumbers_->isChecked();
  taken.machiningInfo = machiningInfo_->isChecked();
  taken.toolChange = toolChange_->isChecked();
  taken.programNumberOn = programNumberOn_->isChecked();
  taken.heidenhain = heidenhain_->isChecked();
  taken.ijkToR = ijkToR_->isChecked();
  taken.incremental = incremental_->isChecked();
  taken.diagonalRapidCheck = diagonalRapidCheck_->isChecked();
  taken.useSourceStartEnd = useSourceStartEnd_->isChecked();
  taken.openEditor = openEditor_->isChecked();
  taken.comment = StoredComment(comment_->toPlainText(), options_.comment);
  if (const std::optional<std::string> problem = CheckNcOutputOptions(taken)) {
    Prompts().Message(*problem, kExclusionCaption, PromptIcon::Information);
    incremental_->setFocus();
    return false;
  }
  options_ = taken;
  return true;
}

}  // namespace fendo

#include "app/dialogs/template_section_dialog.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/line_breaks.h"

namespace fendo {
namespace {

// A section holds at most ten lines: the edit shows them all.
constexpr int kVisibleLines = 11;
constexpr int kVisibleColumns = 48;

}  // namespace

TemplateSectionDialog::TemplateSectionDialog(const QString& title, const std::string& text, QWidget* parent)
    : QDialog(parent), edit_(new QPlainTextEdit(this)) {
  setWindowTitle(title);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setTabChangesFocus(true);
  const QFontMetrics metrics(edit_->font());
  edit_->setFixedSize(metrics.horizontalAdvance(QLatin1Char('0')) * kVisibleColumns, metrics.lineSpacing() * kVisibleLines);
  edit_->setPlainText(ShownLines(text));
  layout->addWidget(edit_);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({edit_, buttons.accept, buttons.reject});
  edit_->setFocus();
}

std::string TemplateSectionDialog::text() const { return StoredLines(edit_->toPlainText()); }

}  // namespace fendo

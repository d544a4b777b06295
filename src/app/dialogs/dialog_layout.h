#pragma once

#include <QList>
#include <QString>

#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QDialog;
class QPushButton;
class QWidget;

namespace fendo {

// The pieces every dialog of the program is built from, so that they look and move alike.

// A row of buttons at the right of the dialog, in the order given.
QBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// The accepting and the rejecting button of a dialog, added in a ButtonRow at the end of
// `layout`: the first is the default button and accepts, the second rejects.
struct AcceptRejectButtons {
  QPushButton* accept;
  QPushButton* reject;
};
AcceptRejectButtons AddAcceptReject(QDialog& dialog, QBoxLayout& layout, const QString& acceptText = QStringLiteral("OK"),
                                    const QString& rejectText = QStringLiteral("Cancel"));

// A check box named `name` (its object name, which the tests find it by), checked or not.
QCheckBox* CheckBox(const char* name, const QString& text, bool checked, QWidget* parent);

// Tab moves through `widgets` in the order given.
void ChainTabOrder(const QList<QWidget*>& widgets);

}  // namespace fendo

#pragma once

#include <QLineEdit>
#include <QString>

namespace fendo {

// An edit field for one number. Numbers are written and read with a decimal point whatever
// the user's locale, so "1,5" is refused rather than read as 1 or 15.
class NumberField : public QLineEdit {
  // Its own meta-object, so that a dialog's number fields can be told from its other edits.
  Q_OBJECT

 public:
  // `label` names the field in the messages that refuse its text.
  explicit NumberField(const QString& label, QWidget* parent = nullptr);

  const QString& Label() const { return label_; }

  // The shortest text that reads back as exactly `v`: -50, 0.1, 12.345.
  void SetNumber(double v);
  void SetNumber(float v);

  // The number the field holds, into `v`: a decimal number, optionally signed and with an
  // exponent, spaces around it allowed. False, leaving `v` alone, for any other text and for a
  // number the type cannot hold (it would become infinite).
  bool Read(double& v) const;
  bool Read(float& v) const;

 private:
  QString label_;
};

// The shortest text that reads back as exactly `v`, with a decimal point.
QString NumberText(double v);

}  // namespace fendo

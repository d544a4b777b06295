#pragma once

#include <QList>
#include <QString>

#include "app/dialogs/checked_dialog.h"
#include "edit/entered_values.h"

class QFormLayout;
class QVBoxLayout;

namespace fendo {

class NumberField;

// The small dialogs the editing commands ask their numbers with. Each opens on the values the
// command keeps (and the labels it sets), shows one labelled field per value in the values'
// order, and gives the values back through values(): what the fields held when OK closed it,
// the values it was opened with otherwise.

// The shared frame: title, a form of number fields, OK and Cancel.
class ValueDialog : public CheckedDialog {
 protected:
  ValueDialog(const QString& title, QWidget* parent);

  // A field under `label` below the ones added before it.
  NumberField* AddField(const QString& label);
  // Closes the form with OK and Cancel and sets the tab order: the fields, OK, Cancel.
  void AddButtons();

 private:
  QVBoxLayout* layout_;
  QFormLayout* form_;
  QList<QWidget*> fields_;
};

// "변수를 입력하시요!!": one number.
class COneValueDlg : public ValueDialog {
 public:
  explicit COneValueDlg(const OneValue& values, QWidget* parent = nullptr);
  const OneValue& values() const { return values_; }

 private:
  bool TakeFields() override;

  OneValue values_;
  NumberField* value_;
};

// "변수를 입력하시요!!": two numbers, each beside its own label.
class CTwoValueDlg : public ValueDialog {
 public:
  explicit CTwoValueDlg(const TwoValues& values, QWidget* parent = nullptr);
  const TwoValues& values() const { return values_; }

 private:
  bool TakeFields() override;

  TwoValues values_;
  NumberField* value1_;
  NumberField* value2_;
};

// "변수를 입력하시요!!": three numbers.
class CThreeValueDlg : public ValueDialog {
 public:
  explicit CThreeValueDlg(const ThreeValues& values, QWidget* parent = nullptr);
  const ThreeValues& values() const { return values_; }

 private:
  bool TakeFields() override;

  ThreeValues values_;
  NumberField* value1_;
  NumberField* value2_;
  NumberField* value3_;
};

// "XY 영역": a rectangle in XY.
class CXYRangeDlg : public ValueDialog {
 public:
  explicit CXYRangeDlg(const XYRange& values, QWidget* parent = nullptr);
  const XYRange& values() const { return values_; }

 private:
  bool TakeFields() override;

  XYRange values_;
  NumberField* xMin_;
  NumberField* yMin_;
  NumberField* xMax_;
  NumberField* yMax_;
};

// "중심좌표와 반경을 입력하시요.": a centre and a radius.
class CCentreRadiusDlg : public ValueDialog {
 public:
  explicit CCentreRadiusDlg(const CentreRadius& values, QWidget* parent = nullptr);
  const CentreRadius& values() const { return values_; }

 private:
  bool TakeFields() override;

  CentreRadius values_;
  NumberField* x_;
  NumberField* y_;
  NumberField* z_;
  NumberField* radius_;
};

// "방향을 지정하시요 !!!": a direction.
class CDirectionDlg : public ValueDialog {
 public:
  explicit CDirectionDlg(const Direction& values, QWidget* parent = nullptr);
  const Direction& values() const { return values_; }

 private:
  bool TakeFields() override;

  Direction values_;
  NumberField* x_;
  NumberField* y_;
  NumberField* z_;
};

}  // namespace fendo

#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "edit/entered_values.h"

namespace fendo {

// The small dialogs the editing commands ask their numbers with. Each opens on the values the
// command keeps (and the labels it sets), shows one labelled field per value in the values'
// order, and gives the values back through values(): what the fields held when OK closed it,
// the values it was opened with otherwise. Each is a table in value_dialogs.cpp.

// "변수를 입력하시요!!": one number.
class COneValueDlg : public NumberFormDialog<OneValue> {
 public:
  explicit COneValueDlg(const OneValue& values, QWidget* parent = nullptr);
};

// "변수를 입력하시요!!": two numbers, each beside its own label.
class CTwoValueDlg : public NumberFormDialog<TwoValues> {
 public:
  explicit CTwoValueDlg(const TwoValues& values, QWidget* parent = nullptr);
};

// "변수를 입력하시요!!": three numbers.
class CThreeValueDlg : public NumberFormDialog<ThreeValues> {
 public:
  explicit CThreeValueDlg(const ThreeValues& values, QWidget* parent = nullptr);
};

// "XY 영역": a rectangle in XY.
class CXYRangeDlg : public NumberFormDialog<XYRange> {
 public:
  explicit CXYRangeDlg(const XYRange& values, QWidget* parent = nullptr);
};

// "중심좌표와 반경을 입력하시요.": a centre and a radius.
class CCentreRadiusDlg : public NumberFormDialog<CentreRadius> {
 public:
  explicit CCentreRadiusDlg(const CentreRadius& values, QWidget* parent = nullptr);
};

// "방향을 지정하시요 !!!": a direction.
class CDirectionDlg : public NumberFormDialog<Direction> {
 public:
  explicit CDirectionDlg(const Direction& values, QWidget* parent = nullptr);
};

}  // namespace fendo

#pragma once

#include <string>

namespace fendo {

// The small value dialogs the editing commands ask their numbers with. Each command keeps its
// own copy (so it reopens with what the user entered last time) and sets the labels; the
// dialog edits the values. Defaults are the dialogs' own.

// "변수를 입력하시요!!" with one labelled value.
struct OneValue {
  std::string label;
  double value = 0;
};

// "변수를 입력하시요!!" with two labelled values.
struct TwoValues {
  std::string label1;
  double value1 = 0;
  std::string label2;
  double value2 = 0;
};

// "변수를 입력하시요!!" with three labelled values.
struct ThreeValues {
  std::string label1;
  double value1 = 0;
  std::string label2;
  double value2 = 0;
  std::string label3;
  double value3 = 0;
};

// "XY 영역": a rectangle in XY, mm.
struct XYRange {
  float xMin = -50;
  float yMin = -50;
  float xMax = 0;
  float yMax = 0;
};

// "중심좌표와 반경을 입력하시요.": a circle (a sphere's centre and radius), mm.
struct CentreRadius {
  float x = 0;
  float y = 0;
  float z = 0;
  float radius = 70;
};

// "방향을 지정하시요 !!!": a direction, mm along each axis.
struct Direction {
  double x = 0;
  double y = 0;
  double z = 5;
};

}  // namespace fendo

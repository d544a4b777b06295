#pragma once

namespace fendo {

// How the rectangle of a pocket, a profile or a facing pattern is entered ("<< 변수 Type >>").
enum class ShapeForm {
  CentreSize = 1,  // "중심, 크기": X 중심, Y 중심, X 크기, Y 크기
  MinSize = 2,     // "최소, 크기": X 최소, Y 최소, X 크기, Y 크기
  MinMax = 3,      // "최소, 최대": X 최소, Y 최소, X 최대, Y 최대
};

// The rectangle fields the three dialogs share, with their defaults.
struct RectangleFields {
  ShapeForm form = ShapeForm::CentreSize;
  double xMax = 100;    // mm, "X 최대"
  double xMin = -100;   // mm, "X 최소"
  double xSize = 200;   // mm, "X 크기"
  double yMax = 80;     // mm, "Y 최대"
  double yMin = -80;    // mm, "Y 최소"
  double ySize = 160;   // mm, "Y 크기"
  double xCentre = 0;   // mm, "X 중심"
  double yCentre = 0;   // mm, "Y 중심"
};

// A rectangle as every generator works with it: its centre and its full size.
struct CentredRectangle {
  double cx = 0;  // mm
  double cy = 0;  // mm
  double sx = 0;  // mm, full width
  double sy = 0;  // mm, full height
};

// The fields in the form they were entered in, turned into centre and size.
CentredRectangle CentreAndSize(const RectangleFields& fields);

}  // namespace fendo

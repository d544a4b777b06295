#include "generate/rectangle_shape.h"

namespace fendo {

CentredRectangle CentreAndSize(const RectangleFields& f) {
  switch (f.form) {
    case ShapeForm::CentreSize: return {f.xCentre, f.yCentre, f.xSize, f.ySize};
    case ShapeForm::MinSize: return {f.xMin + f.xSize / 2, f.yMin + f.ySize / 2, f.xSize, f.ySize};
    case ShapeForm::MinMax: {
      const double sx = f.xMax - f.xMin;
      const double sy = f.yMax - f.yMin;
      return {f.xMin + sx / 2, f.yMin + sy / 2, sx, sy};
    }
  }
  return {f.xCentre, f.yCentre, f.xSize, f.ySize};
}

}  // namespace fendo

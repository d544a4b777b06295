#pragma once

#include "view/tool_shape.h"

namespace fendo {

// What a toolpath view shows besides the toolpaths themselves: the display toggles of the
// view menu and the tool it draws. Each view owns one; drawing, fitting and picking read it.
struct ViewOptions {
  bool rapidShown = true;           // "급속이송 ON/OFF": rapid moves are drawn as lines
  bool backgroundInverted = false;  // "바탕색 전도": white background
  bool feedLegendShown = true;      // "Feed color 보기"
  bool layerTextShown = true;       // "Layer text"
  bool masterModelShown = false;    // "마스타 모델 보기": only while a master model exists
  ToolShape tool;                   // "공구형상"
};

}  // namespace fendo

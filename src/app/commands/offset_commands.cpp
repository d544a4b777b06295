#include "app/commands/offset_commands.h"

#include <optional>

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/point_file_dialog.h"
#include "app/dialogs/value_dialogs.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "edit/point_offset.h"
#include "interact/offset_commands.h"

namespace fendo {
namespace {

// What each command keeps between uses: the one direction of all the offsets, and each
// command's own region.
struct OffsetDirection {
  Direction dialog;
};
struct OffsetRectangle {
  XYRange dialog;
};
struct OffsetCircle {
  CentreRadius dialog;
};
struct OffsetZBand {
  TwoValues dialog{"Z 최소", ZOffsetBand{}.zMin, "Z 최대", ZOffsetBand{}.zMax};
};
struct PointFileFolder {
  QString last;
};

// The offset vector from CDirectionDlg; nothing after Cancel.
std::optional<Point3> AskDirection(CFendoView& view) {
  Direction& direction = view.app().Remembered<OffsetDirection>().dialog;
  if (!EditInDialog<CDirectionDlg>(direction, &view)) return std::nullopt;
  return Point3{direction.x, direction.y, direction.z};
}

}  // namespace

void OffsetInsideWindowCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunOffsetInWindows(view.input(), view.inputSource(), prompts, *by);
}

void OffsetInsideRectangleCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  XYRange& range = view.app().Remembered<OffsetRectangle>().dialog;
  if (!EditInDialog<CXYRangeDlg>(range, &view)) return;
  ReportOnView(view, OffsetInsideRectangle(view.database(), range.xMin, range.yMin, range.xMax, range.yMax, *by));
}

void OffsetOutsideZBandCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  TwoValues& band = view.app().Remembered<OffsetZBand>().dialog;
  if (!EditInDialog<CTwoValueDlg>(band, &view)) return;
  ReportOnView(view, OffsetOutsideZBand(view.database(), {band.value1, band.value2}, *by));
}

void OffsetInsideCircleCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  CentreRadius& circle = view.app().Remembered<OffsetCircle>().dialog;
  if (!EditInDialog<CCentreRadiusDlg>(circle, &view)) return;
  ReportOnView(view, OffsetInsideCircle(view.database(), {circle.x, circle.y, circle.z}, circle.radius, *by));
}

void OffsetInsidePolygonCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunOffsetInPolygon(view.input(), view.inputSource(), prompts, *by);
}

void OffsetInsideFilePolygonsCommand(CFendoView& view) {
  const std::optional<Point3> by = AskDirection(view);
  if (!by) return;
  const QString file = ChoosePointFileToOpen(&view, view.app().Remembered<PointFileFolder>().last);
  if (file.isEmpty()) return;
  MessageBoxPrompts prompts(&view);
  OffsetByPointFile(view.database(), LocalPath(file), view, prompts, *by);
}

}  // namespace fendo

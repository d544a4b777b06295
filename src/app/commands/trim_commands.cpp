#include "app/commands/trim_commands.h"

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/point_file_dialog.h"
#include "app/dialogs/value_dialogs.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"
#include "interact/trim_commands.h"

namespace fendo {
namespace {

// Each command keeps its own values: the inside and the outside trim of a kind open on what
// each was given last.
template <TrimSide removed>
struct RectangleTrimValues {
  XYRange range;
};
template <TrimSide removed>
struct CircleTrimValues {
  CentreRadius circle;
};
struct ZTrimValues {
  TwoValues band{"Z 최소", ZTrimParams{}.zMin, "Z 최대", ZTrimParams{}.zMax};
};

template <TrimSide removed>
void TrimWithRectangle(CFendoView& view) {
  XYRange& range = view.app().Remembered<RectangleTrimValues<removed>>().range;
  if (!EditInDialog<CXYRangeDlg>(range, &view)) return;
  TransientProgress progress(view.frame().statusPanes());
  const auto boundary = RectangleBoundary(range.xMin, range.yMin, range.xMax, range.yMax);
  ReportOnView(view, TrimRegion(view.database(), *boundary, removed, UndoStep::Push, &progress));
}

template <TrimSide removed>
void TrimWithCircle(CFendoView& view) {
  CentreRadius& circle = view.app().Remembered<CircleTrimValues<removed>>().circle;
  if (!EditInDialog<CCentreRadiusDlg>(circle, &view)) return;
  // No circle at all: an outside trim would take every cut away.
  if (!(circle.radius > 0)) return;
  TransientProgress progress(view.frame().statusPanes());
  ReportOnView(view, TrimCircle(view.database(), {circle.x, circle.y, circle.z}, circle.radius, removed,
                                UndoStep::Push, &progress));
}

void TrimWithWindows(CFendoView& view, void (*run)(ViewInput&, InputSource&, UserPrompts&, Progress&)) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  TransientProgress progress(view.frame().statusPanes());
  run(view.input(), view.inputSource(), prompts, progress);
}

void TrimWithPolygon(CFendoView& view, TrimSide removed) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  TransientProgress progress(view.frame().statusPanes());
  RunPolygonTrim(view.input(), view.inputSource(), prompts, progress, removed);
}

void TrimWithPointFile(CFendoView& view, CommandId command, TrimSide removed) {
  // Each command opens where it was left last.
  const QString file = ChoosePointFileToOpen(&view, view.app().LastDialogPath(command));
  if (file.isEmpty()) return;
  MessageBoxPrompts prompts(&view);
  TransientProgress progress(view.frame().statusPanes());
  RunPointFileTrim(view.database(), view, LocalPath(file), removed, prompts, progress);
}

}  // namespace

void TrimInsideWindowCommand(CFendoView& view) { TrimWithWindows(view, &RunWindowInsideTrim); }
void TrimOutsideWindowCommand(CFendoView& view) { TrimWithWindows(view, &RunWindowOutsideTrim); }

void TrimInsideRectangleCommand(CFendoView& view) { TrimWithRectangle<TrimSide::Inside>(view); }
void TrimOutsideRectangleCommand(CFendoView& view) { TrimWithRectangle<TrimSide::Outside>(view); }

void TrimOutsideZRangeCommand(CFendoView& view) {
  TwoValues& band = view.app().Remembered<ZTrimValues>().band;
  if (!EditInDialog<CTwoValueDlg>(band, &view)) return;
  TransientProgress progress(view.frame().statusPanes());
  ReportOnView(view, TrimZBand(view.database(), {band.value1, band.value2}, UndoStep::Push, &progress));
}

void TrimInsideCircleCommand(CFendoView& view) { TrimWithCircle<TrimSide::Inside>(view); }
void TrimOutsideCircleCommand(CFendoView& view) { TrimWithCircle<TrimSide::Outside>(view); }

void TrimInsidePolygonCommand(CFendoView& view) { TrimWithPolygon(view, TrimSide::Inside); }
void TrimOutsidePolygonCommand(CFendoView& view) { TrimWithPolygon(view, TrimSide::Outside); }

void TrimInsideFilePolygonsCommand(CFendoView& view) {
  TrimWithPointFile(view, CommandId::TrimInsideFilePolygons, TrimSide::Inside);
}
void TrimOutsideFilePolygonsCommand(CFendoView& view) {
  TrimWithPointFile(view, CommandId::TrimOutsideFilePolygons, TrimSide::Outside);
}

}  // namespace fendo

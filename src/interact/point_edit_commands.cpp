#include "interact/point_edit_commands.h"

#include "core/toolpath_database.h"
#include "edit/contour_close.h"
#include "edit/rapid_window.h"
#include "interact/edit_report.h"
#include "interact/input_source.h"
#include "interact/path_loop.h"
#include "interact/region_input.h"
#include "view/status_texts.h"
#include "view/view_input.h"

namespace fendo {
namespace {

// Asks for record i's new values and makes the edit.
EditOutcome AskAndEdit(ToolpathDatabase& db, int i, PointEditMode& mode, FeedField feed, const AskPointValues& ask) {
  const std::optional<PointEditValues> entered = ask(PointEditValuesOf(db, i, mode));
  if (!entered) return EditOutcome::Unchanged;
  mode = entered->mode;
  return EditPoint(db, i, *entered, feed);
}

}  // namespace

EditOutcome RunPointChange(ViewInput& view, InputSource& input, UserPrompts& prompts, PointEditMode& mode,
                           const AskPointValues& ask) {
  input.Sleep(kPointChangePauseMs);
  EditOutcome outcome = EditOutcome::Unchanged;
  RunPointLoop(view, input, [&](int record) {
    outcome = AskAndEdit(view.database(), record, mode, FeedField::Applied, ask);
  });
  return ReportEdit(outcome, view.surface(), prompts);
}

EditOutcome RunEndPointChange(ViewInput& view, UserPrompts& prompts, ProgramEnd end, PointEditMode& mode,
                              const AskPointValues& ask) {
  ToolpathDatabase& db = view.database();
  const std::optional<int> record = end == ProgramEnd::Start ? FirstMotionRecord(db) : LastMotionRecord(db);
  if (!record) return EditOutcome::Unchanged;
  ViewSurface& surface = view.surface();
  surface.ShowHighlight({Highlight::Shape::Point, *record, *record + 1});
  ShowRecordStatus(surface, db, *record);
  const EditOutcome outcome = AskAndEdit(db, *record, mode, FeedField::Ignored, ask);
  surface.ClearHighlight();
  return ReportEdit(outcome, surface, prompts);
}

EditOutcome RunRapidsInWindow(ViewInput& view, InputSource& input, UserPrompts& prompts) {
  const std::optional<ScreenWindow> window = RunWindowInput(view, input);
  if (!window) return EditOutcome::Unchanged;
  return ReportEdit(RapidsInWindow(view.database(), window->first, window->second, view.view()), view.surface(),
                    prompts);
}

EditOutcome CloseContoursCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts) {
  const double largest = LargestRingGap(db);
  if (largest == 0) return EditOutcome::Unchanged;
  const std::optional<double> gap = prompts.AskValue(kContourGapCaption, largest);
  if (!gap) return EditOutcome::Unchanged;
  return ReportEdit(CloseContours(db, *gap), surface, prompts);
}

}  // namespace fendo

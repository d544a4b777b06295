#include "interact/offset_commands.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/user_prompts.h"
#include "edit/point_file.h"
#include "edit/point_offset.h"
#include "interact/edit_report.h"
#include "interact/region_input.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr double kSmallestWindow = 2;  // pixels wide and high: a click is no window

bool TooSmall(const ScreenWindow& window) {
  return std::fabs(window.second.x - window.first.x) < kSmallestWindow ||
         std::fabs(window.second.y - window.first.y) < kSmallestWindow;
}

}  // namespace

void RunOffsetInWindows(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by) {
  UndoStep undo = UndoStep::Push;
  while (const std::optional<ScreenWindow> window = RunWindowInput(view, input)) {
    if (TooSmall(*window)) return;
    const EditOutcome outcome = ReportEdit(
        OffsetInsideWindow(view.database(), window->first, window->second, view.view(), by, undo), view.surface(),
        prompts);
    if (outcome == EditOutcome::NoRoom) return;
    if (outcome == EditOutcome::Changed) undo = UndoStep::Skip;
  }
}

void RunOffsetInPolygon(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by) {
  const std::optional<std::vector<ClientPoint>> polygon = RunPolygonInput(view, input);
  if (!polygon) return;
  ReportEdit(OffsetInsideScreenPolygon(view.database(), *polygon, view.view(), by), view.surface(), prompts);
}

EditOutcome OffsetByPointFile(ToolpathDatabase& db, const std::filesystem::path& file, ViewSurface& surface,
                              UserPrompts& prompts, Point3 by) {
  std::string error;
  const std::optional<std::vector<std::vector<Point3>>> polygons = ReadPointFile(file, error);
  if (!polygons) {
    prompts.Message(kCannotOpenFileText, kErrorCaption, PromptIcon::Error);
    return EditOutcome::Refused;
  }
  return ReportEdit(OffsetInsidePolygons(db, *polygons, by), surface, prompts);
}

}  // namespace fendo

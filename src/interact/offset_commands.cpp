#include "interact/offset_commands.h"

#include <optional>
#include <string>
#include <vector>

#include "core/user_prompts.h"
#include "edit/point_file.h"
#include "edit/point_offset.h"
#include "interact/edit_report.h"
#include "interact/trim_input.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {

void RunOffsetInWindows(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by) {
  RunWindowLoop(view, input, prompts, CornerOutsideTheView::Taken, [&](const ScreenWindow& window, UndoStep undo) {
    return ReportEdit(OffsetInsideWindow(view.database(), window.first, window.second, view.view(), by, undo),
                      view.surface(), prompts);
  });
}

void RunOffsetInPolygon(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by) {
  const std::optional<std::vector<ClientPoint>> polygon = RunDrawnPolygonInput(view, input, prompts);
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

#include "interact/trim_commands.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "interact/edit_report.h"
#include "interact/region_input.h"
#include "interact/trim_input.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

bool IsUnrotatedTopView(const ViewState& view) {
  return view.angleA == 0 && view.angleB == 0 && view.angleC == 0;
}

EditOutcome TrimInView(ViewInput& view, const RegionBoundary& boundary, TrimSide removed, UndoStep undo,
                       UserPrompts& prompts, Progress& progress) {
  return ReportEdit(TrimRegion(view.database(), boundary, removed, undo, &progress), view.surface(), prompts);
}

}  // namespace

std::unique_ptr<RegionBoundary> WindowBoundary(ClientPoint a, ClientPoint b, const ViewState& view) {
  if (IsUnrotatedTopView(view)) {
    const Point3 p = *ScreenToModel(view, a);
    const Point3 q = *ScreenToModel(view, b);
    return RectangleBoundary(p.x, p.y, q.x, q.y);
  }
  const std::array<ClientPoint, 4> corners = {{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}};
  return ScreenPolygonBoundary(corners, view);
}

void RunWindowInsideTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress) {
  RunWindowLoop(view, input, prompts, CornerOutsideTheView::Asked, [&](const ScreenWindow& window, UndoStep undo) {
    const auto boundary = WindowBoundary(window.first, window.second, view.view());
    return TrimInView(view, *boundary, TrimSide::Inside, undo, prompts, progress);
  });
}

void RunWindowOutsideTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress) {
  const std::optional<ScreenWindow> window = RunWindowInput(view, input);
  if (!window || OutsideTheView(window->first) || OutsideTheView(window->second) ||
      TooSmallForATrim(window->first, window->second)) {
    return;
  }
  const auto boundary = WindowBoundary(window->first, window->second, view.view());
  TrimInView(view, *boundary, TrimSide::Outside, UndoStep::Push, prompts, progress);
}

void RunPolygonTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress, TrimSide removed) {
  const std::optional<std::vector<ClientPoint>> polygon = RunDrawnPolygonInput(view, input, prompts);
  if (!polygon) return;
  const auto boundary = ScreenPolygonBoundary(*polygon, view.view());
  TrimInView(view, *boundary, removed, UndoStep::Push, prompts, progress);
}

EditOutcome RunPointFileTrim(ToolpathDatabase& db, ViewSurface& surface, const std::filesystem::path& file,
                             TrimSide removed, UserPrompts& prompts, Progress& progress) {
  std::string error;
  const std::optional<std::vector<std::vector<Point3>>> polygons = ReadPointFile(file, error);
  if (!polygons) {
    std::string text(kCannotOpenFileText);
    text += error;
    prompts.Message(text, kErrorCaption, PromptIcon::Error);
    return EditOutcome::Refused;
  }
  return ReportEdit(TrimPolygons(db, *polygons, removed, UndoStep::Push, &progress), surface, prompts);
}

}  // namespace fendo

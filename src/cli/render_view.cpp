#include "cli/render_view.h"

#include <array>
#include <vector>

#include "cli/option_table.h"
#include "view/fit_view.h"
#include "view/view_options.h"

namespace fendo {
namespace {

struct NamedDirection {
  std::string_view name;
  ViewDirection direction;
};
constexpr std::array<NamedDirection, 7> kDirections = {{{"top", ViewDirection::Top},
                                                        {"front", ViewDirection::Front},
                                                        {"side", ViewDirection::Side},
                                                        {"iso1", ViewDirection::Iso1},
                                                        {"iso2", ViewDirection::Iso2},
                                                        {"iso3", ViewDirection::Iso3},
                                                        {"iso4", ViewDirection::Iso4}}};

}  // namespace

std::optional<ViewDirection> DirectionNamed(std::string_view name, std::string& error) {
  std::vector<std::string> names;
  for (const NamedDirection& d : kDirections) {
    if (d.name == name) return d.direction;
    names.emplace_back(d.name);
  }
  error = "--view takes " + JoinedList(names, " or ") + ", not " + std::string(name);
  return std::nullopt;
}

ViewState RenderViewState(ViewDirection direction) {
  ViewState view;
  view.clientWidth = kRenderWidth;
  view.clientHeight = kRenderHeight;
  ShowDirection(view, direction);
  return view;
}

ViewState FittedRenderView(ToolpathDatabase& db, ViewDirection direction) {
  ViewState view = RenderViewState(direction);
  FitView(db, view, ViewOptions{});
  return view;
}

}  // namespace fendo

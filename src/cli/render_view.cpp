#include "cli/render_view.h"

#include <array>

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

std::optional<ViewDirection> DirectionNamed(std::string_view name) {
  for (const NamedDirection& d : kDirections) {
    if (d.name == name) return d.direction;
  }
  return std::nullopt;
}

std::string UnknownDirectionText(std::string_view name) {
  return "--view takes top, front, side, iso1, iso2, iso3 or iso4, not " + std::string(name);
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

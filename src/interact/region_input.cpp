#include "interact/region_input.h"

#include <cmath>
#include <span>

#include "interact/input_source.h"
#include "interact/loop_prompts.h"
#include "interact/path_loop.h"
#include "view/show_prompt.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr int kFewestPolygonVertices = 3;

bool NotOnThePixelOf(ClientPoint last, ClientPoint p) {
  return std::floor(last.x) != std::floor(p.x) || std::floor(last.y) != std::floor(p.y);
}

}  // namespace

std::optional<ScreenWindow> RunWindowInput(ViewInput& view, InputSource& input) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kDragWindowPrompt);
  // The first corner: where the left button goes down.
  while (!input.IsDown(Key::LeftButton)) {
    if (input.IsDown(Key::Esc)) return std::nullopt;
    input.Sleep(kPollMilliseconds);
  }
  ScreenWindow window{input.CursorPosition(), {}};
  // The drag, up to the release.
  while (input.IsDown(Key::LeftButton)) {
    if (input.IsDown(Key::Esc)) {
      surface.HideRubberBand();
      return std::nullopt;
    }
    surface.ShowRubberBand(window.first, input.CursorPosition());
    input.Sleep(kPollMilliseconds);
  }
  window.second = input.CursorPosition();
  surface.HideRubberBand();
  return window;
}

std::optional<std::vector<ClientPoint>> RunPolygonDrawing(ViewInput& view, InputSource& input,
                                                          const PolygonDrawing& rules) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kDrawPolygonPrompt);
  std::vector<ClientPoint> vertices;
  const auto finish = [&surface](std::optional<std::vector<ClientPoint>> polygon) {
    surface.ShowPolygon({});
    return polygon;
  };
  // A vertex is taken when the button goes down, not for every poll that finds it held.
  bool buttonWasDown = false;
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc && !rules.escCloses) return finish(std::nullopt);
    if (key == Key::Enter || key == Key::Esc) {
      if (static_cast<int>(vertices.size()) < kFewestPolygonVertices) return finish(std::nullopt);
      return finish(std::move(vertices));
    }
    const bool buttonDown = input.IsDown(Key::LeftButton);
    if (buttonDown && !buttonWasDown) {
      const ClientPoint p = input.CursorPosition();
      if (rules.askOutside && OutsideTheView(p)) {
        if (rules.askOutside()) return finish(std::nullopt);
      } else if (vertices.empty() || rules.apart(vertices.back(), p)) {
        if (static_cast<int>(vertices.size()) == rules.mostVertices) return finish(std::nullopt);
        vertices.push_back(p);
        surface.ShowPolygon(vertices);
      }
    }
    buttonWasDown = buttonDown;
    input.Sleep(kPollMilliseconds);
  }
}

std::optional<std::vector<ClientPoint>> RunPolygonInput(ViewInput& view, InputSource& input) {
  return RunPolygonDrawing(view, input, {.mostVertices = kMostPolygonVertices, .apart = NotOnThePixelOf});
}

}  // namespace fendo

#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "view/view_surface.h"

namespace fendo::test {

// Keeps what the view's input handling and the loops asked the window to show.
class RecordingSurface : public ViewSurface {
 public:
  int redraws = 0;
  int dragFrames = 0;
  std::optional<std::pair<ClientPoint, ClientPoint>> rubberBand;
  std::vector<ClientPoint> polygon;
  int polygonUpdates = 0;
  std::optional<Highlight> highlight;
  std::vector<Highlight> highlightsShown;  // every highlight in the order shown
  std::vector<int> tools;                  // records the tool was drawn at
  std::map<ViewStatusPane, std::string> panes;
  std::vector<std::string> prompts;        // every text of the prompt pane, in order

  void Redraw() override {
    ++redraws;
    highlight.reset();
  }
  void RedrawDragFrame() override { ++dragFrames; }
  void ShowRubberBand(ClientPoint a, ClientPoint b) override { rubberBand = {a, b}; }
  void HideRubberBand() override { rubberBand.reset(); }
  void ShowPolygon(std::span<const ClientPoint> vertices) override {
    polygon.assign(vertices.begin(), vertices.end());
    ++polygonUpdates;
  }
  void ShowHighlight(const Highlight& h) override {
    highlight = h;
    highlightsShown.push_back(h);
  }
  void ClearHighlight() override { highlight.reset(); }
  void ShowTool(int record) override { tools.push_back(record); }
  void SetStatusText(ViewStatusPane pane, std::string_view text) override {
    panes[pane] = std::string(text);
    if (pane == ViewStatusPane::Prompt) prompts.emplace_back(text);
  }

  std::string Pane(ViewStatusPane pane) const {
    const auto found = panes.find(pane);
    return found == panes.end() ? std::string() : found->second;
  }
};

// A clock that moves only when told to.
class ManualTicks : public TickSource {
 public:
  std::int64_t now = 0;
  std::int64_t TickCount() override { return now; }
};

}  // namespace fendo::test

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/statistics.h"
#include "core/toolpath_text.h"
#include "view/draw_highlight.h"
#include "view/draw_tool.h"
#include "view/draw_toolpaths.h"
#include "view/draw_view.h"
#include "view/feed_bands.h"
#include "view/fit_view.h"
#include "view/layer_text.h"
#include "view/pens.h"
#include "view/recording_canvas.h"
#include "view/sample_program.h"

namespace fendo {
namespace {

using K = MoveKind;
using test::Fill;
using test::Rec;
using test::RecordingCanvas;
using test::TopView;

Pen P(int number, bool inverted = false) { return ViewPen(number, inverted); }

RecordingCanvas DrawPaths(ToolpathDatabase& db, const ViewState& view, const ViewOptions& options = {},
                          const LayerColours& colours = DefaultLayerColours()) {
  RecordingCanvas canvas;
  {
    LineBatch lines(canvas);
    DrawToolpaths(lines, db, view, options, colours);
  }
  return canvas;
}

void StoreLayer(ToolpathDatabase& db, int slot, const std::vector<ToolpathRecord>& records) {
  ASSERT_TRUE(db.layers[slot].points.Allocate(static_cast<int>(records.size())));
  std::copy(records.begin(), records.end(), db.layers[slot].points.data());
}

void Select(ToolpathDatabase& db, int i) {
  db.ReadRecord(i);
  db.cursor.selected = 1;
  db.WriteRecord(i);
}

TEST(FeedBands, PenByRatioOfFeedToWorkFeed) {
  struct Case {
    const char* what;
    int feed, workFeed;
    std::optional<int> pen;
  };
  const Case cases[] = {
      {"130 at 150 is 0.867: band 2", 130, 150, 2},
      {"exactly the work feed: band 1", 150, 150, 1},
      {"a hundred times the work feed: still band 1", 15000, 150, 1},
      {"beyond a hundred times: no band", 15001, 150, std::nullopt},
      {"0.87 exactly belongs to band 2", 87, 100, 2},
      {"0.75 belongs to band 3", 75, 100, 7},
      {"0.62 belongs to band 4", 62, 100, 8},
      {"0.5 belongs to band 5", 50, 100, 10},
      {"0.37 belongs to band 6", 37, 100, 9},
      {"0.25 belongs to band 7", 25, 100, 3},
      {"a feed of 0 is the slowest band", 0, 100, 3},
      {"a negative feed: no band", -5, 100, std::nullopt},
      {"no work feed: the feed-less pen", 500, 0, 9},
  };
  for (const Case& c : cases) EXPECT_EQ(FeedBandPen(c.feed, c.workFeed), c.pen) << c.what;
}

TEST(FeedBands, LegendLinesFastestFirstUpFromTheBottomLeft) {
  const std::vector<LegendLine> legend = FeedLegend(1000, 600, false);
  const char* texts[] = {"Feed : 870 ~ 1000", "Feed : 750 ~ 870", "Feed : 620 ~ 750", "Feed : 500 ~ 620",
                         "Feed : 370 ~ 500",  "Feed : 250 ~ 370", "Feed : 0 ~ 250"};
  ASSERT_EQ(legend.size(), 7u);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(legend[k].text, texts[k]);
    EXPECT_EQ(legend[k].topLeft, (DevicePoint{10, 580 - 15 * k}));
  }
  EXPECT_EQ(legend[0].colour, (Rgb{255, 255, 255}));
  EXPECT_EQ(FeedLegend(1000, 600, true)[0].colour, (Rgb{0, 0, 0}));
  // The two blue bands' lines are written in the blue of their own pens' lightness: the
  // lighter blue names the slower band, drawn with the lighter pen.
  const Rgb colours[] = {{255, 255, 255}, {192, 192, 192}, {0, 255, 0}, {0, 128, 0},
                         {0, 0, 150},     {0, 0, 255},     {255, 0, 0}};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(legend[k].colour, colours[k]) << legend[k].text;
}

TEST(Pens, InversionSwapsOnlyBlackAndWhite) {
  EXPECT_EQ(P(0, true).colour, (Rgb{255, 255, 255}));
  EXPECT_EQ(P(1, true).colour, (Rgb{0, 0, 0}));
  EXPECT_EQ(P(5, true), P(5));
  EXPECT_EQ(P(5).style, LineStyle::Dashed);
  EXPECT_EQ(P(12).colour, (Rgb{200, 200, 0}));
  EXPECT_EQ(BackgroundColour(true), (Rgb{255, 255, 255}));
}

TEST(DrawToolpaths, ArcsAreCutIntoAChordAboutEveryThreePixels) {
  // A G02 of radius 10 and sweep 90 degrees: 15.7 mm long.
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 10, 0), Rec(K::ArcCw, 10, 0, 0, 300), Rec(K::CentreXY, 0, -10, 0)});
  ViewState view = TopView();
  RecordingCanvas canvas = DrawPaths(db, view);
  std::vector<std::pair<DevicePoint, DevicePoint>> arc = canvas.SegmentsIn(P(1));
  ASSERT_EQ(arc.size(), 6u);
  EXPECT_EQ(arc.front().first, (DevicePoint{100, 90}));
  EXPECT_EQ(arc.back().second, (DevicePoint{110, 100}));
  for (const auto& [a, b] : arc) {
    // Every chord point lies on the circle round the centre pixel (100, 100), clockwise.
    EXPECT_NEAR(std::hypot(b.x - 100, b.y - 100), 10, 0.75);
    EXPECT_GE(b.x, a.x);
  }

  view.scale = 2;
  view.clientWidth = 400;
  view.clientHeight = 400;
  EXPECT_EQ(DrawPaths(db, view).SegmentsIn(P(1)).size(), 11u);  // 31.4 / 3 + 1
}

TEST(DrawToolpaths, RapidMovesAreDashedOrMovedOver) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  db.workFeed = 200;
  const DevicePoint endOfA{150, 50};
  const DevicePoint startOfB{50, 150};

  const RecordingCanvas shown = DrawPaths(db, TopView());
  EXPECT_TRUE(shown.Drew(P(kRapidPen), endOfA, startOfB));

  const RecordingCanvas hidden = DrawPaths(db, TopView(), ViewOptions{.rapidShown = false, .tool = {}});
  EXPECT_TRUE(hidden.SegmentsIn(P(kRapidPen)).empty());
  // The cut of path B still starts where the hidden rapid moves left the pen.
  EXPECT_TRUE(hidden.Drew(P(1), startOfB, {100, 150}));
  for (const auto& line : hidden.lines) {
    for (std::size_t k = 1; k < line.points.size(); ++k) {
      EXPECT_FALSE(line.points[k - 1] == endOfA && line.points[k] == startOfB);
    }
  }
}

TEST(DrawToolpaths, ARapidMoveRightAfterPenUpBecomesARapidStartInTheWorkBuffer) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::Rapid, 0, 0, 10), Rec(K::Rapid, 10, 0, 10), Rec(K::FeedStart, 10, 0, 0, 300),
            Rec(K::Feed, 20, 0, 0, 300)});
  const RecordingCanvas canvas = DrawPaths(db, TopView());
  ASSERT_TRUE(db.ReadRecord(0));
  EXPECT_EQ(db.cursor.kind, K::RapidStart);
  ASSERT_TRUE(db.ReadRecord(1));
  EXPECT_EQ(db.cursor.kind, K::Rapid);
  // The pen only went down at the first record: the first line leaves from it.
  EXPECT_TRUE(canvas.Drew(P(kRapidPen), {100, 100}, {110, 100}));
  ASSERT_EQ(canvas.lines.size(), 2u);

  // A stored layer is never rewritten; before its pen first goes down, everything but a
  // linear feed only puts the pen down.
  ToolpathDatabase layered;
  StoreLayer(layered, 3, {Rec(K::ArcCcw, 5, 5, 10, 300), Rec(K::CentreXY, 0, 5, 0), Rec(K::Feed, 20, 0, 0, 300)});
  StoreLayer(layered, 6, {Rec(K::Rapid, 0, 0, 10), Rec(K::Rapid, 0, 10, 10)});
  const RecordingCanvas stored = DrawPaths(layered, TopView());
  EXPECT_EQ(layered.layers[3].points.data()[0].kind, K::ArcCcw);
  EXPECT_EQ(layered.layers[6].points.data()[0].kind, K::Rapid);
  EXPECT_TRUE(stored.Drew(P(1), {105, 95}, {120, 100}));
  EXPECT_EQ(stored.SegmentsIn(P(1)).size(), 1u);
  EXPECT_TRUE(stored.Drew(P(kRapidPen), {100, 100}, {100, 90}));
}

TEST(DrawToolpaths, LayersShownAreDrawnAndNeverJoined) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 10, 0, 0, 300)});
  StoreLayer(db, 2, {Rec(K::FeedStart, 0, 20, 0, 300), Rec(K::Feed, 10, 20, 0, 300)});
  StoreLayer(db, 4, {Rec(K::RapidStart, 0, 40, 0), Rec(K::FeedStart, 10, 40, 0, 300)});
  db.layers[4].layerOn = false;
  const RecordingCanvas canvas = DrawPaths(db, TopView());
  EXPECT_TRUE(canvas.Drew(P(1), {100, 100}, {110, 100}));
  EXPECT_TRUE(canvas.Drew(P(1), {100, 80}, {110, 80}));
  EXPECT_FALSE(canvas.Drew(P(1), {110, 100}, {100, 80}));  // no line from one layer into the next
  EXPECT_FALSE(canvas.Drew(P(1), {100, 60}, {110, 60}));   // layer 4 is switched off
}

TEST(DrawToolpaths, PointsFarOffTheWindowArePassedOverWithoutMovingThePen) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 10, 0, 0, 300), Rec(K::Feed, 5000, 0, 0, 300),
            Rec(K::Feed, 20, 0, 0, 300)});
  ViewState view = TopView();
  view.scale = 10;  // the record at x = 5000 lies 50000 pixels right of the centre
  const RecordingCanvas canvas = DrawPaths(db, view);
  EXPECT_TRUE(canvas.Drew(P(1), {200, 100}, {300, 100}));
  for (const auto& line : canvas.lines) {
    for (const DevicePoint p : line.points) EXPECT_LE(std::abs(p.x), 30100);
  }
}

TEST(DrawToolpaths, WorkFeedBecomesTheHighestCuttingFeed) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0, 9000), Rec(K::FeedStart, 10, 0, 0, 450), Rec(K::ArcCcw, 20, 10, 0, 800),
            Rec(K::CentreXY, 0, 10, 0), Rec(K::Feed, 30, 0, 0, 600)});
  db.workFeed = 300;
  const RecordingCanvas canvas = DrawPaths(db, TopView());
  EXPECT_EQ(db.workFeed, 800);
  // The picture itself was coloured by the work feed it started with: 450 / 300 is band 1.
  EXPECT_TRUE(canvas.Drew(P(1), {100, 100}, {110, 100}));

  ToolpathDatabase feedless;
  Fill(feedless, {Rec(K::RapidStart, 0, 0, 0, 9000), Rec(K::FeedStart, 10, 0, 0, 1)});
  feedless.workFeed = 300;
  DrawPaths(feedless, TopView());
  EXPECT_EQ(feedless.workFeed, 300);
}

TEST(DrawToolpaths, SelectionAndLayerColours) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  db.workFeed = 200;
  Select(db, 3);  // same feed as the plunge before it
  Select(db, 8);  // the arc of path B
  const RecordingCanvas byFeed = DrawPaths(db, TopView());
  EXPECT_TRUE(byFeed.Drew(P(kSelectedPen), {50, 50}, {150, 50}));
  EXPECT_TRUE(byFeed.Drew(P(1), {50, 150}, {100, 150}));  // 200 against work feed 200
  // After the selected record, the next record of the same feed is in its band again.
  EXPECT_TRUE(byFeed.Drew(P(1), {160, 130}, {160, 70}));

  db.layers.colourByLayer = true;
  LayerColours colours = DefaultLayerColours();
  colours[0] = 4;  // "Red"
  const RecordingCanvas byLayer = DrawPaths(db, TopView(), {}, colours);
  EXPECT_TRUE(byLayer.Drew(P(3), {50, 50}, {150, 50}));        // selection not shown on lines
  EXPECT_TRUE(byLayer.Drew(P(3), {50, 150}, {100, 150}));
  // The selected arc: 11 chords in the axis pen, as it had in the selection pen.
  EXPECT_EQ(byLayer.SegmentsIn(P(kAxisPen)).size(), 11u);
  EXPECT_EQ(byFeed.SegmentsIn(P(kSelectedPen)).size(), 1u + 11u);
  EXPECT_TRUE(byLayer.SegmentsIn(P(kSelectedPen)).empty());
}

TEST(DrawView, PictureInOrderWithLegendToolAndInversion) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0, 1000), Rec(K::Feed, 50, 0, 0, 1000)});
  const ViewState view = TopView();
  RecordingCanvas canvas;
  DrawView(canvas, db, view, ViewOptions{.layerTextShown = false, .tool = {}}, {});
  EXPECT_EQ(canvas.fills, std::vector<Rgb>{BackgroundColour(false)});
  ASSERT_EQ(canvas.texts.size(), 3u + 7u);  // the axis letters, then the legend
  EXPECT_EQ(canvas.texts[3].text, "Feed : 870 ~ 1000");
  EXPECT_EQ(canvas.texts[3].topLeft, (DevicePoint{10, 180}));
  EXPECT_EQ(canvas.lines.front().pen, P(kAxisPen));
  EXPECT_EQ(canvas.lines.back().pen, P(kToolPen));

  RecordingCanvas inverted;
  DrawView(inverted, db, view, ViewOptions{.backgroundInverted = true, .feedLegendShown = false, .layerTextShown = false, .tool = {}},
           {});
  EXPECT_EQ(inverted.fills, std::vector<Rgb>{BackgroundColour(true)});
  EXPECT_TRUE(inverted.Drew(P(1, true), {100, 100}, {150, 100}));
  EXPECT_EQ(inverted.texts.size(), 3u);

  db.layers.colourByLayer = true;
  RecordingCanvas byLayer;
  DrawView(byLayer, db, view, ViewOptions{.layerTextShown = false, .tool = {}}, {});
  EXPECT_EQ(byLayer.texts.size(), 3u);  // no feed legend while layers are drawn in their colours
}

TEST(DrawView, EmptyDatabaseDrawsAxesAndLegendOnly) {
  ToolpathDatabase db;
  RecordingCanvas canvas;
  DrawView(canvas, db, TopView(), {}, {});
  for (const auto& line : canvas.lines) EXPECT_EQ(line.pen, P(kAxisPen));
  EXPECT_EQ(canvas.texts.size(), 3u + 7u);
}

TEST(LayerText, FileNamesAtTheLeftAndTheWorkLayerAtTheRight) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0)});
  LayerSlot& work = db.layers[0];
  work.fileName = "/nc/part.nc";
  work.toolNumber = 3;
  work.spindle = 0;
  work.programNumber = 0;
  work.comment = "ROUGH \r\n  D10 FLAT\r\n";
  StoreLayer(db, 2, {Rec(K::RapidStart, 0, 0, 0)});
  db.layers[2].fileName = "second.nc";
  StoreLayer(db, 5, {Rec(K::RapidStart, 0, 0, 0)});
  db.layers[5].layerOn = false;
  StoreLayer(db, 99, {Rec(K::RapidStart, 0, 0, 0)});

  const std::vector<LayerTextLine> lines = LayerText(db, DefaultLayerColours(), 800, 600, false, kScreenLayerText);
  const std::vector<std::pair<std::string, DevicePoint>> expected = {
      {"/nc/part.nc", {10, 10}},           {"second.nc", {10, 25}},       {"Layer Name : Layer 0", {500, 10}},
      {"File Name : /nc/part.nc", {500, 25}}, {"Tool num : 3", {500, 40}}, {"Comment : ", {500, 55}},
      {"ROUGH", {520, 70}},                {"D10 FLAT", {520, 85}}};
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    EXPECT_EQ(lines[k].text, expected[k].first);
    EXPECT_EQ(lines[k].topLeft, expected[k].second) << lines[k].text;
  }
  EXPECT_EQ(lines[1].colour, (Rgb{0, 255, 0}));  // layer 2: "Green"

  work.comment = "ONE LINE\r\n";
  const std::vector<LayerTextLine> printed = LayerText(db, DefaultLayerColours(), 5000, 7000, false, kPrintedLayerText);
  EXPECT_EQ(printed.back().text, "Comment : ONE LINE");
  EXPECT_EQ(printed.back().topLeft, (DevicePoint{3800, 10 + 3 * 60}));

  // A comment from a Korean Windows machine (CP949) is drawn in UTF-8, as the canvas takes text.
  work.comment = "\xC8\xB2\xBB\xE8 D10\r\n\xB0\xF8\xB1\xB8 T3\r\n";
  const std::vector<LayerTextLine> korean = LayerText(db, DefaultLayerColours(), 800, 600, false, kScreenLayerText);
  ASSERT_GE(korean.size(), 2u);
  EXPECT_EQ(korean[korean.size() - 2].text, "황삭 D10");
  EXPECT_EQ(korean.back().text, "공구 T3");

  db.layers[0].layerOn = false;
  EXPECT_EQ(LayerText(db, DefaultLayerColours(), 800, 600, false, kScreenLayerText).size(), 1u);
}

// The layer text DrawView puts on a view 800 wide and `height` high, after the axis letters.
std::vector<RecordingCanvas::TextCall> DrawnLayerText(ToolpathDatabase& db, int height) {
  ViewState view = TopView();
  view.clientWidth = 800;
  view.clientHeight = height;
  RecordingCanvas canvas;
  DrawView(canvas, db, view, ViewOptions{.feedLegendShown = false, .tool = {}}, {});
  return {canvas.texts.begin() + 3, canvas.texts.end()};
}

// A program with more comment lines than the view is high (a long one with repeated headers
// gathers millions) keeps its text inside the view: the last row that fits says how many lines
// were left out. The view is 12 rows of 15 pixels below the top margin at a height of 200.
TEST(LayerText, StopsAtTheBottomOfTheViewAndSaysHowManyLinesItLeftOut) {
  struct Case {
    const char* what;
    int height;
    int commentLines;
    std::size_t rows;  // of the work layer's block
    std::string last;
    DevicePoint lastTopLeft;
  };
  const Case cases[] = {
      {"three header lines and nine comment lines fill the view", 200, 9, 12, "LINE 9", {520, 175}},
      {"one line more: the last row counts the two left out", 200, 10, 12, "... 외 2줄 생략", {500, 175}},
      {"a million comment lines", 200, 1'000'000, 12, "... 외 999992줄 생략", {500, 175}},
      {"room for one row: only the count", 25, 10, 1, "... 외 13줄 생략", {500, 10}},
      {"room for none: nothing", 24, 10, 0, "", {}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 0, 0, 0)});
    LayerSlot& work = db.layers[0];
    work.fileName = "/nc/part.nc";
    work.programNumber = work.toolNumber = work.spindle = 0;
    for (int line = 1; line <= c.commentLines; ++line) work.comment += "LINE " + std::to_string(line) + "\r\n";

    std::vector<RecordingCanvas::TextCall> block;
    for (const auto& text : DrawnLayerText(db, c.height)) {
      if (text.topLeft.x >= 500) block.push_back(text);
    }
    ASSERT_EQ(block.size(), c.rows) << c.what;
    if (block.empty()) continue;
    EXPECT_EQ(block.back().text, c.last) << c.what;
    EXPECT_EQ(block.back().topLeft, c.lastTopLeft) << c.what;
    EXPECT_EQ(block.back().colour, block.front().colour) << c.what;
  }
}

TEST(LayerText, TheFileNameListStopsAtTheBottomOfTheViewToo) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0)});
  for (int layer = 0; layer < 20; ++layer) {
    if (layer > 0) StoreLayer(db, layer, {Rec(K::RapidStart, 0, 0, 0)});
    std::array<char, 16> name{};
    std::snprintf(name.data(), name.size(), "L%d.nc", layer);
    db.layers[layer].fileName = name.data();
  }
  std::vector<RecordingCanvas::TextCall> names;
  for (const auto& text : DrawnLayerText(db, 200)) {
    if (text.topLeft.x == 10) names.push_back(text);
  }
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[10].text, "L10.nc");
  EXPECT_EQ(names[11].text, "... 외 9줄 생략");
  EXPECT_EQ(names[11].topLeft, (DevicePoint{10, 175}));
  EXPECT_EQ(names[11].colour, DrawnLayerText(db, 1000)[11].colour) << "in the colour of the first layer left out";
}

TEST(FitView, FitsWhatIsDrawn) {
  ToolpathDatabase db;
  ViewState view = TopView();
  view.clientWidth = 800;
  view.clientHeight = 400;

  FitView(db, view, {});  // nothing: ±20 mm
  EXPECT_DOUBLE_EQ(view.scale, 10);
  EXPECT_EQ(view.panX, 0);

  Fill(db, {Rec(K::RapidStart, 7, -3, 0)});
  FitView(db, view, {});  // one point: 10 pixels per mm, centred
  EXPECT_DOUBLE_EQ(view.scale, 10);
  EXPECT_EQ(view.panX, 7);
  EXPECT_EQ(view.panY, 3);

  Fill(db, {Rec(K::FeedStart, 0, 0, 0, 100), Rec(K::Feed, 1, 0.5, 0, 100)});
  FitView(db, view, {});  // 1 mm wide in 800 pixels: capped at 500
  EXPECT_DOUBLE_EQ(view.scale, 500);

  // The rapid moves count only while shown; centre records hold offsets, not points.
  Fill(db, {Rec(K::RapidStart, -100, 0, 50), Rec(K::FeedStart, 10, 0, 0, 100), Rec(K::ArcCcw, 30, 20, 0, 100),
            Rec(K::CentreXY, 0, 20, 0)});
  FitView(db, view, ViewOptions{.rapidShown = false, .tool = {}});
  EXPECT_DOUBLE_EQ(view.scale, 20);  // 20 × 20 mm in 800 × 400 pixels
  EXPECT_EQ(view.panX, 20);
  EXPECT_EQ(view.panY, -10);
  FitView(db, view, {});
  EXPECT_DOUBLE_EQ(view.scale, 800.0 / 130);
  EXPECT_EQ(view.panX, -35);

  // Other layers count while they are switched on.
  StoreLayer(db, 7, {Rec(K::RapidStart, 0, -200, 0)});
  FitView(db, view, ViewOptions{.rapidShown = true, .tool = {}});
  EXPECT_EQ(view.panY, 90);
}

TEST(DrawTool, AWireFrameOfTheCutterAroundTheRecord) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  RecordingCanvas canvas;
  DrawTool(canvas, db, TopView(), ToolShape{.type = ToolType::Flat, .radius = 5}, 3, false);
  ASSERT_FALSE(canvas.lines.empty());
  for (const auto& line : canvas.lines) {
    EXPECT_EQ(line.pen, P(kToolPen));
    for (const DevicePoint p : line.points) EXPECT_LE(std::hypot(p.x - 150, p.y - 50), 5.8);
  }
  RecordingCanvas none;
  DrawTool(none, db, TopView(), ToolShape{}, 9, false);  // a centre record
  EXPECT_TRUE(none.lines.empty());
}

TEST(DrawHighlight, MoveCrossAndPath) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  RecordingCanvas point;
  DrawHighlight(point, db, TopView(), {Highlight::Shape::Point, 3, 0}, false);
  EXPECT_TRUE(point.Drew(P(kHighlightPen), {145, 50}, {155, 50}));
  EXPECT_TRUE(point.Drew(P(kHighlightPen), {150, 45}, {150, 55}));

  RecordingCanvas arc;
  DrawHighlight(arc, db, TopView(), {Highlight::Shape::Segment, 8, 0}, false);
  ASSERT_EQ(arc.lines.size(), 1u);
  EXPECT_EQ(arc.lines[0].points.front(), (DevicePoint{100, 150}));
  EXPECT_EQ(arc.lines[0].points.back(), (DevicePoint{120, 130}));
  EXPECT_EQ(arc.lines[0].points.size(), 12u);  // 31.4 mm: 11 chords

  RecordingCanvas path;
  DrawHighlight(path, db, TopView(), {Highlight::Shape::Path, 6, 10}, false);
  EXPECT_TRUE(path.Drew(P(kHighlightPen), {50, 150}, {100, 150}));
  EXPECT_FALSE(path.Drew(P(kHighlightPen), {150, 50}, {50, 150}));  // the rapid before it is not
}

TEST(DrawDragFrame, BackgroundAxesAndTheBoundingBox) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  ComputeStatistics(db);
  RecordingCanvas canvas;
  DrawDragFrame(canvas, db, TopView(), {});
  EXPECT_EQ(canvas.fills.size(), 1u);
  // The feed extents: x −50 … 60, y −50 … 50.
  EXPECT_TRUE(canvas.Drew(P(kDefaultPen), {50, 150}, {160, 150}));
  EXPECT_TRUE(canvas.Drew(P(kDefaultPen), {160, 150}, {160, 50}));

  ToolpathDatabase empty;
  RecordingCanvas axesOnly;
  DrawDragFrame(axesOnly, empty, TopView(), {});
  for (const auto& line : axesOnly.lines) EXPECT_EQ(line.pen, P(kAxisPen));
}

}  // namespace
}  // namespace fendo

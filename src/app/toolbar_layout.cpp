#include "app/toolbar_layout.h"

namespace fendo {
namespace {

using enum CommandId;
constexpr CommandId kSeparator = kToolBarSeparator;

constexpr CommandId kMain[] = {NewWindow, OpenNcData, AddNcData, Save, kSeparator, Print};
constexpr CommandId kUndo[] = {Undo, Redo};
constexpr CommandId kDirections[] = {ViewTop, ViewFront, ViewSide, ViewIso1, ViewIso2, ViewIso3, ViewIso4};
constexpr CommandId kView[] = {ShowRapids,      FitView,      kSeparator, ZoomOut,       ZoomIn,        kSeparator,
                               ShowMasterModel, kSeparator,   SelectMode, PanMode,       RotateMode,    kSeparator,
                               ChooseWorkLayer, LayerColours, LayerEcho,  ColourByLayer, ShowLayerText, ViewInEditor};
constexpr CommandId kFeed[] = {ShowFeedColours, ToolSimulation, ToolShape};
constexpr CommandId kEdit[] = {WholePathFeed,   RebuildRapids, SortPaths,           Pencil,
                               SuppressZMoves,  DeletePoint,   DeleteOnePath,       DeleteMiddlePaths,
                               DeleteByXyAngle, DeleteBySlope, DeletePathsByLength, ChangePoint};
constexpr CommandId kTrim[] = {TrimInsideWindow,  TrimOutsideWindow,  TrimInsideCircle,  TrimOutsideCircle,
                               TrimInsidePolygon, TrimOutsidePolygon, TrimOutsideZRange, ChangePlunge,
                               SubdividePoints,   MoveOrCopyToolpath, ReverseDirection,  StartPointOfAllPaths};

constexpr ToolBarLayout kToolBars[] = {
    {128, kMain, ToolBarDock::Top},  {159, kUndo, ToolBarDock::Top},  {161, kDirections, ToolBarDock::Top},
    {205, kView, ToolBarDock::Top},  {163, kFeed, ToolBarDock::Top},  {207, kEdit, ToolBarDock::Left},
    {165, kTrim, ToolBarDock::Left},
};

}  // namespace

std::span<const ToolBarLayout> ToolBars() { return kToolBars; }

}  // namespace fendo

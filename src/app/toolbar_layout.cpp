#include "app/toolbar_layout.h"

namespace fendo {
namespace {

constexpr int kMain[] = {57600, 32947, 32948, 57603, 0, 57607};
constexpr int kUndo[] = {32804, 32855};
constexpr int kDirections[] = {32772, 32773, 32774, 32775, 32776, 32780, 32777};
constexpr int kView[] = {32835, 32778, 0,     32878, 32877, 0,     33003, 0,     32940,
                         32939, 32938, 0,     33014, 33013, 33018, 33012, 33025, 32926};
constexpr int kFeed[] = {33033, 32841, 32838};
constexpr int kEdit[] = {32825, 32803, 32828, 32819, 32834, 32794, 32795, 32796, 32799, 32831, 32801, 32805};
constexpr int kTrim[] = {32783, 32784, 32788, 32789, 32790, 32791, 32787, 65535, 32826, 32827, 32820, 32824};

constexpr ToolBarLayout kToolBars[] = {
    {128, kMain, ToolBarDock::Top},  {159, kUndo, ToolBarDock::Top},  {161, kDirections, ToolBarDock::Top},
    {205, kView, ToolBarDock::Top},  {163, kFeed, ToolBarDock::Top},  {207, kEdit, ToolBarDock::Left},
    {165, kTrim, ToolBarDock::Left},
};

}  // namespace

std::span<const ToolBarLayout> ToolBars() { return kToolBars; }

}  // namespace fendo

#pragma once

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "core/view_state.h"

namespace fendo::test {

// A top view 200 × 200 pixels at 1 pixel per mm: model (x, y) is client (100 + x, 100 − y).
inline ViewState TopView() { return ViewState{.angleA = 0, .angleB = 0, .angleC = 0, .clientWidth = 200, .clientHeight = 200}; }

// Three paths in the standard form, seen in TopView:
//   path A, records 2…3: a plunge at client (50, 50), then a cut to (150, 50);
//   path B, records 6…9: a plunge at (50, 150), a cut to (100, 150), then a G03 quarter arc of
//           radius 20 around (100, 130) up to (120, 130);
//   path C, records 12…13: a plunge at (160, 130), a cut up to (160, 70).
// The rapid move 5 crosses the window diagonally from (150, 50) to (50, 150).
inline void FillThreePaths(ToolpathDatabase& db) {
  using K = MoveKind;
  Fill(db, {
               Rec(K::RapidStart, -50, 50, 10), Rec(K::Rapid, -50, 50, 1),                       // 0, 1
               Rec(K::FeedStart, -50, 50, 0, 200), Rec(K::Feed, 50, 50, 0, 200),                 // 2, 3
               Rec(K::RapidStart, 50, 50, 10), Rec(K::Rapid, -50, -50, 10),                      // 4, 5
               Rec(K::FeedStart, -50, -50, 0, 200), Rec(K::Feed, 0, -50, 0, 200),                // 6, 7
               Rec(K::ArcCcw, 20, -30, 0, 200), Rec(K::CentreXY, 0, 20, 0),                      // 8, 9
               Rec(K::RapidStart, 20, -30, 10), Rec(K::Rapid, 60, -30, 10),                      // 10, 11
               Rec(K::FeedStart, 60, -30, 0, 200), Rec(K::Feed, 60, 30, 0, 200),                 // 12, 13
               Rec(K::RapidStart, 60, 30, 10),                                                   // 14
           });
}

}  // namespace fendo::test

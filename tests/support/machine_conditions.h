#pragma once

#include "feed/machine_condition.h"

namespace fendo::test {

// A machine condition in which every setting a *.qel file carries differs from its default,
// each exactly representable with six decimals: a round trip that drops or mixes up any one of
// them shows.
inline MachineCondition UnusualMachineCondition() {
  MachineCondition c;
  c.toolDiameter = 6.5f;
  c.safetyDistance = 2.25f;
  c.cornerMinAngle = 15;
  c.cornerMaxReduction = 0.25f;
  c.slopeMinAngle = 20;
  c.slopeMaxReduction = 0.5f;
  c.plungeFeed = 450;
  c.qelMaxFeed = 3200;
  c.material = "SKD61";
  c.qelByMaster = 1;
  c.conCorChk = 0;
  c.upDownChk = 0;
  c.feedChgSmoothCheck = 1;
  c.xyChgReduceCheck = 1;
  c.feedUnit = 50;
  c.corWeight0 = 0.875f;
  c.corWeight30 = 0.5f;
  c.corWeight60 = 0.125f;
  c.sideWeight0 = 0.75f;
  c.sideWeight30 = 0.375f;
  c.sideWeight60 = 0.0625f;
  c.zupZdown = 0.5f;
  c.sideCorRat = 1.5f;
  return c;
}

}  // namespace fendo::test

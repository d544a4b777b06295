// FF CUT: one toolpath cut in two passes at two feeds.
//
// The paths of the work layer are numbered from the first cutting move; the odd ones (1st,
// 3rd, …) are cut first at the first feed, the even ones afterwards at the second feed. The
// two sets are made from copies of the layer in the scratch layers:
//   1. the work layer is saved and kept whole in layer 100;
//   2. the odd paths are deleted (DeleteOddPaths), the rest gets the second feed and is
//      copied into layer 101;
//   3. the work layer comes back from layer 100, the even paths are deleted
//      (DeleteMiddlePaths), the rest gets the first feed and is saved;
//   4. layer 101 is appended to the target layer (the work layer itself, or the one chosen)
//      and the work layer is loaded again.
// Each set is compacted before it is saved, so that the deleted records of one set do not
// travel with the other: the joined layer holds about as many records as the layer had.
#include "feed/ff_cut.h"

#include <array>

#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/path_delete.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

using Range = FieldRange<FfCutOptions>;

constexpr std::array kRanges = {
    Range{"firstFeed", "1차 공구경로 feed", 1, 100000, [](const FfCutOptions& o) { return static_cast<double>(o.firstFeed); }},
    Range{"secondFeed", "2차 공구경로 feed", 1, 100000,
          [](const FfCutOptions& o) { return static_cast<double>(o.secondFeed); }},
    Range{"secondLayer", "2차 공구경로 layer", 0, LayerTable::kUserLayers - 1,
          [](const FfCutOptions& o) { return static_cast<double>(o.secondLayer); }},
};

constexpr int kWholeLayerSlot = 100;   // the work layer as it was
constexpr int kEvenPathsSlot = 101;    // the even paths at the second feed

void FreeScratch(LayerTable& layers) {
  layers[kWholeLayerSlot].points.Free();
  layers[kEvenPathsSlot].points.Free();
}

}  // namespace

std::span<const FieldRange<FfCutOptions>> FfCutRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const FfCutOptions& options) {
  return CheckFieldRanges<FfCutOptions>(options, kRanges);
}

bool FfCut(ToolpathDatabase& db, const FfCutOptions& options) {
  if (CheckRanges(options)) return false;
  LayerTable& layers = db.layers;
  const int work = layers.workLayer;
  const int target = options.secondToLayer ? options.secondLayer : work;
  // The work layer and the buffer as they were, from the whole copy.
  const auto restore = [&] {
    if (layers.CopyLayer(kWholeLayerSlot, work)) db.LoadFromLayer(work);
    FreeScratch(layers);
    return false;
  };

  // 1.
  if (!db.SaveToLayer(work)) return false;
  if (!layers.CopyLayer(work, kWholeLayerSlot)) {
    FreeScratch(layers);
    return false;
  }
  // 2.
  DeleteOddPaths(db);
  CompactRecords(db);
  SetAllFeeds(db, options.secondFeed);
  if (!db.SaveToLayer(work) || !layers.CopyLayer(work, kEvenPathsSlot)) return restore();
  // 3.
  if (!layers.CopyLayer(kWholeLayerSlot, work) || !db.LoadFromLayer(work)) return restore();
  DeleteMiddlePaths(db);
  CompactRecords(db);
  SetAllFeeds(db, options.firstFeed);
  if (!db.SaveToLayer(work)) return restore();
  // 4. A layer that could never be loaded again would be lost.
  const int evenRecords = layers[kEvenPathsSlot].pointCount();
  if (layers[target].pointCount() + evenRecords > ToolpathDatabase::kMaxRecords) return restore();
  // Appending a layer without records would empty the target instead.
  if (evenRecords > 0 && !layers.AppendLayer(kEvenPathsSlot, target)) return restore();
  if (!db.LoadFromLayer(work)) return restore();
  FreeScratch(layers);
  return true;
}

}  // namespace fendo

#pragma once

#include <array>
#include <cstddef>

#include "core/record_memory.h"
#include "core/toolpath_record.h"

namespace fendo {

// The records of the work layer, kept in fixed chunks so that records never move while the
// program grows. A chunk is allocated on the first write into it and kept until Clear. The
// chunks lie side by side in one mapping with room for all of them, taken at the first write;
// only the chunks written use memory.
class WorkBuffer {
 public:
  static constexpr int kChunkRecords = 3270;
  static constexpr int kMaxChunks = 4000;
  static constexpr int kMaxRecords = kChunkRecords * kMaxChunks;  // 13,080,000

  // The stored record i, or nullptr when i is outside the table or its chunk was never written.
  ToolpathRecord* Find(int i) {
    if (i < 0 || i >= kMaxRecords) return nullptr;
    ToolpathRecord* chunk = chunks_[i / kChunkRecords];
    return chunk ? chunk + i % kChunkRecords : nullptr;
  }

  // The stored record i, allocating its chunk when needed; nullptr when i lies beyond the chunk
  // table or the memory for the chunk could not be had.
  ToolpathRecord* Obtain(int i) {
    if (ToolpathRecord* found = Find(i)) return found;
    if (i < 0 || i >= kMaxRecords) return nullptr;
    const int chunk = i / kChunkRecords;
    if (!memory_.data()) memory_ = RecordMemory(static_cast<std::size_t>(keptChunks_) * kChunkRecords);
    if (!memory_.data()) return nullptr;
    if (chunk >= keptChunks_) chunks_[chunk - keptChunks_] = nullptr;
    chunks_[chunk] = memory_.data() + chunk % keptChunks_ * kChunkRecords;
    return chunks_[chunk] + i % kChunkRecords;
  }

  // From now on, only the `count` chunks written last are kept: an older chunk reads as never
  // written and its memory takes the next one. For a reading that only follows the program as
  // it goes (the pre-flight check's), which then costs a few chunks instead of the program's
  // size. Clears the buffer.
  void KeepLatestChunks(int count) {
    Clear();
    keptChunks_ = count;
  }

  // Calls visit(first, chunk, n) for the chunks holding records 0..count−1 in order: n records
  // from index `first`, chunk nullptr where it was never written.
  template <typename Visit>
  void ForEachChunk(int count, Visit visit) {
    for (int first = 0; first < count; first += kChunkRecords) {
      visit(first, chunks_[first / kChunkRecords], count - first < kChunkRecords ? count - first : kChunkRecords);
    }
  }

  // Copies records 0..count-1 to `out`; records of chunks never written come out as zero records.
  void CopyOut(int count, ToolpathRecord* out) const;
  // The same with every copy unselected, a chunk at a time while it is in the cache: an undo
  // snapshot, which gives records back unselected.
  void CopyOutUnselected(int count, ToolpathRecord* out) const;
  // Stores `count` records from `in` at 0..count-1; false when a chunk could not be allocated.
  bool CopyIn(const ToolpathRecord* in, int count);

  void Clear();
  std::size_t HeldBytes() const;

 private:
  // Copies records 0..count-1 to `out` a chunk at a time, calling after(copy, n) on each copied
  // chunk.
  template <typename After>
  void CopyOutChunks(int count, ToolpathRecord* out, After after) const;

  int keptChunks_ = kMaxChunks;                      // chunks kept at once (see KeepLatestChunks)
  RecordMemory memory_;                              // room for the chunks kept
  std::array<ToolpathRecord*, kMaxChunks> chunks_{};  // the chunks written, nullptr for the others
};

}  // namespace fendo

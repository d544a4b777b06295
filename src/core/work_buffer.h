#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "core/toolpath_record.h"

namespace fendo {

// The records of the work layer, kept in fixed chunks so that records never move while the
// program grows. A chunk is allocated on the first write into it and kept until Clear.
class WorkBuffer {
 public:
  static constexpr int kChunkRecords = 3270;
  static constexpr int kMaxChunks = 4000;
  static constexpr int kMaxRecords = kChunkRecords * kMaxChunks;  // 13,080,000

  // The stored record i, or nullptr when i is outside the table or its chunk was never written.
  ToolpathRecord* Find(int i) {
    if (i < 0 || i >= kMaxRecords) return nullptr;
    ToolpathRecord* chunk = chunks_[i / kChunkRecords].get();
    return chunk ? chunk + i % kChunkRecords : nullptr;
  }

  // The stored record i, allocating its chunk when needed; nullptr when i lies beyond the chunk
  // table or the memory for the chunk could not be had.
  ToolpathRecord* Obtain(int i) {
    if (ToolpathRecord* found = Find(i)) return found;
    if (i < 0 || i >= kMaxRecords) return nullptr;
    auto& chunk = chunks_[i / kChunkRecords];
    chunk.reset(new (std::nothrow) ToolpathRecord[kChunkRecords]);
    return chunk ? chunk.get() + i % kChunkRecords : nullptr;
  }

  // Copies records 0..count-1 to `out`; records of chunks never written come out as zero records.
  void CopyOut(int count, ToolpathRecord* out) const;
  // Stores `count` records from `in` at 0..count-1; false when a chunk could not be allocated.
  bool CopyIn(const ToolpathRecord* in, int count);

  void Clear();
  std::size_t HeldBytes() const;

 private:
  std::array<std::unique_ptr<ToolpathRecord[]>, kMaxChunks> chunks_;
};

}  // namespace fendo

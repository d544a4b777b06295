#pragma once

#include <cstddef>

#include "core/record_memory.h"

namespace fendo {

// An owned copy of a record sequence, sized exactly: a layer's point block or an undo snapshot.
class RecordBlock {
 public:
  bool allocated() const { return memory_.data() != nullptr; }
  int count() const { return count_; }
  ToolpathRecord* data() { return memory_.data(); }
  const ToolpathRecord* data() const { return memory_.data(); }

  // Replaces the block by an uninitialised one of `count` records. The old block's memory is
  // kept when it holds them without wasting more than they take (an undo slot taken again by
  // a program of about the same size is not mapped anew); otherwise it is released first, so
  // that a 13-million-record program never has two copies of one slot in memory. False when
  // the memory could not be had; the block is then left unallocated.
  bool Allocate(int count) {
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (allocated() && memory_.count() >= wanted && memory_.count() <= 2 * wanted) {
      count_ = count;
      return true;
    }
    Free();
    memory_ = RecordMemory(count > 0 ? static_cast<std::size_t>(count) : 0, RecordMemory::Backing::Now);
    if (!allocated()) return false;
    count_ = count > 0 ? count : 0;
    return true;
  }

  void Free() {
    memory_ = RecordMemory();
    count_ = 0;
  }

  std::size_t HeldBytes() const { return static_cast<std::size_t>(count_) * sizeof(ToolpathRecord); }

 private:
  RecordMemory memory_;
  int count_ = 0;
};

}  // namespace fendo

#pragma once

#include <cstddef>
#include <memory>

#include "core/toolpath_record.h"

namespace fendo {

// An owned copy of a record sequence, sized exactly: a layer's point block or an undo snapshot.
class RecordBlock {
 public:
  bool allocated() const { return records_ != nullptr; }
  int count() const { return count_; }
  ToolpathRecord* data() { return records_.get(); }
  const ToolpathRecord* data() const { return records_.get(); }

  // Replaces the block by an uninitialised one of `count` records. The old block is released
  // first, so that a 13-million-record program never has two copies of one slot in memory.
  // False when the memory could not be had; the block is then left unallocated.
  bool Allocate(int count) {
    Free();
    records_.reset(new (std::nothrow) ToolpathRecord[count > 0 ? count : 0]);
    if (!records_) return false;
    count_ = count > 0 ? count : 0;
    return true;
  }

  void Free() {
    records_.reset();
    count_ = 0;
  }

  std::size_t HeldBytes() const { return static_cast<std::size_t>(count_) * sizeof(ToolpathRecord); }

 private:
  std::unique_ptr<ToolpathRecord[]> records_;
  int count_ = 0;
};

}  // namespace fendo

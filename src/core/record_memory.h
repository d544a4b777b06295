#pragma once

#include <cstddef>

#include "core/toolpath_record.h"

namespace fendo {

// Memory for records by the million: the work buffer, layer blocks and undo snapshots.
//
// It is mapped straight from the system and the kernel is asked to back it with 2 MiB pages.
// Memory that is touched for the first time costs a page fault per page, and on a virtual
// machine a fault costs microseconds: with ordinary 4 KiB pages, filling a 13-million-record
// buffer and its layer copy took a hundred thousand faults, most of the time an open takes.
// Untouched pages cost nothing, so a mapping may be larger than what is used.
class RecordMemory {
 public:
  RecordMemory() = default;
  // When the pages are backed: as they are first touched, or all at once when the mapping is
  // made, for a block that is filled right away (the kernel backs a whole mapping far faster
  // than it takes the faults one by one).
  enum class Backing { OnTouch, Now };
  // Maps room for `count` records, uninitialised; data() is nullptr when that failed.
  explicit RecordMemory(std::size_t count, Backing backing = Backing::OnTouch);
  RecordMemory(RecordMemory&& other) noexcept;
  RecordMemory& operator=(RecordMemory&& other) noexcept;
  ~RecordMemory();

  ToolpathRecord* data() const { return records_; }
  std::size_t count() const { return count_; }

 private:
  void Unmap();

  ToolpathRecord* records_ = nullptr;
  std::size_t count_ = 0;
  std::size_t mappedBytes_ = 0;
};

}  // namespace fendo

#include "core/work_buffer.h"

#include <algorithm>
#include <cstring>

namespace fendo {

void WorkBuffer::CopyOut(int count, ToolpathRecord* out) const {
  for (int first = 0; first < count; first += kChunkRecords) {
    const int n = std::min(kChunkRecords, count - first);
    const ToolpathRecord* chunk = chunks_[first / kChunkRecords];
    if (chunk) {
      std::memcpy(out + first, chunk, n * sizeof(ToolpathRecord));
    } else {
      std::fill_n(out + first, n, ToolpathRecord{});
    }
  }
}

bool WorkBuffer::CopyIn(const ToolpathRecord* in, int count) {
  for (int first = 0; first < count; first += kChunkRecords) {
    const int n = std::min(kChunkRecords, count - first);
    ToolpathRecord* chunk = Obtain(first);
    if (!chunk) return false;
    std::memcpy(chunk, in + first, n * sizeof(ToolpathRecord));
  }
  return true;
}

void WorkBuffer::Clear() {
  chunks_.fill(nullptr);
  memory_ = RecordMemory();
}

std::size_t WorkBuffer::HeldBytes() const {
  const auto held = std::count_if(chunks_.begin(), chunks_.end(), [](const auto& c) { return c != nullptr; });
  return static_cast<std::size_t>(held) * kChunkRecords * sizeof(ToolpathRecord);
}

}  // namespace fendo

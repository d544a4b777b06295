#include "core/work_buffer.h"

#include <algorithm>
#include <cstring>

namespace fendo {

template <typename After>
void WorkBuffer::CopyOutChunks(int count, ToolpathRecord* out, After after) const {
  for (int first = 0; first < count; first += kChunkRecords) {
    const int n = std::min(kChunkRecords, count - first);
    const ToolpathRecord* chunk = chunks_[first / kChunkRecords];
    if (chunk) {
      std::memcpy(out + first, chunk, n * sizeof(ToolpathRecord));
    } else {
      std::fill_n(out + first, n, ToolpathRecord{});
    }
    after(out + first, n);
  }
}

void WorkBuffer::CopyOut(int count, ToolpathRecord* out) const {
  CopyOutChunks(count, out, [](ToolpathRecord*, int) {});
}

void WorkBuffer::CopyOutUnselected(int count, ToolpathRecord* out) const {
  CopyOutChunks(count, out, [](ToolpathRecord* copied, int n) {
    for (int i = 0; i < n; ++i) copied[i].selected = 0;
  });
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

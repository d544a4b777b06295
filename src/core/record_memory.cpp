#include "core/record_memory.h"

#include <sys/mman.h>

#include <utility>

namespace fendo {
namespace {

constexpr std::size_t kPageBytes = 4096;

}  // namespace

RecordMemory::RecordMemory(std::size_t count, Backing backing) {
  const std::size_t bytes = (count * sizeof(ToolpathRecord) + kPageBytes - 1) / kPageBytes * kPageBytes;
  if (bytes == 0) {
    // An empty block is still a block: it stands for a layer or snapshot without records.
    static ToolpathRecord noRecords[1];
    records_ = noRecords;
    return;
  }
  void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) return;
  madvise(mapped, bytes, MADV_HUGEPAGE);
  if (backing == Backing::Now) madvise(mapped, bytes, MADV_POPULATE_WRITE);
  records_ = static_cast<ToolpathRecord*>(mapped);
  count_ = count;
  mappedBytes_ = bytes;
}

RecordMemory::RecordMemory(RecordMemory&& other) noexcept { *this = std::move(other); }

RecordMemory& RecordMemory::operator=(RecordMemory&& other) noexcept {
  if (this != &other) {
    Unmap();
    records_ = std::exchange(other.records_, nullptr);
    count_ = std::exchange(other.count_, 0);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
  }
  return *this;
}

RecordMemory::~RecordMemory() { Unmap(); }

void RecordMemory::Unmap() {
  if (mappedBytes_ > 0) munmap(records_, mappedBytes_);
  records_ = nullptr;
  count_ = 0;
  mappedBytes_ = 0;
}

}  // namespace fendo

// *.mma bytes: reading them from memory and from a file must agree, neither may crash or read
// past the bytes, what is read must write back and read again unchanged, and the optimizer's
// lookup must stay inside any model read. The input is tried twice: as a whole file, and as
// the cells of a file whose header is made to fit them (so that the cell path is reached
// without the fuzzer having to find a consistent header first).
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "feed/master_file.h"
#include "feed/master_lookup.h"

namespace {

bool SameModel(const fendo::MasterModel& a, const fendo::MasterModel& b) {
  if (std::bit_cast<std::uint64_t>(a.originX) != std::bit_cast<std::uint64_t>(b.originX) ||
      a.cellSize != b.cellSize || a.cellCount != b.cellCount || a.columns != b.columns || a.rows != b.rows ||
      a.present != b.present || a.cells.size() != b.cells.size()) {
    return false;
  }
  for (std::size_t k = 0; k < a.cells.size(); ++k) {
    if (a.cells[k].top != b.cells[k].top || a.cells[k].wallAngle != b.cells[k].wallAngle) return false;
  }
  return true;
}

// The file each input is written to: in memory where the system has a memory file system, so
// that the disk is not what the fuzzer waits for.
// The file each input is written to, removed when the fuzzer ends: in memory where the system
// has a memory file system, so that the disk is not what the fuzzer waits for.
class TempFile {
 public:
  TempFile()
      : path_((std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                         : std::filesystem::temp_directory_path()) /
              ("fuzz_mma_file-" + std::to_string(::getpid()) + ".mma")) {}
  ~TempFile() { std::filesystem::remove(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& TempPath() {
  static const TempFile file;
  return file.path();
}

void Check(std::span<const std::byte> bytes) {
  fendo::MasterModel fromMemory;
  const fendo::FileStatus parsed = fendo::ParseMasterFile(bytes, fromMemory);

  std::FILE* file = std::fopen(TempPath().c_str(), "wb");
  if (!file) __builtin_trap();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) __builtin_trap();
  std::fclose(file);
  fendo::MasterModel fromFile;
  const fendo::FileStatus read = fendo::ReadMasterFile(TempPath(), fromFile);
  if (parsed.ok != read.ok || !SameModel(fromMemory, fromFile)) __builtin_trap();
  if (!parsed) {
    if (fromMemory.present != 0 || !fromMemory.cells.empty()) __builtin_trap();
    return;
  }

  fendo::MasterModel again;
  if (!fendo::ParseMasterFile(fendo::MasterFileBytes(fromMemory), again) || !SameModel(fromMemory, again)) {
    __builtin_trap();
  }
  // Points inside, on the edges of and far outside the grid, and ones that are not numbers.
  const double cell = fromMemory.cellSize;
  const double spanX = fromMemory.columns * cell, spanY = fromMemory.rows * cell;
  for (double u : {-1.0, 0.0, 0.49, 0.5, 1.0, 1e9, std::nan("")}) {
    for (double radius : {0.0, cell, 3 * cell, 1e12}) {
      const int angle = fendo::MasterWallAngle(fromMemory, fromMemory.originX + u * spanX,
                                               fromMemory.originY + u * spanY, 0, radius);
      if (angle < 0 || angle > 90) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  Check(bytes);

  // The same bytes as the cells of a grid whose width the first byte picks.
  if (size < 1 + fendo::kMasterFileCellBytes) return 0;
  const std::int32_t columns = 1 + data[0] % 16;
  const std::int32_t rows = static_cast<std::int32_t>((size - 1) / fendo::kMasterFileCellBytes / columns);
  if (rows == 0) return 0;
  fendo::MasterModel model;
  model.cellSize = 0.5 + data[0] / 64.0;
  model.originX = -3;
  model.originY = 7;
  model.columns = columns;
  model.rows = rows;
  model.cellCount = columns * rows;
  model.cells.resize(static_cast<std::size_t>(model.cellCount));
  std::vector<std::byte> file = fendo::MasterFileBytes(model);
  const std::size_t cellBytes = fendo::kMasterFileCellBytes * model.cells.size();
  std::copy_n(bytes.begin() + 1, cellBytes, file.end() - static_cast<std::ptrdiff_t>(cellBytes));
  Check(file);
  return 0;
}

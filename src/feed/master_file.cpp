#include "feed/master_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "core/output_file.h"

namespace fendo {
namespace {

constexpr int kMaxWallAngle = 90;  // degrees
constexpr std::size_t kCellsPerBlock = 8192;

FileStatus SystemFailure(int error) { return FileStatus::Failure(std::strerror(error)); }

// Little-endian numbers appended to a byte string, whatever the machine's own order.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::byte>& out) : out_(out) {}

  void Zeros(std::size_t count) { out_.insert(out_.end(), count, std::byte{0}); }
  void Put(double v) { PutBits(std::bit_cast<std::uint64_t>(v), 8); }
  void Put(float v) { PutBits(std::bit_cast<std::uint32_t>(v), 4); }
  void Put(std::int32_t v) { PutBits(static_cast<std::uint32_t>(v), 4); }
  void Put(std::int16_t v) { PutBits(static_cast<std::uint16_t>(v), 2); }

 private:
  void PutBits(std::uint64_t bits, int bytes) {
    for (int k = 0; k < bytes; ++k) out_.push_back(static_cast<std::byte>(bits >> (8 * k)));
  }

  std::vector<std::byte>& out_;
};

// Little-endian numbers read in order from bytes known to be long enough.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

  double Double() { return std::bit_cast<double>(Bits(8)); }
  float Float() { return std::bit_cast<float>(static_cast<std::uint32_t>(Bits(4))); }
  std::int32_t Int32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(Bits(4))); }
  std::int16_t Int16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(Bits(2))); }

 private:
  std::uint64_t Bits(int bytes) {
    std::uint64_t bits = 0;
    for (int k = 0; k < bytes; ++k) bits |= std::to_integer<std::uint64_t>(bytes_[next_ + k]) << (8 * k);
    next_ += bytes;
    return bits;
  }

  std::span<const std::byte> bytes_;
  std::size_t next_ = 0;
};

// The header of a file of `fileBytes` bytes, from its first kMasterFileHeaderBytes, into
// `model` (without cells). Refused unless it describes exactly the cells that follow it.
FileStatus ReadHeader(std::span<const std::byte> head, std::uint64_t fileBytes, MasterModel& model) {
  ByteReader in(head.subspan(kMasterFileLeadBytes));
  for (double* field : {&model.originX, &model.originY, &model.minZ, &model.extentX, &model.extentY, &model.maxZ,
                        &model.toolSize, &model.cellSize}) {
    *field = in.Double();
    if (!std::isfinite(*field)) return FileStatus::Failure("a number of the header is not finite");
  }
  model.cellCount = in.Int32();
  model.columns = in.Int32();
  model.rows = in.Int32();
  // The reserved words and the stored present flag mean nothing to a reader.
  if (!(model.cellSize > 0)) return FileStatus::Failure("the cell size is not above zero");
  if (model.columns <= 0 || model.rows <= 0 || model.cellCount <= 0) {
    return FileStatus::Failure("the grid size is not above zero");
  }
  if (std::int64_t{model.columns} * model.rows != model.cellCount) {
    return FileStatus::Failure("the cell count is not columns x rows");
  }
  if (model.cellCount > kMaxMasterCells) {
    return FileStatus::Failure("the model has more than " + std::to_string(kMaxMasterCells) + " cells");
  }
  const std::uint64_t expected = kMasterFileHeaderBytes + kMasterFileCellBytes * std::uint64_t(model.cellCount);
  if (fileBytes != expected) {
    return FileStatus::Failure("the file has " + std::to_string(fileBytes) + " bytes; its header describes " +
                               std::to_string(expected));
  }
  return {};
}

// Decodes `bytes` (a whole number of cells) into the cells from `out` on.
FileStatus ReadCells(std::span<const std::byte> bytes, MasterCell* out) {
  ByteReader in(bytes);
  for (std::size_t k = 0; k < bytes.size() / kMasterFileCellBytes; ++k) {
    MasterCell& cell = out[k];
    cell.top = in.Float();
    cell.wallAngle = in.Int16();
    if (!std::isfinite(cell.top)) return FileStatus::Failure("a cell height is not finite");
    if (cell.wallAngle < 0 || cell.wallAngle > kMaxWallAngle) {
      return FileStatus::Failure("a wall angle lies outside 0..90 degrees");
    }
  }
  return {};
}

// Room for the header's cells, all empty.
FileStatus AllocateCells(MasterModel& model) {
  try {
    model.cells.assign(static_cast<std::size_t>(model.cellCount), MasterCell{});
  } catch (const std::bad_alloc&) {
    return FileStatus::Failure("out of memory for " + std::to_string(model.cellCount) + " cells");
  }
  return {};
}

// Makes `read` the model, or leaves none when reading failed.
FileStatus Adopt(FileStatus status, MasterModel& read, MasterModel& model) {
  if (!status) {
    model = MasterModel{};
    return status;
  }
  read.present = 1;
  model = std::move(read);
  return status;
}

FileStatus ReadOpenFile(std::FILE* file, MasterModel& read) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0) return SystemFailure(errno);
  if (!S_ISREG(info.st_mode)) return FileStatus::Failure("not a regular file");
  std::array<std::byte, kMasterFileHeaderBytes> head;
  if (std::fread(head.data(), 1, head.size(), file) != head.size()) {
    return FileStatus::Failure("the file is shorter than a master model header");
  }
  if (FileStatus status = ReadHeader(head, static_cast<std::uint64_t>(info.st_size), read); !status) return status;
  if (FileStatus status = AllocateCells(read); !status) return status;
  std::vector<std::byte> block(kCellsPerBlock * kMasterFileCellBytes);
  for (std::size_t done = 0; done < read.cells.size();) {
    const std::size_t cells = std::min(kCellsPerBlock, read.cells.size() - done);
    const std::size_t bytes = cells * kMasterFileCellBytes;
    if (std::fread(block.data(), 1, bytes, file) != bytes) {
      return std::ferror(file) ? SystemFailure(errno) : FileStatus::Failure("the file ended before its last cell");
    }
    if (FileStatus status = ReadCells(std::span(block).first(bytes), &read.cells[done]); !status) return status;
    done += cells;
  }
  // The file may have grown since its size was taken.
  if (std::fgetc(file) != EOF) return FileStatus::Failure("the file goes on after its last cell");
  return {};
}

}  // namespace

std::vector<std::byte> MasterFileBytes(const MasterModel& model) {
  const std::int64_t cells = std::int64_t{model.columns} * model.rows;
  if (model.columns <= 0 || model.rows <= 0 || cells != model.cellCount || cells > kMaxMasterCells ||
      model.cells.size() != static_cast<std::size_t>(cells)) {
    return {};
  }
  std::vector<std::byte> bytes;
  bytes.reserve(kMasterFileHeaderBytes + kMasterFileCellBytes * model.cells.size());
  ByteWriter out(bytes);
  out.Zeros(kMasterFileLeadBytes);
  for (double field : {model.originX, model.originY, model.minZ, model.extentX, model.extentY, model.maxZ,
                       model.toolSize, model.cellSize}) {
    out.Put(field);
  }
  for (std::int32_t field : {model.cellCount, model.columns, model.rows, model.reserved1, model.present,
                             model.reserved2}) {
    out.Put(field);
  }
  for (const MasterCell& cell : model.cells) {
    out.Put(cell.top);
    out.Put(cell.wallAngle);
  }
  return bytes;
}

FileStatus ParseMasterFile(std::span<const std::byte> bytes, MasterModel& model) {
  MasterModel read;
  FileStatus status = bytes.size() < kMasterFileHeaderBytes
                          ? FileStatus::Failure("the file is shorter than a master model header")
                          : ReadHeader(bytes.first(kMasterFileHeaderBytes), bytes.size(), read);
  if (status) status = AllocateCells(read);
  if (status) status = ReadCells(bytes.subspan(kMasterFileHeaderBytes), read.cells.data());
  return Adopt(std::move(status), read, model);
}

FileStatus WriteMasterFile(const std::filesystem::path& path, const MasterModel& model) {
  const std::vector<std::byte> bytes = MasterFileBytes(model);
  if (bytes.empty()) return FileStatus::Failure("there is no master model to write");
  return WriteWholeFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

FileStatus ReadMasterFile(const std::filesystem::path& path, MasterModel& model) {
  MasterModel read;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return Adopt(SystemFailure(errno), read, model);
  FileStatus status = ReadOpenFile(file, read);
  std::fclose(file);
  return Adopt(std::move(status), read, model);
}

}  // namespace fendo

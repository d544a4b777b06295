#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

#include "core/file_status.h"
#include "feed/master_model.h"

namespace fendo {

// The *.mma file of a master model, little-endian throughout: 100 zero bytes, the 88-byte
// header (the fields of MasterModel in their order, the reserved words as they stand), then
// 6 bytes a cell in row-major order: top (32-bit float, mm) and wallAngle (16-bit, degrees).
// Nothing else, so a file is exactly kMasterFileHeaderBytes + 6 × cellCount bytes long.
inline constexpr std::size_t kMasterFileLeadBytes = 100;
inline constexpr std::size_t kMasterFileHeaderBytes = kMasterFileLeadBytes + 88;
inline constexpr std::size_t kMasterFileCellBytes = 6;

// The bytes of the file of `model`; nothing when the model is not one that can be read back
// (no cells, a cell count that does not match its columns and rows, more than
// kMaxMasterCells cells).
std::vector<std::byte> MasterFileBytes(const MasterModel& model);

// Reads a model from the bytes of a file. A file whose header does not describe exactly the
// bytes that follow (cell count against length, columns × rows against the cell count,
// sizes not above zero, a header number or a height that is not finite, a wall angle outside
// 0..90) is refused with the reason, and leaves no model (present 0, no cells). A model read
// has present 1 and cells without points (x = y = -9999).
FileStatus ParseMasterFile(std::span<const std::byte> bytes, MasterModel& model);

// Writes `model` to `path` (created or replaced). A failure to open or to write (a full disk)
// is never success: the reason says what happened, and the caller shows
// "화일을 열수 없습니다.\n" with the caption "Error message".
FileStatus WriteMasterFile(const std::filesystem::path& path, const MasterModel& model);

// Replaces `model` by the one in `path`. A file that cannot be read or is not a master model
// leaves no model (present 0, no cells) and fails with the reason; the caller shows
// "화일을 열수 없습니다.\n" with the caption "Error message".
FileStatus ReadMasterFile(const std::filesystem::path& path, MasterModel& model);

}  // namespace fendo

#include "output/nc_output_options.h"

#include "core/toolpath_database.h"

namespace fendo {

void PresetFromWorkLayer(const ToolpathDatabase& db, NcOutputOptions& options) {
  const LayerSlot& layer = db.layers[db.layers.workLayer];
  options.sourcePath = layer.fileName;
  if (layer.spindle != 0) options.spindleSpeed = layer.spindle;
  options.toolChange = layer.toolNumber != 0;
  options.toolNumber = layer.toolNumber;
  if (options.toolChange) options.lengthOffset = layer.lengthOffset;
  options.programNumberOn = layer.programNumber != 0;
  options.programNumber = layer.programNumber;
  options.heidenhain = db.options.heidenhainOutChk;
  options.comment = layer.comment;
  options.unit = layer.unit.stated;
}

std::optional<std::string> CheckNcOutputOptions(const NcOutputOptions& options) {
  if (options.spindleSpeed < 0 || options.spindleSpeed > kMaxSpindleSpeed) {
    return "the spindle speed must lie between 0 and " + std::to_string(kMaxSpindleSpeed);
  }
  if (options.lengthOffset < 0 || options.lengthOffset > kMaxLengthOffset) {
    return "the length offset must lie between 0 and " + std::to_string(kMaxLengthOffset);
  }
  if (options.incremental && options.heidenhain) return " Incremental ncdata를 하이덴하인으로 출력할 수 없습니다.!!!";
  return std::nullopt;
}

NcOutputOptions LayerOutputOptions(const ToolpathDatabase& db) {
  NcOutputOptions options;
  options.openEditor = false;
  options.programNumber = db.layers[0].programNumber;
  options.programNumberOn = options.programNumber != 0;
  return options;
}

}  // namespace fendo

#include "config/layer_colours.h"

#include <algorithm>
#include <charconv>

#include "config/settings_tokens.h"
#include "config/text_file.h"

namespace fendo {
namespace {

// Room for the longest int in decimal: a sign and ten digits.
constexpr std::size_t kLongestInteger = 11;

}  // namespace

LayerColours DefaultLayerColours() {
  LayerColours colours;
  for (int i = 0; i < kLayerColourEntries; ++i) colours[i] = i;
  return colours;
}

int PaletteIndexOfLayer(const LayerColours& colours, int layer) {
  const int entry = layer % kLayerColourEntries;
  return colours[entry < 0 ? entry + kLayerColourEntries : entry];
}

std::filesystem::path LayerColoursPath(const SystemSettings& settings) {
  return std::filesystem::path(settings.configDir) / "color.par";
}

LayerColours ParseLayerColours(std::string_view text) {
  LayerColours colours = DefaultLayerColours();
  for (int& entry : colours) {
    // Like fscanf's %d: white space is skipped, then the integer ends wherever its digits do,
    // so "3x" gives 3 and leaves "x" to stop the next entry.
    const auto start = std::find_if_not(text.begin(), text.end(), IsSettingsSpace);
    text.remove_prefix(static_cast<std::size_t>(start - text.begin()));
    const IntegerPrefix number = ParseIntegerPrefix(text);
    if (!number.hasDigits) break;
    entry = number.value;
    text.remove_prefix(number.length);
  }
  return colours;
}

std::string FormatLayerColours(const LayerColours& colours) {
  std::string text;
  for (const int entry : colours) {
    char digits[kLongestInteger];
    const auto end = std::to_chars(digits, digits + sizeof digits, entry).ptr;
    text.append(digits, end).append(" \n");
  }
  return text;
}

FileStatus ReadLayerColoursFile(const std::filesystem::path& path, LayerColours& colours) {
  std::string text;
  const FileStatus status = ReadOptionalTextFile(path, text);
  colours = ParseLayerColours(text);
  return status;
}

FileStatus WriteLayerColoursFile(const std::filesystem::path& path, const LayerColours& colours) {
  return WriteTextFile(path, FormatLayerColours(colours));
}

}  // namespace fendo

#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "config/system_settings.h"
#include "core/file_status.h"

namespace fendo {

// color.par in ConfigDir: the palette index (see palette.h) each layer is drawn in when layers
// are drawn in their own colours. Ten entries serve every layer: layer L uses entry L mod 10.
inline constexpr int kLayerColourEntries = 10;
using LayerColours = std::array<int, kLayerColourEntries>;

// Entry i is palette index i.
LayerColours DefaultLayerColours();

// The palette index layer `layer` is drawn in: entry layer mod 10 (counted upwards from 0 for
// a negative layer, so every layer has an entry).
int PaletteIndexOfLayer(const LayerColours& colours, int layer);

// ConfigDir/color.par.
std::filesystem::path LayerColoursPath(const SystemSettings& settings);

// The defaults with the integers of the text over them, entry 0 first. Integers are read one
// after the other across white space, each [sign] digits (saturated to the int range); reading
// stops at the tenth or at the first text that does not start an integer, and entries not
// reached keep their default.
LayerColours ParseLayerColours(std::string_view text);

// Ten lines, entry 0 first, each "index \n".
std::string FormatLayerColours(const LayerColours& colours);

// Sets `colours` from the file. A missing file gives the defaults without failure (and is not
// created); a file that cannot be read gives the defaults and the reason.
FileStatus ReadLayerColoursFile(const std::filesystem::path& path, LayerColours& colours);

FileStatus WriteLayerColoursFile(const std::filesystem::path& path, const LayerColours& colours);

}  // namespace fendo

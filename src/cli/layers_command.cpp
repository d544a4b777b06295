// fendo-batch layers: each program read into its own layer (0, 1, ...) as the desktop program's
// layers hold them, and per layer its names, NC header data and records, as text or one JSON
// object per layer.
#include "cli/batch_program.h"
#include "cli/json_writer.h"
#include "edit/layer_listing.h"

namespace fendo {
namespace {

// What layers is asked for besides the files.
struct LayersRequest {
  bool json = false;  // one JSON object a layer instead of the text
};

constexpr Option<LayersRequest> kLayersOptions[] = {
    {"--json", "", "One JSON object per layer, one a line.", Turn<&LayersRequest::json, true>},
};

void PrintText(const LayerListing& layer, std::ostream& out) {
  const auto row = [&out](std::string_view label, const std::string& value) {
    out << "  " << label << std::string(20 - label.size(), ' ') << value << '\n';
  };
  out << "layer " << layer.number << '\n';
  row("name", layer.name);
  row("file", layer.file);
  row("program (O)", std::to_string(layer.program));
  row("tool (T)", std::to_string(layer.tool));
  row("length offset (H)", std::to_string(layer.offset));
  row("spindle (S)", std::to_string(layer.spindle));
  row("records", std::to_string(layer.records));
}

void PrintJson(const LayerListing& layer, std::ostream& out) {
  JsonObject json;
  json.Add("number", layer.number)
      .Add("name", layer.name)
      .Add("file", layer.file)
      .Add("program", layer.program)
      .Add("tool", layer.tool)
      .Add("offset", layer.offset)
      .Add("spindle", layer.spindle)
      .Add("records", layer.records);
  out << json.str() << '\n';
}

}  // namespace

const OptionGroup& LayersOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<LayersRequest>(kLayersOptions));
  return group;
}

int RunLayers(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.empty()) {
    streams.err << "fendo-batch: layers needs at least one file (see fendo-batch --help)\n";
    return 2;
  }
  if (args.files.size() > static_cast<std::size_t>(LayerTable::kUserLayers)) {
    streams.err << "fendo-batch: layers reads at most " << LayerTable::kUserLayers << " programs into layers\n";
    return 2;
  }
  LayersRequest request;
  std::string switchesOnly;
  ApplyOptions(args, kLayersOptions, request, switchesOnly);
  ToolpathDatabase db;
  db.options = ReaderOptions(args, streams.err);
  int status = 0;
  TextBlocks blocks(streams.out);
  for (std::size_t k = 0; k < args.files.size(); ++k) {
    const int layer = static_cast<int>(k);
    db.layers.workLayer = layer;
    const LoadResult result = LoadIntoWorkLayer(db, args.files[k], streams);
    if (!result.ok()) status = 1;
    if (result.refused()) continue;
    const LayerListing listing = ListLayer(db, layer);
    if (request.json) {
      PrintJson(listing, streams.out);
    } else {
      PrintText(listing, blocks.Next());
    }
  }
  streams.out.flush();
  return status;
}

}  // namespace fendo

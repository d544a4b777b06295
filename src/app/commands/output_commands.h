#pragma once

namespace fendo {

class CFendoView;

// The NC output commands of the file menu.

// "Ncdata로 저장": the work layer as one NC program in the fixed ISO or Heidenhain form,
// with the options of the output dialog; the editor shows the file afterwards when asked to.
void SaveNcData(CFendoView& view);

// "Layer ncdata 저장": several layers, in the order the layer output dialog lists them,
// as one program with one header and one end block.
void SaveLayerNcData(CFendoView& view);

// "Post Processor": the work layer written through a post-processor template.
void RunPostProcessor(CFendoView& view);

}  // namespace fendo

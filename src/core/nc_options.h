#pragma once

namespace fendo {

// The NC input and output options of a view, as the settings file `fendo.par` keeps them.
struct NcOptions {
  bool intNcdataFlg = false;        // values are integers in thousandths of a millimetre
  bool heidenhainInputChk = false;  // read Heidenhain conversational text instead of ISO
  bool heidenhainOutChk = false;    // write Heidenhain conversational text instead of ISO
  bool arcToCutInputChk = false;    // turn arcs into straight feed moves while reading
  bool arcCentreAbsInputChk = false;  // I, J, K are the centres' coordinates until G91.1 says not

  friend bool operator==(const NcOptions&, const NcOptions&) = default;
};

}  // namespace fendo

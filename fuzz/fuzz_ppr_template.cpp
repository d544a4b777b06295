// *.ppr text: the template reader must survive any bytes, what it reads must be written and
// read back unchanged, and every section it defines must expand, prompts answered by a script
// of awkward values (cancel, fractions, numbers beyond an int, NaN).
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/user_prompts.h"
#include "output/post_template.h"
#include "output/template_expansion.h"

namespace {

class ScriptedAnswers : public fendo::UserPrompts {
 public:
  void Message(std::string_view, std::string_view, fendo::PromptIcon) override {}
  bool AskOkCancel(std::string_view, std::string_view, fendo::PromptIcon) override { return true; }
  std::optional<double> AskValue(std::string_view, double) override { return kAnswers[next_++ % kAnswers.size()]; }

 private:
  static constexpr std::array<std::optional<double>, 6> kAnswers = {
      std::nullopt, 12.5, -3.9, 1e300, std::numeric_limits<double>::quiet_NaN(), 9999};
  std::size_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fendo::PostTemplate postTemplate;
  postTemplate.LoadTemplateText(text);
  const std::string saved = postTemplate.TemplateText();
  fendo::PostTemplate reread;
  reread.LoadTemplateText(saved);
  if (reread.TemplateText() != saved) __builtin_trap();

  ScriptedAnswers prompts;
  fendo::TemplateExpander expander({.sequence = 9998, .tool = 1, .spindle = 1000, .lengthOffset = 1, .program = 7},
                                   prompts);
  fendo::TemplateVars current{.i = 1, .j = -2, .k = 0.5, .x = 10, .y = 999, .z = -0.0005, .r = 2.3, .feed = 500,
                              .kind = fendo::MoveKind::ArcCw, .plane = fendo::MoveKind::CentreZX};
  const fendo::TemplateVars previous{.y = 999, .feed = 300, .kind = fendo::MoveKind::Feed};
  std::string out;
  for (int s = 0; s < fendo::kTemplateSectionCount; ++s) {
    for (const fendo::TemplateLine& line : postTemplate.section(fendo::TemplateSectionId(s)).lines) {
      expander.ExpandLine(line.text, line.masks, current, previous, out);
    }
  }
  return 0;
}

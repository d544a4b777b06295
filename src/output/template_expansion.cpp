#include "output/template_expansion.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

#include "core/user_prompts.h"
#include "output/number_text.h"

namespace fendo {
namespace {

constexpr int kLastSequenceNumber = 9999;
constexpr int kLengthDecimals = 3;  // "%.3lf"
constexpr std::string_view kArcPlaneWord = "ARCPLANE";
// Follows the letter's label in the one-value dialog.
constexpr std::string_view kPromptRequest = "값을   입력하시요 !!";

enum class BracketForm : std::uint8_t {
  None,    // [$<letter>] stays as written
  Modal,   // letter and value when the value differs from the previous record's
  Always,  // letter and value on every line
};

// One letter of the template language: where its value lives and what each form writes.
// Exactly one of the three member pointers is set.
struct Variable {
  char letter;
  double TemplateVars::*length = nullptr;      // written "%.3lf"
  int TemplateVars::*recordInteger = nullptr;  // written "%d"
  int BoundValues::*runInteger = nullptr;      // written "%d"
  BracketForm bracket = BracketForm::None;
  std::string_view promptLabel;                // empty: ?<letter> asks nothing
};

constexpr std::array kVariables = {
    Variable{'F', nullptr, &TemplateVars::feed, nullptr, BracketForm::Modal, "F Code"},
    Variable{'H', nullptr, nullptr, &BoundValues::lengthOffset, BracketForm::Always, "H Code"},
    Variable{'I', &TemplateVars::i, nullptr, nullptr, BracketForm::Modal, "I Code"},
    Variable{'J', &TemplateVars::j, nullptr, nullptr, BracketForm::Modal, "\tJ Code"},
    Variable{'K', &TemplateVars::k, nullptr, nullptr, BracketForm::Modal, "K Code"},
    Variable{'N', nullptr, nullptr, &BoundValues::sequence, BracketForm::Always, "N Code"},
    Variable{'O', nullptr, nullptr, &BoundValues::program, BracketForm::None, "O Code"},
    Variable{'R', &TemplateVars::r, nullptr, nullptr, BracketForm::Modal, ""},
    Variable{'S', nullptr, nullptr, &BoundValues::spindle, BracketForm::None, "S Code"},
    Variable{'T', nullptr, nullptr, &BoundValues::tool, BracketForm::None, "T Code"},
    Variable{'X', &TemplateVars::x, nullptr, nullptr, BracketForm::Modal, "X Code"},
    Variable{'Y', &TemplateVars::y, nullptr, nullptr, BracketForm::Modal, "Y Code"},
    Variable{'Z', &TemplateVars::z, nullptr, nullptr, BracketForm::Modal, "Z Code"},
};

// The plane word of [$ARCPLANE] for each centre kind.
constexpr std::array<std::pair<MoveKind, std::string_view>, 3> kPlaneWords = {{
    {MoveKind::CentreXY, "G17"},
    {MoveKind::CentreZX, "G18"},
    {MoveKind::CentreYZ, "G19"},
}};

constexpr std::uint32_t Bit(int n) { return std::uint32_t{1} << n; }

constexpr std::uint32_t MakePromptLetters() {
  std::uint32_t mask = 0;
  for (const Variable& v : kVariables) {
    if (!v.promptLabel.empty()) mask |= Bit(v.letter - 'A');
  }
  return mask;
}
constexpr std::uint32_t kPromptLetters = MakePromptLetters();

const Variable* FindVariable(int bit) {
  const auto found = std::find_if(kVariables.begin(), kVariables.end(),
                                  [bit](const Variable& v) { return v.letter - 'A' == bit; });
  return found == kVariables.end() ? nullptr : &*found;
}

bool IsSequence(const Variable& v) { return v.runInteger == &BoundValues::sequence; }

// A variable in the text: how many characters it takes and its mask bit; length 0 for none.
struct Token {
  std::size_t length = 0;
  int bit = 0;
};

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

// "[$<letter>]" or "[$ARCPLANE]" at `at`.
Token BracketTokenAt(std::string_view text, std::size_t at) {
  if (text[at] != '[') return {};
  const std::string_view rest = text.substr(at);
  if (!rest.starts_with("[$")) return {};
  if (rest.substr(2).starts_with(kArcPlaneWord) && rest.substr(2 + kArcPlaneWord.size()).starts_with(']')) {
    return {kArcPlaneWord.size() + 3, LineMasks::kArcPlaneBit};
  }
  if (rest.size() >= 4 && IsLetter(rest[2]) && rest[3] == ']') return {4, rest[2] - 'A'};
  return {};
}

// "<mark><letter>" at `at`: "$X" or "?X".
Token MarkedLetterAt(std::string_view text, std::size_t at, char mark) {
  if (at + 1 < text.size() && text[at] == mark && IsLetter(text[at + 1])) return {2, text[at + 1] - 'A'};
  return {};
}

// The number after `number`: 9999 is followed by 1.
int SequenceAfter(int number) { return number >= kLastSequenceNumber ? 1 : number + 1; }

// The characters that may start a token in one pass.
struct Marks {
  std::array<bool, 256> is{};

  constexpr explicit Marks(std::string_view chars) {
    for (char c : chars) is[static_cast<unsigned char>(c)] = true;
  }
};
constexpr Marks kAnyTokenMarks("[$?");
constexpr Marks kBracketMarks("[");
constexpr Marks kPlainMarks("[$\r");  // a left bracket token is skipped whole, CR LF becomes LF
constexpr Marks kPromptMarks("?");

// Where the next mark is at or after `at` (the end of the text when there is none).
std::size_t FindMark(std::string_view text, std::size_t at, const Marks& marks) {
  while (at < text.size() && !marks.is[static_cast<unsigned char>(text[at])]) ++at;
  return at;
}

// Appends the text from `at` up to the next mark and returns where the mark is. Lines are
// copied in runs, not character by character: every record of a program passes through here.
std::size_t CopyUpToMark(std::string_view text, std::size_t at, const Marks& marks, std::string& out) {
  const std::size_t next = FindMark(text, at, marks);
  out.append(text.substr(at, next - at));
  return next;
}

bool Uses(std::uint32_t mask, int bit) { return (mask & Bit(bit)) != 0; }

bool Changed(const Variable& v, const TemplateVars& current, const TemplateVars& previous) {
  if (v.length) return current.*v.length != previous.*v.length;
  return current.*v.recordInteger != previous.*v.recordInteger;
}

// The value as the dialog shows it before the user changes it.
double ValueOf(const Variable& v, const TemplateVars& vars, const BoundValues& bound) {
  if (v.length) return vars.*v.length;
  if (v.recordInteger) return vars.*v.recordInteger;
  return bound.*v.runInteger;
}

// An entered number for an integer variable, cut toward zero and held within an int; a value
// that is not a number keeps the old one.
int CutToInteger(double entered, int kept) {
  if (std::isnan(entered)) return kept;
  return static_cast<int>(std::clamp(std::trunc(entered), double{INT_MIN}, double{INT_MAX}));
}

void Store(const Variable& v, double entered, TemplateVars& vars, BoundValues& bound) {
  if (v.length) {
    vars.*v.length = entered;
  } else if (v.recordInteger) {
    vars.*v.recordInteger = CutToInteger(entered, vars.*v.recordInteger);
  } else {
    bound.*v.runInteger = CutToInteger(entered, bound.*v.runInteger);
  }
}

void AppendStored(std::string& out, const Variable& v, const TemplateVars& vars, const BoundValues& bound) {
  if (v.length) {
    AppendFixed(out, vars.*v.length, kLengthDecimals);
  } else if (v.recordInteger) {
    AppendInteger(out, vars.*v.recordInteger);
  } else {
    AppendInteger(out, bound.*v.runInteger);
  }
}

// The value of a bracket or plain variable; N takes the next sequence number.
void AppendValue(std::string& out, const Variable& v, const TemplateVars& vars, BoundValues& bound) {
  if (IsSequence(v)) {
    AppendInteger(out, TakeSequenceNumber(bound.sequence));
  } else {
    AppendStored(out, v, vars, bound);
  }
}

void AppendPlaneWord(std::string& out, const TemplateVars& current, const TemplateVars& previous) {
  if (current.plane == previous.plane) return;
  for (const auto& [plane, word] : kPlaneWords) {
    if (plane == current.plane) out += word;
  }
}

}  // namespace

LineMasks ComputeLineMasks(std::string_view line) {
  LineMasks masks;
  for (std::size_t at = FindMark(line, 0, kAnyTokenMarks); at < line.size(); at = FindMark(line, at, kAnyTokenMarks)) {
    if (const Token t = BracketTokenAt(line, at); t.length) {
      masks.bracket |= Bit(t.bit);
      at += t.length;
    } else if (const Token plain = MarkedLetterAt(line, at, '$'); plain.length) {
      masks.plain |= Bit(plain.bit);
      at += plain.length;
    } else if (const Token prompt = MarkedLetterAt(line, at, '?'); prompt.length) {
      masks.prompt |= Bit(prompt.bit);
      at += prompt.length;
    } else {
      ++at;
    }
  }
  return masks;
}

bool AsksForValues(const LineMasks& masks) { return (masks.prompt & kPromptLetters) != 0; }

int TakeSequenceNumber(int& counter) {
  if (counter > kLastSequenceNumber || counter < 0) counter = 0;
  const int number = counter;
  counter = SequenceAfter(number);
  return number;
}

void TemplateExpander::ExpandLine(std::string_view line, const LineMasks& masks, TemplateVars& current,
                                  const TemplateVars& previous, std::string& out) {
  const std::size_t start = out.size();
  // 1. Bracket variables, 2. plain variables and 3. CR LF to LF (done while copying the text
  // of pass 2: no value contains a CR or LF, so the pairs are the same), 4. prompts.
  std::string_view text = line;
  if (masks.bracket) {
    scratch_.clear();
    ExpandBracketVariables(line, masks.bracket, current, previous, scratch_);
    text = scratch_;
  }
  ExpandPlainVariables(text, masks.plain, current, out);
  if (AsksForValues(masks)) AskPromptVariables(masks.prompt, current, out, start);
}

void TemplateExpander::ExpandBracketVariables(std::string_view line, std::uint32_t mask, const TemplateVars& current,
                                              const TemplateVars& previous, std::string& out) {
  for (std::size_t at = CopyUpToMark(line, 0, kBracketMarks, out); at < line.size();
       at = CopyUpToMark(line, at, kBracketMarks, out)) {
    const Token t = BracketTokenAt(line, at);
    if (!t.length) {
      out += line[at++];
      continue;
    }
    const std::string_view token = line.substr(at, t.length);
    at += t.length;
    if (!Uses(mask, t.bit)) {
      out += token;
    } else if (t.bit == LineMasks::kArcPlaneBit) {
      AppendPlaneWord(out, current, previous);
    } else if (const Variable* v = FindVariable(t.bit); !v || v->bracket == BracketForm::None) {
      out += token;
    } else if (v->bracket == BracketForm::Always || Changed(*v, current, previous)) {
      out += v->letter;
      AppendValue(out, *v, current, bound_);
    }
  }
}

void TemplateExpander::ExpandPlainVariables(std::string_view text, std::uint32_t mask, const TemplateVars& current,
                                            std::string& out) {
  for (std::size_t at = CopyUpToMark(text, 0, kPlainMarks, out); at < text.size();
       at = CopyUpToMark(text, at, kPlainMarks, out)) {
    // A bracket variable left by pass 1 stays whole: its "$X" is not a plain variable.
    if (const Token bracket = BracketTokenAt(text, at); bracket.length) {
      out += text.substr(at, bracket.length);
      at += bracket.length;
      continue;
    }
    if (text.substr(at).starts_with("\r\n")) {
      out += '\n';
      at += 2;
      continue;
    }
    const Token t = MarkedLetterAt(text, at, '$');
    const Variable* v = t.length && Uses(mask, t.bit) ? FindVariable(t.bit) : nullptr;
    if (!v) {
      out += text[at++];
      continue;
    }
    AppendValue(out, *v, current, bound_);
    at += t.length;
  }
}

void TemplateExpander::AskPromptVariables(std::uint32_t mask, TemplateVars& current, std::string& out,
                                          std::size_t from) {
  scratch_.assign(out, from);
  out.resize(from);
  const std::string_view text = scratch_;
  for (std::size_t at = CopyUpToMark(text, 0, kPromptMarks, out); at < text.size();
       at = CopyUpToMark(text, at, kPromptMarks, out)) {
    const Token t = MarkedLetterAt(text, at, '?');
    const Variable* v = t.length && Uses(mask, t.bit) ? FindVariable(t.bit) : nullptr;
    if (!v || v->promptLabel.empty()) {
      out += text[at++];
      continue;
    }
    std::string label(v->promptLabel);
    label += kPromptRequest;
    if (const std::optional<double> entered = prompts_.AskValue(label, ValueOf(*v, current, bound_))) {
      Store(*v, *entered, current, bound_);
    }
    AppendStored(out, *v, current, bound_);
    // The counter moves on past a prompted sequence number as it does past a written one.
    if (IsSequence(*v)) bound_.sequence = SequenceAfter(bound_.sequence);
    at += t.length;
  }
}

}  // namespace fendo

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/move_kind.h"

namespace fendo {

class UserPrompts;

// The variables of a post-processor template line, in three forms:
//   [$X]        bracket (modal): written with its letter, and only when the value changed;
//   $X          plain: the bare value, always;
//   ?X          prompt: the one-value dialog asks for the value, then it is written bare.
// "[$ARCPLANE]" is the one bracket variable named by a word: G17, G18 or G19 when the arc plane
// changed. A letter the template language does not know stays in the text as written.

// Which variables a line uses in each form: bit n stands for the letter 'A' + n.
struct LineMasks {
  static constexpr int kArcPlaneBit = 26;  // [$ARCPLANE], bracket form only

  std::uint32_t bracket = 0;
  std::uint32_t plain = 0;
  std::uint32_t prompt = 0;

  friend bool operator==(const LineMasks&, const LineMasks&) = default;
};

// The masks of a line, worked out once when the line is added to its section.
LineMasks ComputeLineMasks(std::string_view line);
// True when expanding the line opens the one-value dialog (a prompt variable of a known letter).
bool AsksForValues(const LineMasks& masks);

// The values of one record as the template sees them. A run keeps two: the current record's
// and the previous record's, whose comparison decides the bracket variables.
struct TemplateVars {
  double i = 0;                     // mm, arc centre offset from the start; kept by non-arcs
  double j = 0;                     // mm
  double k = 0;                     // mm
  double x = 0;                     // mm
  double y = 0;                     // mm
  double z = 0;                     // mm
  double r = 0;                     // mm, sqrt(I² + J² + K²) of the last arc; kept by non-arcs
  int feed = 0;                     // mm/min
  MoveKind kind = MoveKind::None;   // the record's kind
  MoveKind plane = MoveKind::None;  // centre kind of the last arc (CentreXY/ZX/YZ); kept by non-arcs
};

// The integers bound to a run when the output dialog closes with OK. Every section of the
// template shares them, the sequence counter included.
struct BoundValues {
  int sequence = 1;      // N, the next sequence number
  int tool = 0;          // T
  int spindle = 0;       // S, rpm
  int lengthOffset = 0;  // H
  int program = 0;       // O
};

// Sequence numbers run 1 … 9999 and then start again at 1: returns the number to write and
// advances the counter. A counter set outside 0 … 9999 (by a prompted value) restarts at 0.
// A prompted sequence number (?N) is written as entered, and the counter moves on from it by
// the same rule.
int TakeSequenceNumber(int& counter);

// Expands the lines of one run: it holds the run's bound values and asks for prompted values
// through `prompts`. Its working buffer is reused from line to line, so that a program of
// millions of records costs no allocation per line.
class TemplateExpander {
 public:
  TemplateExpander(const BoundValues& bound, UserPrompts& prompts) : bound_(bound), prompts_(prompts) {}

  // Appends the expansion of `line` to `out`, in four passes, each over the result of the one
  // before: bracket variables, plain variables, every CR LF to LF, prompt variables. `masks`
  // are the line's (ComputeLineMasks); a variable whose bit is clear stays as written. A value
  // entered at a prompt is kept: F and the lengths in `current`, H, N, O, S, T in the bound
  // values, so later lines and records use it.
  void ExpandLine(std::string_view line, const LineMasks& masks, TemplateVars& current, const TemplateVars& previous,
                  std::string& out);

  const BoundValues& bound() const { return bound_; }

 private:
  void ExpandBracketVariables(std::string_view line, std::uint32_t mask, const TemplateVars& current,
                              const TemplateVars& previous, std::string& out);
  void ExpandPlainVariables(std::string_view text, std::uint32_t mask, const TemplateVars& current, std::string& out);
  void AskPromptVariables(std::uint32_t mask, TemplateVars& current, std::string& out, std::size_t from);

  BoundValues bound_;
  UserPrompts& prompts_;
  std::string scratch_;
};

}  // namespace fendo

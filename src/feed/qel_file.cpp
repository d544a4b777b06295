#include "feed/qel_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <system_error>
#include <variant>

#include "config/settings_tokens.h"
#include "config/text_file.h"
#include "core/output_file.h"
#include "feed/machine_condition_ranges.h"

namespace fendo {
namespace {

using RealField = float MachineCondition::*;
using WholeField = int MachineCondition::*;
using WordField = std::string MachineCondition::*;
using QelField = std::variant<RealField, WholeField, WordField>;

struct QelSetting {
  std::string_view key;
  QelField field;
  std::string_view range = {};  // the field's name in the machine condition's ranges
  bool readBack = true;         // false: written for the record, passed over when read
};

// The settings in the order they are written. The first kLeadingLines are read by position.
constexpr std::array<QelSetting, 23> kSettings = {{
    {"공구직경", &MachineCondition::toolDiameter, "toolDiameter"},
    {"안전거리", &MachineCondition::safetyDistance, "safetyDistance"},
    {"코너최소각도", &MachineCondition::cornerMinAngle, "cornerMinAngle"},
    {"코너최대감속비", &MachineCondition::cornerMaxReduction, "cornerMaxReduction"},
    {"경사최소각도", &MachineCondition::slopeMinAngle, "slopeMinAngle"},
    {"경사최대감속비", &MachineCondition::slopeMaxReduction, "slopeMaxReduction"},
    {"PlungeFeed", &MachineCondition::plungeFeed, "plungeFeed"},
    {"최대피드", &MachineCondition::qelMaxFeed, "qelMaxFeed"},
    {"가공소재", &MachineCondition::material},
    {"QelByMaster", &MachineCondition::qelByMaster, "qelByMaster", false},
    {"ConCorChk", &MachineCondition::conCorChk, "conCorChk"},
    {"UpDownChk", &MachineCondition::upDownChk, "upDownChk"},
    {"FeedChgSmoothCheck", &MachineCondition::feedChgSmoothCheck, "feedChgSmoothCheck"},
    {"XyChgReduceCheck", &MachineCondition::xyChgReduceCheck, "xyChgReduceCheck"},
    {"FeedChgAng", &MachineCondition::feedUnit, "feedChgAng"},
    {"CorWeight0", &MachineCondition::corWeight0, "corWeight0"},
    {"CorWeight30", &MachineCondition::corWeight30, "corWeight30"},
    {"CorWeight60", &MachineCondition::corWeight60, "corWeight60"},
    {"SideWeight0", &MachineCondition::sideWeight0, "sideWeight0"},
    {"SideWeight30", &MachineCondition::sideWeight30, "sideWeight30"},
    {"SideWeight60", &MachineCondition::sideWeight60, "sideWeight60"},
    {"ZupZdown", &MachineCondition::zupZdown, "zupZdown"},
    {"SideCorRat", &MachineCondition::sideCorRat, "sideCorRat"},
}};
constexpr std::size_t kLeadingLines = 9;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLongestQuote = 80;  // characters of a line a message quotes
constexpr int kRealDecimals = 6;  // "%f"

// Walks a *.qel text line by line (the leading settings) or word by word (the pairs after
// them), knowing the number of the line it stands in. A line ends at LF, CR LF or a lone CR.
class QelScanner {
 public:
  explicit QelScanner(std::string_view text) : text_(text) {}

  // The next line that holds a word, without its line end; false at the end of the text.
  bool NextFilledLine(std::string_view& line) {
    while (pos_ < text_.size()) {
      const std::size_t end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
      line = text_.substr(pos_, end - pos_);
      wordLine_ = line_;
      pos_ = end;
      SkipLineEnd();
      if (!IsBlank(line)) return true;
    }
    return false;
  }

  // The next word, wherever it stands; empty at the end of the text.
  std::string_view NextWord() {
    while (pos_ < text_.size() && IsSettingsSpace(text_[pos_])) {
      if (text_[pos_] == '\r' || text_[pos_] == '\n') {
        SkipLineEnd();
      } else {
        ++pos_;
      }
    }
    wordLine_ = line_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSettingsSpace(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }

  // The number (from 1) of the line the last line or word handed out stands in.
  int line() const { return wordLine_; }

 private:
  static bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), IsSettingsSpace);
  }

  // Steps over one line end at pos_, if there is one.
  void SkipLineEnd() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int wordLine_ = 1;
};

// The key and the value of a leading line; false unless the line holds exactly two words.
bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  QelScanner words(line);
  key = words.NextWord();
  value = words.NextWord();
  return !value.empty() && words.NextWord().empty();
}

// "%f" and "%d" take a plus sign, std::from_chars does not.
std::string_view WithoutPlus(std::string_view token) {
  const bool plus = token.size() > 1 && token[0] == '+' && token[1] != '+' && token[1] != '-';
  return plus ? token.substr(1) : token;
}

// Reads the whole token as a number of type T, whatever the locale: a decimal number with an
// optional exponent, "inf" or "nan" for reals. False when the token is anything else or lies
// beyond T's range.
template <typename T>
bool ParseWholeToken(std::string_view token, T& value) {
  token = WithoutPlus(token);
  T parsed{};
  const char* const end = token.data() + token.size();
  const auto [stop, error] = std::from_chars(token.data(), end, parsed);
  if (error != std::errc{} || stop != end) return false;
  value = parsed;
  return true;
}

// Stores the value token in the setting's field; false when it is not the field's kind of
// number.
bool StoreValue(MachineCondition& condition, const QelField& field, std::string_view token) {
  if (const RealField* real = std::get_if<RealField>(&field)) return ParseWholeToken(token, condition.**real);
  if (const WholeField* whole = std::get_if<WholeField>(&field)) return ParseWholeToken(token, condition.**whole);
  condition.*std::get<WordField>(field) = token;
  return true;
}

void AppendValue(std::string& text, const MachineCondition& condition, const QelField& field) {
  char digits[64];
  if (const RealField* real = std::get_if<RealField>(&field)) {
    const double v = condition.**real;
    text.append(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, kRealDecimals).ptr);
  } else if (const WholeField* whole = std::get_if<WholeField>(&field)) {
    text.append(digits, std::to_chars(digits, digits + sizeof digits, condition.**whole).ptr);
  } else {
    text.append(condition.*std::get<WordField>(field));
  }
}

std::string KindOfNumber(const QelField& field) {
  return std::holds_alternative<RealField>(field) ? "a number" : "a whole number";
}

QelFileResult Malformed(int line, std::string what) {
  return {QelFileStatus::Malformed, "line " + std::to_string(line) + ": " + std::move(what)};
}

// The setting read back under `key` after the leading lines; nothing for any other key.
const QelSetting* PairSetting(std::string_view key) {
  for (std::size_t i = kLeadingLines; i < kSettings.size(); ++i) {
    if (kSettings[i].readBack && SameKey(key, kSettings[i].key)) return &kSettings[i];
  }
  return nullptr;
}

// The text in quotes, its first kLongestQuote characters only: a message quotes a line, it
// does not repeat a file.
std::string Quoted(std::string_view text) {
  std::size_t characters = 0;
  std::size_t end = 0;
  for (; end < text.size(); ++end) {
    const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;  // not a UTF-8 continuation
    if (starts && characters++ == kLongestQuote) break;
  }
  std::string quoted = "\"";
  quoted.append(text.substr(0, end)).append(end < text.size() ? "...\"" : "\"");
  return quoted;
}

// Stores the value of `setting` read in `line` of the file; the failure, naming the line and
// quoting it, when it is not the field's kind of number or lies outside the field's range.
std::optional<QelFileResult> ReadValue(MachineCondition& condition, const QelSetting& setting, std::string_view value,
                                       int line, std::string_view lineText) {
  if (!StoreValue(condition, setting.field, value)) {
    return Malformed(line, "the value of " + std::string(setting.key) + " must be " + KindOfNumber(setting.field) +
                               ", not " + Quoted(value));
  }
  if (const std::optional<OptionOutOfRange> range = CheckMachineConditionField(condition, setting.range)) {
    return Malformed(line, range->message + " in " + Quoted(lineText));
  }
  return std::nullopt;
}

QelFileResult FileFailure(QelFileStatus status, const std::filesystem::path& path, std::string_view reason) {
  return {status, path.string() + ": " + std::string(reason)};
}

}  // namespace

std::string FormatQelText(const MachineCondition& condition) {
  std::string text;
  for (const QelSetting& setting : kSettings) {
    text.append(setting.key).append(" ");
    AppendValue(text, condition, setting.field);
    text.append(kLineEnd);
  }
  return text;
}

QelFileResult ParseQelText(std::string_view text, MachineCondition& condition) {
  MachineCondition read = condition;
  QelScanner scanner(text);

  // 1. The leading lines, by position: the key of each is not looked at.
  for (std::size_t i = 0; i < kLeadingLines; ++i) {
    const QelSetting& setting = kSettings[i];
    std::string_view line;
    if (!scanner.NextFilledLine(line)) {
      return {QelFileStatus::Malformed, "the file ends before the setting " + std::string(setting.key)};
    }
    std::string_view key;
    std::string_view value;
    if (!SplitKeyValue(line, key, value)) {
      return Malformed(scanner.line(), "the setting " + std::string(setting.key) + " needs a key and one value, not " +
                                           Quoted(line));
    }
    if (std::optional<QelFileResult> refused = ReadValue(read, setting, value, scanner.line(), line)) {
      return std::move(*refused);
    }
  }

  // 2. Word pairs to the end of the text, by key.
  for (std::string_view key = scanner.NextWord(); !key.empty(); key = scanner.NextWord()) {
    const int keyLine = scanner.line();
    const std::string_view value = scanner.NextWord();
    if (value.empty()) return Malformed(keyLine, Quoted(key) + " has no value");
    const QelSetting* setting = PairSetting(key);
    if (!setting) continue;
    const std::string pair = std::string(key) + " " + std::string(value);
    if (std::optional<QelFileResult> refused = ReadValue(read, *setting, value, scanner.line(), pair)) {
      return std::move(*refused);
    }
  }

  condition = std::move(read);
  return {};
}

QelFileResult ReadQelFile(const std::filesystem::path& path, MachineCondition& condition) {
  // A missing file is a failure here: the user named a *.qel to load.
  std::error_code error;
  if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
    return FileFailure(QelFileStatus::CannotOpen, path, error ? error.message() : std::strerror(ENOENT));
  }
  std::string text;
  if (const FileStatus status = ReadOptionalTextFile(path, text); !status) {
    return FileFailure(QelFileStatus::CannotOpen, path, status.reason);
  }
  QelFileResult result = ParseQelText(text, condition);
  if (!result.ok()) result.reason = path.string() + ": " + result.reason;
  return result;
}

QelFileResult WriteQelFile(const std::filesystem::path& path, const MachineCondition& condition) {
  if (!IsSettingsToken(condition.material)) {
    return FileFailure(QelFileStatus::NotOneWord, path,
                       "the material " + Quoted(condition.material) +
                           " must be one word without white space to be read back from a *.qel file");
  }
  OutputFile file(path);
  if (!file.ok()) return FileFailure(QelFileStatus::CannotCreate, path, file.status().reason);
  file.Write(FormatQelText(condition));
  if (const FileStatus closed = file.Close(); !closed) {
    return FileFailure(QelFileStatus::WriteFailed, path, closed.reason);
  }
  return {};
}

std::filesystem::path QelDialogStart(const MachineCondition& condition) {
  return std::filesystem::path(condition.qelDirectory) / "*.qel";
}

}  // namespace fendo

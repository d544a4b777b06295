#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/text_encoding.h"

namespace fendo {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";


}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  while (!text.empty()) {
    const char c = text.front();
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      json += kReplacementCharacter;
      text.remove_prefix(1);
      continue;
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (c == '\n') {
      json += "\\n";
    } else if (c == '\r') {
      json += "\\r";
    } else if (c == '\t') {
      json += "\\t";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      json += "\\u00";
      json += kHex[(c >> 4) & 0xF];
      json += kHex[c & 0xF];
    } else {
      json.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return json + '"';
}

std::string JsonNumber(double number) {
  if (!std::isfinite(number)) return "null";
  char digits[32];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void JsonObject::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ',';
  text_ += JsonString(key);
  text_ += ':';
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view text) {
  Key(key);
  text_ += JsonString(text);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, double number) {
  Key(key);
  text_ += JsonNumber(number);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, long long number) {
  Key(key);
  text_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
  Key(key);
  text_ += json;
  return *this;
}

}  // namespace fendo

#pragma once

#include <string>
#include <string_view>

namespace fendo {

// Builds one JSON object on one line, member by member.
class JsonObject {
 public:
  JsonObject& Add(std::string_view key, std::string_view text);
  JsonObject& Add(std::string_view key, const char* text) { return Add(key, std::string_view(text)); }
  JsonObject& Add(std::string_view key, double number);
  JsonObject& Add(std::string_view key, long long number);
  JsonObject& Add(std::string_view key, int number) { return Add(key, static_cast<long long>(number)); }
  // A member whose value is already JSON (an array, an object, null).
  JsonObject& AddRaw(std::string_view key, std::string_view json);

  std::string str() const { return text_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string text_ = "{";
};

// A JSON string literal. Bytes that are not valid UTF-8 (comments of programs written in
// another encoding) become U+FFFD, so the output always parses.
std::string JsonString(std::string_view text);
// A number as JSON writes it: the shortest form that reads back exactly; null for NaN and
// infinities, which JSON cannot hold.
std::string JsonNumber(double number);

}  // namespace fendo

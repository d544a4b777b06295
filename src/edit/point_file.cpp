#include "edit/point_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

namespace fendo {
namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";

// The words of a line, split at blanks.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = line.find_first_not_of(kBlanks);
  while (at != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kBlanks, at);
    words.push_back(line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    at = line.find_first_not_of(kBlanks, end);
  }
  return words;
}

bool IsWord(std::string_view word, std::string_view lowerCase) {
  if (word.size() != lowerCase.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    const char c = word[k];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerCase[k]) return false;
  }
  return true;
}

// A number as people write it in such files: a leading '+' is taken too.
std::optional<double> Number(std::string_view word) {
  if (word.size() > 1 && word.front() == '+' && word[1] != '-') word.remove_prefix(1);
  double value = 0;
  const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (failure != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<Point3> Vertex(const std::vector<std::string_view>& words) {
  if (words.size() != 3) return std::nullopt;
  const std::optional<double> x = Number(words[0]);
  const std::optional<double> y = Number(words[1]);
  const std::optional<double> z = Number(words[2]);
  if (!x || !y || !z) return std::nullopt;
  return Point3{*x, *y, *z};
}

}  // namespace

std::optional<std::vector<std::vector<Point3>>> ParsePointText(std::string_view text, std::string& error) {
  std::vector<std::vector<Point3>> polygons;
  bool open = false;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    ++lineNumber;
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    if (IsWord(words.front(), "start")) {
      polygons.emplace_back();
      open = true;
    } else if (IsWord(words.front(), "end")) {
      open = false;
    } else if (open) {
      const std::optional<Point3> vertex = Vertex(words);
      if (!vertex) {
        error = "line " + std::to_string(lineNumber) + ": a vertex is three numbers x y z, not \"" +
                std::string(line.substr(0, line.find_last_not_of(kBlanks) + 1)) + "\"";
        return std::nullopt;
      }
      polygons.back().push_back(*vertex);
    }
  }
  return polygons;
}

std::optional<std::vector<std::vector<Point3>>> ReadPointFile(const std::filesystem::path& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path.string();
    return std::nullopt;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  return ParsePointText(text, error);
}

}  // namespace fendo

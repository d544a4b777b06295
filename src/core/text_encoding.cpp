#include "core/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace fendo {

std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length;
  std::uint32_t code;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < shortest[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr const char* kCp949Name = "CP949";
constexpr const char* kUtf8Name = "UTF-8";

unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool IsUtf8(std::string_view s) {
  while (!s.empty()) {
    const std::size_t length = Utf8SequenceLength(s);
    if (length == 0) return false;
    s.remove_prefix(length);
  }
  return true;
}

// KS X 1001 pairs have both bytes in 0xA1–0xFE; the extension's Hangul syllables sit under lead
// bytes up to 0xC6, with trail bytes among the ASCII letters and 0x81–0xA0 as well.
bool IsCp949Pair(unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || lead > 0xFE) return false;
  if (trail >= 0xA1 && trail <= 0xFE) return true;
  const bool extensionTrail =
      (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) || (trail >= 0x81 && trail <= 0xA0);
  return lead <= 0xC6 && extensionTrail;
}

bool IsCp949(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    if (Byte(s, i) < 0x80) {
      ++i;
    } else if (i + 1 < s.size() && IsCp949Pair(Byte(s, i), Byte(s, i + 1))) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view s) {
  std::string utf8;
  utf8.reserve(s.size());
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (b >> 6));
      utf8 += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> Utf8ToLatin1(std::string_view s) {
  if (!IsUtf8(s)) return std::nullopt;
  std::string latin1;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char b = Byte(s, i);
    if (b < 0x80) {
      latin1 += s[i];
    } else if (b == 0xC2 || b == 0xC3) {
      latin1 += static_cast<char>(((b & 0x03) << 6) | (Byte(s, ++i) & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return latin1;
}

// glibc's converter between two of its encodings, closed when it goes.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can into `out`; false when it stopped at a byte sequence it
  // cannot convert, which `in` then starts with.
  bool Convert(std::string_view& in, std::string& out) {
    std::string buffer(in.size() * 2 + 4, '\0');
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size();
    char* target = buffer.data();
    std::size_t targetLeft = buffer.size();
    const bool whole = iconv(cd_, &source, &sourceLeft, &target, &targetLeft) != static_cast<std::size_t>(-1);
    out.append(buffer.data(), buffer.size() - targetLeft);
    in.remove_prefix(in.size() - sourceLeft);
    return whole;
  }

 private:
  iconv_t cd_;
};

// Without glibc's CP949 converter the bytes are shown as Latin-1: wrong characters, but text.
std::string Cp949ToUtf8(std::string_view s) {
  Converter converter(kUtf8Name, kCp949Name);
  if (!converter.ok()) return Latin1ToUtf8(s);
  std::string utf8;
  while (!converter.Convert(s, utf8) && !s.empty()) {
    utf8 += kReplacement;
    s.remove_prefix(s.size() > 1 && Byte(s, 0) >= 0x81 ? 2 : 1);
  }
  return utf8;
}

std::optional<std::string> Utf8ToCp949(std::string_view s) {
  Converter converter(kCp949Name, kUtf8Name);
  std::string cp949;
  if (!converter.ok() || !converter.Convert(s, cp949)) return std::nullopt;
  return cp949;
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  if (IsUtf8(bytes)) return TextEncoding::Utf8;
  if (IsCp949(bytes)) return TextEncoding::Cp949;
  return TextEncoding::Latin1;
}

std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return std::string(bytes);
    case TextEncoding::Cp949: return Cp949ToUtf8(bytes);
    case TextEncoding::Latin1: return Latin1ToUtf8(bytes);
  }
  return std::string(bytes);
}

std::optional<std::string> EncodeFromUtf8(std::string_view utf8, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return IsUtf8(utf8) ? std::optional<std::string>(utf8) : std::nullopt;
    case TextEncoding::Cp949: return Utf8ToCp949(utf8);
    case TextEncoding::Latin1: return Utf8ToLatin1(utf8);
  }
  return std::nullopt;
}

}  // namespace fendo

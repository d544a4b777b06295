#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fendo {

// The encodings comments arrive in: UTF-8 (pure ASCII included), CP949 from Korean Windows
// machines, and Latin-1 from older Western controls and editors.
enum class TextEncoding { Utf8, Cp949, Latin1 };

// The length of the valid UTF-8 sequence at the front of `text` (not empty), 0 when it is not
// one: overlong forms, surrogates and code points beyond U+10FFFF are not.
std::size_t Utf8SequenceLength(std::string_view text);

// Valid UTF-8 is UTF-8; otherwise bytes that form CP949 characters throughout are CP949;
// anything else is Latin-1, which every byte string is.
TextEncoding DetectEncoding(std::string_view bytes);

// The bytes, read in `encoding`, as UTF-8. A CP949 pair without a character becomes U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding);
inline std::string DecodeToUtf8(std::string_view bytes) { return DecodeToUtf8(bytes, DetectEncoding(bytes)); }

// UTF-8 text in `encoding`; nothing when one of its characters has no code there.
std::optional<std::string> EncodeFromUtf8(std::string_view utf8, TextEncoding encoding);

}  // namespace fendo

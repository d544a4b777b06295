#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text_encoding.h"

namespace fendo {
namespace {

struct EncodingCase {
  const char* bytes;
  TextEncoding encoding;
  const char* utf8;  // how the bytes read
};

// Comments as they come from programs of Korean Windows machines (CP949), of current editors
// (UTF-8) and of older Western ones (Latin-1), and bytes that are none of them.
const EncodingCase kCases[] = {
    {"", TextEncoding::Utf8, ""},
    {"ROUGH D10 FLAT", TextEncoding::Utf8, "ROUGH D10 FLAT"},
    {"\xEA\xB3\xB5\xEA\xB5\xAC \xED\x99\xA9\xEC\x82\xAD", TextEncoding::Utf8, "공구 황삭"},
    {"\xB0\xF8\xB1\xB8 \xC8\xB2\xBB\xE8", TextEncoding::Cp949, "공구 황삭"},
    {"\xC8\xB2\xBB\xE8 D10 \xBF\xA3\xB5\xE5\xB9\xD0", TextEncoding::Cp949, "황삭 D10 엔드밀"},
    {"\x8C\x63", TextEncoding::Cp949, "똠"},  // an extension syllable: its trail byte is the letter c
    {"Fr\xE4ser \xD8" "12", TextEncoding::Latin1, "Fräser Ø12"},
    {"CAF\xC9", TextEncoding::Latin1, "CAFÉ"},          // a lead byte without its trail
    {"\xE9" "bauche", TextEncoding::Latin1, "ébauche"},  // 0xE9 takes no ASCII trail byte in CP949
    {"\xC0\x80", TextEncoding::Latin1, "À\xC2\x80"},     // an overlong NUL
    {"\xED\xA0\x80", TextEncoding::Latin1, "í\xC2\xA0\xC2\x80"},  // a UTF-16 surrogate
    {"\xFF\xFE", TextEncoding::Latin1, "ÿþ"},
};

TEST(TextEncoding, DetectsUtf8ThenCp949ThenLatin1) {
  for (const EncodingCase& c : kCases) {
    EXPECT_EQ(DetectEncoding(c.bytes), c.encoding) << c.utf8;
    EXPECT_EQ(DecodeToUtf8(c.bytes), c.utf8);
  }
}

TEST(TextEncoding, EncodesBackIntoTheBytesItDecoded) {
  for (const EncodingCase& c : kCases) {
    EXPECT_EQ(EncodeFromUtf8(c.utf8, c.encoding), std::string(c.bytes)) << c.utf8;
  }
  EXPECT_EQ(EncodeFromUtf8("황삭", TextEncoding::Latin1), std::nullopt);
  EXPECT_EQ(EncodeFromUtf8("\xF0\x9F\x94\xA7", TextEncoding::Cp949), std::nullopt) << "a character CP949 lacks";
  EXPECT_EQ(EncodeFromUtf8("\xB0\xA1", TextEncoding::Utf8), std::nullopt) << "bytes that are no UTF-8";
}

TEST(TextEncoding, AWellFormedCp949PairWithoutACharacterReadsAsReplacement) {
  // 0xFE starts a user-defined row: the pair is well formed but means nothing.
  EXPECT_EQ(DetectEncoding("\xFE\xA1 T1 \xB0\xA1"), TextEncoding::Cp949);
  EXPECT_EQ(DecodeToUtf8("\xFE\xA1 T1 \xB0\xA1"), "\xEF\xBF\xBD T1 가");
}

// Random bytes, mostly high ones as in Korean and accented comments: whatever they are, they read
// as valid UTF-8, and where no byte was replaced they encode back into themselves.
TEST(TextEncoding, AnyBytesReadAsUtf8AndComeBackUnlessReplaced) {
  std::mt19937 random(12);
  std::uniform_int_distribution<int> length(1, 12), byte(0, 255), high(0x80, 0xFF);
  for (int n = 0; n < 20000; ++n) {
    std::string bytes;
    for (int k = length(random); k > 0; --k) bytes += static_cast<char>(k % 4 == 0 ? byte(random) : high(random));
    const TextEncoding encoding = DetectEncoding(bytes);
    const std::string utf8 = DecodeToUtf8(bytes, encoding);
    ASSERT_EQ(DetectEncoding(utf8), TextEncoding::Utf8) << utf8;
    if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
      ASSERT_EQ(EncodeFromUtf8(utf8, encoding), bytes);
    }
  }
}

}  // namespace
}  // namespace fendo

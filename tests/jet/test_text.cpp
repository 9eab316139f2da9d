// Text decoding paths that our own writer never produces but Access does.
#include "data/jet/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string jet4(const std::vector<unsigned char>& bytes) {
    std::string out;
    jet::text::appendJet4Text(out, bytes.data(), bytes.size());
    return out;
}

TEST(Jet4Text, CompressedFormAndModeSwitches) {
    EXPECT_EQ(jet4({0xFF, 0xFE, 'A', 'b', 'c'}), "Abc");
    // é (U+00E9) is one byte in compressed mode.
    EXPECT_EQ(jet4({0xFF, 0xFE, 'c', 'a', 'f', 0xE9}), "caf\xC3\xA9");
    // A zero byte switches to two-byte units (函 = U+51FD) and back.
    EXPECT_EQ(jet4({0xFF, 0xFE, 'a', 0x00, 0xFD, 0x51, 0x00, 'b'}), "a\xE5\x87\xBD"
                                                                    "b");
    // Bare FF FE is plain UTF-16: a lone U+FEFF, not an empty compressed text.
    EXPECT_EQ(jet4({0xFF, 0xFE}), "\xEF\xBB\xBF");
    // Uncompressed text with characters whose low byte is zero.
    EXPECT_EQ(jet4({0x00, 0x4E, 0x00, 0x67}), "\xE4\xB8\x80\xE6\x9C\x80"); // 一最
    EXPECT_EQ(jet4({}), "");
}

TEST(Jet4Text, SurrogatesAndOddBytes) {
    // U+1F600 as a surrogate pair.
    EXPECT_EQ(jet4({0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80");
    // An unpaired surrogate becomes U+FFFD instead of invalid UTF-8.
    EXPECT_EQ(jet4({0x3D, 0xD8, 'a', 0}), "\xEF\xBF\xBD"
                                          "a");
    EXPECT_EQ(jet4({0x00, 0xDC}), "\xEF\xBF\xBD");
    // A trailing odd byte carries no character.
    EXPECT_EQ(jet4({'a', 0, 'b'}), "a");
}

TEST(CodePages, GbkAndReplacement) {
    const jet::text::CodePageDecoder gbk(936);
    const std::vector<unsigned char> hanzi = {0xBA, 0xAF, 0xCA, 0xFD, 0xB2, 0xE2, 0xCA, 0xD4}; // 函数测试
    EXPECT_EQ(gbk.decode(hanzi.data(), hanzi.size()), "函数测试");
    // A lead byte with nothing after it cannot be decoded: one replacement.
    const std::vector<unsigned char> cut = {'o', 'k', 0xBA};
    EXPECT_EQ(gbk.decode(cut.data(), cut.size()), "ok\xEF\xBF\xBD");
    const jet::text::CodePageDecoder latin(1252);
    const std::vector<unsigned char> umlaut = {'U', 'm', 's', 0xE4, 't', 'z', 'e'};
    EXPECT_EQ(latin.decode(umlaut.data(), umlaut.size()), "Ums\xC3\xA4tze");
    EXPECT_STREQ(jet::text::charsetForCodePage(12345), "CP1252");
}

TEST(CodePages, EncodingRefusesWhatTheCodePageLacks) {
    EXPECT_EQ(jet::text::encodeCodePage("函数", 936), "\xBA\xAF\xCA\xFD");
    EXPECT_THROW(jet::text::encodeCodePage("\xF0\x9F\x98\x80", 936), std::invalid_argument);
    EXPECT_THROW(jet::text::encodeCodePage("\xC3", 936), std::invalid_argument);
    EXPECT_THROW(jet::text::utf8ToUtf16("\xED\xA0\x80"), std::invalid_argument); // encoded surrogate
    EXPECT_EQ(jet::text::utf8ToUtf16("a\xF0\x9F\x98\x80"), (std::u16string{u'a', 0xD83D, 0xDE00}));
}

} // namespace

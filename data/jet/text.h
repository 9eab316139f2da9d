// Text conversions between the encodings found in Jet files and UTF-8.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace jet::text {

// Appends UTF-16LE code units as UTF-8. Surrogate pairs are joined; an
// unpaired surrogate becomes U+FFFD. An odd trailing byte is ignored.
void appendUtf16le(std::string& out, const unsigned char* data, std::size_t bytes);

// Appends Jet4 text: plain UTF-16LE, or the compressed form that begins with
// FF FE (one byte per character; a 0x00 byte toggles to two-byte units).
void appendJet4Text(std::string& out, const unsigned char* data, std::size_t bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view s);

// UTF-8 to UTF-16 code units. Throws std::invalid_argument on malformed input.
std::u16string utf8ToUtf16(std::string_view s);

// Name of the iconv charset for a Windows code page; unknown ones read as CP1252.
const char* charsetForCodePage(int codePage);

// Decodes single/double-byte code-page text (Jet3) into UTF-8. ASCII takes a
// fast path; other bytes go through iconv. Invalid sequences become U+FFFD.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    void append(std::string& out, const unsigned char* data, std::size_t bytes) const;
    std::string decode(const unsigned char* data, std::size_t bytes) const {
        std::string out;
        append(out, data, bytes);
        return out;
    }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Encodes UTF-8 into a code page. Throws std::invalid_argument naming the
// first character the code page cannot hold.
std::string encodeCodePage(std::string_view utf8, int codePage);

} // namespace jet::text

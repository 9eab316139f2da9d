#include "data/jet/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace jet::text {

namespace {

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i]; returns the code point and advances i,
// or returns -1 (and leaves i) when the sequence is malformed.
long decodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra;
    char32_t cp;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return -1;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    i += extra + 1;
    return static_cast<long>(cp);
}

} // namespace

namespace {

// Writes UTF-8 for `units` UTF-16LE code units at `data` into `dst`, which
// must have room for 3 bytes a unit; returns the end of what was written.
char* writeUtf16le(char* dst, const unsigned char* data, std::size_t units) {
    std::size_t k = 0;
    while (k < units) {
        // Runs of ASCII, common even in Chinese text (code, names, blanks),
        // go four units at a time.
        if (k + 4 <= units) {
            std::uint64_t w;
            std::memcpy(&w, data + 2 * k, 8);
            if ((w & 0xFF80FF80FF80FF80ull) == 0) {
                dst[0] = static_cast<char>(w);
                dst[1] = static_cast<char>(w >> 16);
                dst[2] = static_cast<char>(w >> 32);
                dst[3] = static_cast<char>(w >> 48);
                dst += 4;
                k += 4;
                continue;
            }
        }
        char32_t u = data[2 * k] | (data[2 * k + 1] << 8);
        ++k;
        if (u < 0x80) {
            *dst++ = static_cast<char>(u);
        } else if (u < 0x800) {
            *dst++ = static_cast<char>(0xC0 | (u >> 6));
            *dst++ = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            if (u >= 0xD800 && u <= 0xDFFF) {
                if (u <= 0xDBFF && k < units) {
                    const char32_t lo = data[2 * k] | (data[2 * k + 1] << 8);
                    if (lo >= 0xDC00 && lo <= 0xDFFF) {
                        const char32_t cp = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                        *dst++ = static_cast<char>(0xF0 | (cp >> 18));
                        *dst++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                        *dst++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                        *dst++ = static_cast<char>(0x80 | (cp & 0x3F));
                        ++k;
                        continue;
                    }
                }
                u = kReplacement;
            }
            *dst++ = static_cast<char>(0xE0 | (u >> 12));
            *dst++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *dst++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return dst;
}

} // namespace

namespace {

// Decoding goes through a scratch buffer that is reused, so that appending a
// value costs one copy and no zero-filling of the destination.
char* scratch(std::size_t n) {
    thread_local std::string buf;
    if (buf.size() < n) buf.resize(std::max(n, buf.size() * 2));
    return buf.data();
}

bool isPlainAscii8(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    return ((w | ((w - ones) & ~w)) & highs) == 0; // no byte >= 0x80 and no zero byte
}

} // namespace

void appendUtf16le(std::string& out, const unsigned char* data, std::size_t bytes) {
    const std::size_t units = bytes / 2;
    char* buf = scratch(3 * units);
    out.append(buf, writeUtf16le(buf, data, units));
}

void appendJet4Text(std::string& out, const unsigned char* data, std::size_t bytes) {
    // Two bytes FF FE alone are plain UTF-16 (a lone U+FEFF): the compressed
    // form needs at least one character after the marker.
    if (bytes < 3 || data[0] != 0xFF || data[1] != 0xFE) {
        appendUtf16le(out, data, bytes);
        return;
    }
    // Each input byte yields at most 2 bytes of UTF-8 in compressed mode and
    // at most 3 bytes per 2 input bytes otherwise.
    char* const buf = scratch(2 * bytes);
    char* dst = buf;
    bool compressed = true;
    std::size_t i = 2;
    while (i < bytes) {
        const unsigned char b = data[i];
        if (b == 0x00) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            while (i + 8 <= bytes && isPlainAscii8(data + i)) {
                std::memcpy(dst, data + i, 8);
                dst += 8;
                i += 8;
            }
            if (i == bytes) break;
            const unsigned char c = data[i];
            if (c == 0x00) continue;
            if (c < 0x80) {
                *dst++ = static_cast<char>(c);
            } else {
                *dst++ = static_cast<char>(0xC0 | (c >> 6));
                *dst++ = static_cast<char>(0x80 | (c & 0x3F));
            }
            ++i;
        } else {
            // A run of two-byte units lasts until a unit whose first byte is
            // 0, which is read as the switch back to one byte per character.
            std::size_t end = i;
            while (end + 1 < bytes && data[end] != 0x00)
                end += 2;
            dst = writeUtf16le(dst, data + i, (end - i) / 2);
            if (end + 1 >= bytes) break; // an odd byte at the end holds no character
            i = end;
        }
    }
    out.append(buf, dst);
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (decodeUtf8(s, i) < 0) return false;
    }
    return true;
}

std::u16string utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const long cp = decodeUtf8(s, i);
        if (cp < 0) throw std::invalid_argument("malformed UTF-8 at byte " + std::to_string(i));
        if (cp >= 0x10000) {
            const auto v = static_cast<char32_t>(cp - 0x10000);
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

const char* charsetForCodePage(int codePage) {
    switch (codePage) {
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    default:
        return "CP1252";
    }
}

struct CodePageDecoder::Impl {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    bool doubleByte = false;
};

CodePageDecoder::CodePageDecoder(int codePage) : impl_(std::make_unique<Impl>()) {
    impl_->cd = iconv_open("UTF-8", charsetForCodePage(codePage));
    if (impl_->cd == reinterpret_cast<iconv_t>(-1)) impl_->cd = iconv_open("UTF-8", "CP1252");
    impl_->doubleByte = codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

CodePageDecoder::~CodePageDecoder() {
    if (impl_->cd != reinterpret_cast<iconv_t>(-1)) iconv_close(impl_->cd);
}

void CodePageDecoder::append(std::string& out, const unsigned char* data, std::size_t bytes) const {
    std::size_t i = 0;
    // ASCII needs no conversion in any of these code pages.
    while (i < bytes && data[i] < 0x80)
        out.push_back(static_cast<char>(data[i++]));
    if (i == bytes) return;
    if (impl_->cd == reinterpret_cast<iconv_t>(-1)) {
        for (; i < bytes; ++i)
            appendCodePoint(out, data[i] < 0x80 ? data[i] : kReplacement);
        return;
    }
    iconv(impl_->cd, nullptr, nullptr, nullptr, nullptr);
    const std::size_t base = out.size();
    out.resize(base + (bytes - i) * 4 + 8);
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(data + i));
    std::size_t inLeft = bytes - i;
    char* dst = out.data() + base;
    std::size_t outLeft = out.size() - base;
    while (inLeft > 0) {
        const std::size_t r = iconv(impl_->cd, &in, &inLeft, &dst, &outLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            const std::size_t used = static_cast<std::size_t>(dst - out.data());
            out.resize(out.size() * 2 + 16);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL (a lead byte cut off at the end): one replacement
        // character for the offending byte, then go on.
        if (outLeft < 3) {
            const std::size_t used = static_cast<std::size_t>(dst - out.data());
            out.resize(out.size() + 16);
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        *dst++ = static_cast<char>(0xEF);
        *dst++ = static_cast<char>(0xBF);
        *dst++ = static_cast<char>(0xBD);
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(impl_->cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
}

std::string encodeCodePage(std::string_view utf8, int codePage) {
    if (!isValidUtf8(utf8)) throw std::invalid_argument("text is not valid UTF-8");
    bool ascii = true;
    for (char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(utf8);
    iconv_t cd = iconv_open(charsetForCodePage(codePage), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::invalid_argument("code page " + std::to_string(codePage) + " is not available");
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    const int err = errno;
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || r > 0) {
        // r > 0 means iconv substituted something irreversibly.
        std::size_t at = static_cast<std::size_t>(in - utf8.data());
        std::size_t k = at;
        std::string what;
        if (k < utf8.size() && decodeUtf8(utf8, k) >= 0) what = std::string(utf8.substr(at, k - at));
        (void)err;
        throw std::invalid_argument("character '" + what + "' at byte " + std::to_string(at) +
                                    " cannot be written in code page " + std::to_string(codePage));
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace jet::text

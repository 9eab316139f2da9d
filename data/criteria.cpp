#include "data/criteria.h"

namespace data {

namespace {

constexpr char32_t kInvalid = 0xFFFD;

// UTF-8 to code points; malformed bytes become U+FFFD one by one, so that a
// damaged value still compares unequal instead of throwing.
template <typename Fn> void forEachCodePoint(std::string_view s, Fn&& fn) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            fn(static_cast<char32_t>(b0));
            ++i;
            continue;
        }
        int extra = (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = extra == 1 ? b0 & 0x1F : extra == 2 ? b0 & 0x0F : b0 & 0x07;
        bool ok = extra > 0 && i + static_cast<std::size_t>(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            ok = (b & 0xC0) == 0x80;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (!ok) {
            fn(kInvalid);
            ++i;
            continue;
        }
        fn(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
}

DataError malformed(std::string_view criteria, const std::string& why) {
    return DataError(err::MalformedCriteria, "Syntax error in criteria expression.",
                     "'" + std::string(criteria) + "': " + why);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

char32_t foldChar(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32; // Latin-1 capitals
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capitals and small letters in turn, with a
        // shift of the parity between U+0138 and U+0149 and after U+0178.
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (c == 0x178) return 0xFF;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32; // Greek capitals
    if (c >= 0x410 && c <= 0x42F) return c + 32;               // Cyrillic capitals
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 32; // full-width Latin capitals
    return c;
}

namespace {

// The capital letter that folds to c, or c itself.
char32_t capitalOf(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
        (c >= 0xFF41 && c <= 0xFF5A))
        return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    if ((c >= 0x101 && c <= 0x137 && c % 2 == 1) || (c >= 0x14B && c <= 0x177 && c % 2 == 1) ||
        (c >= 0x13A && c <= 0x148 && c % 2 == 0) || (c >= 0x17A && c <= 0x17E && c % 2 == 0))
        return c - 1;
    return c;
}

std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&](char32_t c) { out.push_back(c); });
    return out;
}

} // namespace

std::u32string foldCase(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&](char32_t c) { out.push_back(foldChar(c)); });
    return out;
}

bool LikePattern::Token::matchesOne(char32_t c) const {
    switch (kind) {
    case Literal:
        return c == ch;
    case AnyOne:
        return true;
    case Digit:
        return c >= '0' && c <= '9';
    case Set: {
        // The text is folded, the list is not: a letter is in the list when
        // either of its cases is.
        const char32_t capital = capitalOf(c);
        bool in = false;
        for (const auto& [lo, hi] : ranges)
            in = in || (c >= lo && c <= hi) || (capital >= lo && capital <= hi);
        return in != negated;
    }
    case AnyRun:
        return false;
    }
    return false;
}

LikePattern::LikePattern(std::string_view utf8Pattern) {
    // Lists keep the pattern's own characters, so that a range such as
    // [@-Z] means what it says; single characters are compared folded.
    const std::u32string p = codePoints(utf8Pattern);
    bool onlyLiteralsThenStar = true;
    for (std::size_t i = 0; i < p.size(); ++i) {
        Token t;
        const char32_t c = p[i];
        if (c == U'*') {
            t.kind = Token::AnyRun;
            if (p.find_first_not_of(U'*', i) != std::u32string::npos) onlyLiteralsThenStar = false;
            // Consecutive stars mean the same as one.
            if (!tokens_.empty() && tokens_.back().kind == Token::AnyRun) continue;
        } else if (c == U'?') {
            t.kind = Token::AnyOne;
            onlyLiteralsThenStar = false;
        } else if (c == U'#') {
            t.kind = Token::Digit;
            onlyLiteralsThenStar = false;
        } else if (c == U'[') {
            // A list runs to the next ]. "[]" is the engine's zero-length
            // string: it stands for nothing and is ignored ("a[]b" is "ab").
            std::size_t j = i + 1;
            t.kind = Token::Set;
            if (j < p.size() && p[j] == U'!') {
                t.negated = true;
                ++j;
            }
            const std::size_t first = j;
            std::size_t close = std::u32string::npos;
            for (std::size_t k = first; k < p.size(); ++k) {
                if (p[k] == U']') {
                    close = k;
                    break;
                }
            }
            if (close == std::u32string::npos)
                throw DataError(err::MalformedCriteria, "Invalid pattern string.",
                                "the list that begins at character " + std::to_string(i + 1) + " has no ]");
            if (!t.negated && close == first) {
                i = close;
                continue;
            }
            for (std::size_t k = first; k < close; ++k) {
                if (k + 2 < close && p[k + 1] == U'-') {
                    char32_t lo = p[k], hi = p[k + 2];
                    if (lo > hi)
                        throw DataError(err::MalformedCriteria, "Invalid pattern string.",
                                        "a range in a list runs backwards");
                    t.ranges.emplace_back(lo, hi);
                    k += 2;
                } else {
                    t.ranges.emplace_back(p[k], p[k]);
                }
            }
            // "[*]" and friends are how a pattern names its own special
            // characters literally; a one-character list is just that.
            if (!t.negated && t.ranges.size() == 1 && t.ranges[0].first == t.ranges[0].second) {
                t = Token{};
                t.ch = foldChar(p[first]);
            } else {
                onlyLiteralsThenStar = false;
            }
            i = close;
        } else {
            t.ch = foldChar(c);
        }
        tokens_.push_back(std::move(t));
    }
    if (onlyLiteralsThenStar && !tokens_.empty() && tokens_.back().kind == Token::AnyRun) {
        std::u32string prefix;
        for (std::size_t k = 0; k + 1 < tokens_.size(); ++k)
            prefix.push_back(tokens_[k].ch);
        plainPrefix_ = std::move(prefix);
    }
}

bool LikePattern::matches(std::u32string_view s) const {
    // Greedy matching with one backtrack point per star: every token other
    // than * consumes exactly one character, so this is exact and runs in
    // O(pattern * text) at worst.
    std::size_t ti = 0, si = 0;
    std::size_t starTok = std::u32string::npos, starStr = 0;
    while (si < s.size()) {
        if (ti < tokens_.size() && tokens_[ti].kind == Token::AnyRun) {
            starTok = ti++;
            starStr = si;
        } else if (ti < tokens_.size() && tokens_[ti].matchesOne(s[si])) {
            ++ti;
            ++si;
        } else if (starTok != std::u32string::npos) {
            ti = starTok + 1;
            si = ++starStr;
        } else {
            return false;
        }
    }
    while (ti < tokens_.size() && tokens_[ti].kind == Token::AnyRun)
        ++ti;
    return ti == tokens_.size();
}

Criteria parseCriteria(std::string_view text) {
    Criteria c;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && text[i] == '[') {
        const std::size_t close = text.find(']', i + 1);
        if (close == std::string_view::npos || close == i + 1)
            throw malformed(text, "the column name in brackets is not closed");
        c.column = std::string(text.substr(i + 1, close - i - 1));
        i = close + 1;
    } else {
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i]) && text[i] != '=' && text[i] != '\'' && text[i] != '"' &&
               text[i] != '<' && text[i] != '>' && text[i] != '(' && text[i] != ')')
            ++i;
        c.column = std::string(text.substr(start, i - start));
    }
    if (c.column.empty()) throw malformed(text, "no column name");
    skipBlanks();
    if (i < text.size() && text[i] == '=') {
        c.op = Criteria::Op::Equals;
        ++i;
    } else if (i + 4 <= text.size() && (text[i] == 'l' || text[i] == 'L') &&
               (text[i + 1] == 'i' || text[i + 1] == 'I') && (text[i + 2] == 'k' || text[i + 2] == 'K') &&
               (text[i + 3] == 'e' || text[i + 3] == 'E') &&
               (i + 4 == text.size() || isBlank(text[i + 4]) || text[i + 4] == '\'' || text[i + 4] == '"')) {
        c.op = Criteria::Op::Like;
        i += 4;
    } else {
        throw malformed(text, "expected = or like after the column name");
    }
    skipBlanks();
    if (i >= text.size() || (text[i] != '\'' && text[i] != '"'))
        throw malformed(text, "expected a quoted text");
    const char quote = text[i++];
    bool closed = false;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                c.literal.push_back(quote);
                i += 2;
                continue;
            }
            closed = true;
            ++i;
            break;
        }
        c.literal.push_back(text[i++]);
    }
    if (!closed) throw malformed(text, "the quoted text is not closed");
    skipBlanks();
    if (i != text.size())
        throw malformed(text, "unexpected text after the quoted text: '" + std::string(text.substr(i)) + "'");
    return c;
}

} // namespace data

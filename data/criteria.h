// The criteria language of FindFirst: `column = 'literal'` and
// `column like 'pattern'`, text compared without regard to letter case.
#pragma once

#include "data/data_error.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// Text folded for comparison without letter case: UTF-8 in, one code point
// per element out. Folded: basic Latin, Latin-1, Latin Extended-A, the
// unaccented Greek and the basic Cyrillic capitals, and full-width Latin;
// nothing else changes.
std::u32string foldCase(std::string_view utf8);
char32_t foldChar(char32_t c);

// A `like` pattern: * any run, ? any one character, # one digit, [list],
// [!list] and ranges [a-z]. Everything else stands for itself.
class LikePattern {
public:
    // Throws DataError 3077 for a pattern that cannot be parsed (an unclosed [).
    explicit LikePattern(std::string_view utf8Pattern);

    bool matches(std::u32string_view folded) const;
    // The literal prefix when the pattern is that prefix followed by one
    // trailing * and nothing else, so that an index can answer it.
    const std::optional<std::u32string>& plainPrefix() const { return plainPrefix_; }

private:
    struct Token {
        enum Kind { Literal, AnyOne, Digit, Set, AnyRun } kind = Literal;
        char32_t ch = 0;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;
        bool matchesOne(char32_t c) const;
    };
    std::vector<Token> tokens_;
    std::optional<std::u32string> plainPrefix_;
};

struct Criteria {
    enum class Op { Equals, Like };
    std::string column; // as written, brackets removed
    Op op = Op::Equals;
    std::string literal; // quotes removed, doubled quotes undone
};

// Parses one condition. Throws DataError 3077 when it is malformed.
Criteria parseCriteria(std::string_view text);

} // namespace data

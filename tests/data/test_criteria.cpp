// The criteria language: parsing and `like` matching, as one table of cases.
#include "data/criteria.h"

#include <gtest/gtest.h>

namespace {

struct LikeCase {
    const char* pattern;
    const char* text;
    bool matches;
};

TEST(Like, TableOfCases) {
    const LikeCase cases[] = {
        {"Get*", "GetWindowText", true},
        {"get*", "GetWindowText", true}, // letter case ignored
        {"GETW*", "getwindowtext", true},
        {"*", "", true},
        {"*", "anything", true},
        {"Get*", "Ge", false},
        {"Get*", "XGet", false},
        {"*Window*", "GetWindowText", true}, // a leading star finds the rest anywhere
        {"*Window*", "GetWindoText", false},
        {"G?t*", "GetTickCount", true}, // ? is exactly one character
        {"G?t*", "Gt", false},
        {"G??*", "Ge", false},
        {"Beep", "beep", true},
        {"Beep", "Beeps", false},
        {"Func#*", "Func1x", true}, // # is one digit
        {"Func#*", "Funcx1", false},
        {"[a-c]*", "Beep", true}, // ranges, letter case ignored
        {"[a-c]*", "Delay", false},
        {"[!a-c]*", "Delay", true},
        {"[!a-c]*", "Copy", false},
        {"[xyz]*", "Yield", true},
        {"[*]*", "*star", true}, // a one-character list names a special character
        {"[*]*", "star", false},
        {"[?]", "?", true},
        {"[?]", "a", false},
        {"a[]b", "ab", true}, // "[]" is a zero-length string, ignored
        {"a[]b", "axb", false},
        {"[]Get*", "GetTickCount", true},
        {"*a*b*c", "xaxbxc", true},
        {"*a*b*c", "xaxbxcx", false},
        {"Get *", "GetTickCount", false}, // a blank must be matched by a blank
        {"函数*", "函数测试", true},
        {"ä*", "Ärger", true},
        {"Ｇ*", "ｇet", true},   // full-width letters fold too
        {"*", "\xC3", true},     // a damaged value does not throw
        {"[@-Z]*", "_x", false}, // a range keeps its own bounds
        {"[@-Z]*", "bx", true},  // ... and a letter matches in either case
        {"[Z-a]*", "_x", true},  // Z..a is a valid range
        {"[A-C]*", "beep", true},
        {"[a-c]*", "BEEP", true},
        {"[!A-C]*", "beep", false},
    };
    for (const auto& c : cases) {
        const data::LikePattern p(c.pattern);
        EXPECT_EQ(p.matches(data::foldCase(c.text)), c.matches)
            << "'" << c.pattern << "' like '" << c.text << "'";
    }
}

TEST(Like, PlainPrefixesAreRecognisedForTheIndex) {
    EXPECT_EQ(data::LikePattern("Get*").plainPrefix(), std::optional<std::u32string>(U"get"));
    EXPECT_EQ(data::LikePattern("*").plainPrefix(), std::optional<std::u32string>(U""));
    EXPECT_EQ(data::LikePattern("a**").plainPrefix(), std::optional<std::u32string>(U"a"));
    EXPECT_EQ(data::LikePattern("[*]*").plainPrefix(), std::optional<std::u32string>(U"*"));
    for (const char* notPlain : {"Get", "*Get*", "G?t*", "[a-c]*", "a#*", "a*b*"})
        EXPECT_FALSE(data::LikePattern(notPlain).plainPrefix()) << notPlain;
}

TEST(Like, MalformedPatternsRaise3077) {
    for (const char* bad : {"[abc*", "Get[*", "[", "[z-a]*", "[a-Z]*"}) {
        try {
            data::LikePattern p(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const data::DataError& e) {
            EXPECT_EQ(e.number(), 3077) << bad;
        }
    }
}

TEST(Criteria, ParsesTheThreeFormsAndRefusesTheRest) {
    struct Ok {
        const char* text;
        const char* column;
        data::Criteria::Op op;
        const char* literal;
    };
    using Op = data::Criteria::Op;
    const Ok ok[] = {
        {"name like 'Get*'", "name", Op::Like, "Get*"},
        {"name='GetTickCount'", "name", Op::Equals, "GetTickCount"},
        {"函数='Beep'", "函数", Op::Equals, "Beep"},
        {"  NAME  LIKE  '*'  ", "NAME", Op::Like, "*"},
        {"name like''", "name", Op::Like, ""},
        {"[name] = 'O''Brien'", "name", Op::Equals, "O'Brien"},
        {"name = \"a'b\"", "name", Op::Equals, "a'b"},
    };
    for (const auto& c : ok) {
        const auto parsed = data::parseCriteria(c.text);
        EXPECT_EQ(parsed.column, c.column) << c.text;
        EXPECT_EQ(parsed.op, c.op) << c.text;
        EXPECT_EQ(parsed.literal, c.literal) << c.text;
    }
    // What an apostrophe typed into the search box makes of the criteria.
    for (const char* bad : {"name like 'O'Brien*'", "name like '''", "name like 'abc", "name 'x'", "= 'x'",
                            "name likes 'x'", "name = x", "", "name like 'a' or 1"}) {
        try {
            data::parseCriteria(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const data::DataError& e) {
            EXPECT_EQ(e.number(), 3077) << bad;
            EXPECT_FALSE(e.detail().empty());
        }
    }
}

} // namespace

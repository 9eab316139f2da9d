#include "tools/content/vb_declare.h"

#include <cctype>

namespace vb {

namespace {

class Lexer {
public:
    explicit Lexer(const std::string& s) : s_(s) {}

    void skipBlanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t'))
            ++i_;
    }
    bool atEnd() {
        skipBlanks();
        return i_ == s_.size();
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw ParseError(what + " at column " + std::to_string(i_ + 1) + " of: " + s_);
    }
    std::string identifier() {
        skipBlanks();
        const std::size_t start = i_;
        if (i_ < s_.size() && (std::isalpha(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_'))
            ++i_;
        else
            fail("expected a name");
        while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_'))
            ++i_;
        return s_.substr(start, i_ - start);
    }
    // Case-insensitive keyword, as VB compares them.
    bool keyword(const char* kw) {
        skipBlanks();
        std::size_t k = 0;
        while (kw[k] && i_ + k < s_.size() &&
               std::tolower(static_cast<unsigned char>(s_[i_ + k])) ==
                   std::tolower(static_cast<unsigned char>(kw[k])))
            ++k;
        if (kw[k] != '\0') return false;
        const std::size_t after = i_ + k;
        if (after < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[after])) || s_[after] == '_'))
            return false;
        i_ = after;
        return true;
    }
    void expectKeyword(const char* kw) {
        if (!keyword(kw)) fail(std::string("expected ") + kw);
    }
    bool punct(char c) {
        skipBlanks();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void expectPunct(char c) {
        if (!punct(c)) fail(std::string("expected '") + c + "'");
    }
    std::string quoted() {
        skipBlanks();
        if (i_ >= s_.size() || s_[i_] != '"') fail("expected a quoted text");
        const std::size_t close = s_.find('"', i_ + 1);
        if (close == std::string::npos) fail("unclosed quote");
        std::string text = s_.substr(i_ + 1, close - i_ - 1);
        i_ = close + 1;
        if (text.empty()) fail("empty quoted text");
        return text;
    }
    void number() {
        skipBlanks();
        const std::size_t start = i_;
        while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_])))
            ++i_;
        if (i_ == start) fail("expected a number");
    }
    // A default value after '=': a number, a quoted text or a name.
    void literal() {
        skipBlanks();
        if (i_ < s_.size() && s_[i_] == '"') {
            quoted();
            return;
        }
        const std::size_t start = i_;
        while (i_ < s_.size() && s_[i_] != ',' && s_[i_] != ')')
            ++i_;
        if (i_ == start) fail("expected a default value");
    }

private:
    const std::string& s_;
    std::size_t i_ = 0;
};

std::string typeName(Lexer& lx) {
    std::string type = lx.identifier();
    if (lx.punct('*')) // a fixed-length string: String * 260
        lx.number();
    return type;
}

} // namespace

Declare parseDeclare(const std::string& text) {
    Lexer lx(text);
    Declare d;
    lx.expectKeyword("Declare");
    d.ptrSafe = lx.keyword("PtrSafe");
    if (lx.keyword("Function"))
        d.isFunction = true;
    else if (!lx.keyword("Sub"))
        lx.fail("expected Function or Sub");
    d.name = lx.identifier();
    lx.expectKeyword("Lib");
    d.lib = lx.quoted();
    if (lx.keyword("Alias")) d.alias = lx.quoted();
    lx.expectPunct('(');
    if (!lx.punct(')')) {
        do {
            Parameter p;
            p.optional = lx.keyword("Optional");
            if (lx.keyword("ByVal"))
                p.passing = Parameter::Passing::ByVal;
            else if (lx.keyword("ByRef"))
                p.passing = Parameter::Passing::ByRef;
            p.name = lx.identifier();
            if (lx.punct('(')) {
                lx.expectPunct(')');
                p.isArray = true;
            }
            if (lx.keyword("As")) p.type = typeName(lx);
            if (lx.punct('=')) {
                if (!p.optional) lx.fail("only an Optional parameter can have a default");
                lx.literal();
            }
            d.parameters.push_back(std::move(p));
        } while (lx.punct(','));
        lx.expectPunct(')');
    }
    if (lx.keyword("As")) {
        if (!d.isFunction) lx.fail("a Sub has no return type");
        d.returnType = typeName(lx);
    } else if (d.isFunction) {
        lx.fail("a Function needs a return type");
    }
    if (!lx.atEnd()) lx.fail("unexpected text");
    return d;
}

} // namespace vb

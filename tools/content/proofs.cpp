#include "tools/content/proofs.h"

#include "tools/content/cross.h"
#include "tools/content/text_util.h"
#include "tools/content/vba7.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace proofs {

using cross::identifiersInHeaders;
using cross::kSettings;
using cross::kWin32;
using cross::run;

namespace {

// Removes a VB comment (an apostrophe outside a string, or a leading Rem).
std::string stripComment(const std::string& line) {
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            inString = !inString;
        else if (line[i] == '\'' && !inString)
            return line.substr(0, i);
    }
    const std::string t = trim(line);
    if (lower(t.substr(0, 4)) == "rem " || lower(t) == "rem") return {};
    return line;
}

// Takes a leading keyword (case ignored) followed by a blank.
bool takeKeyword(std::string& s, const std::string& kw) {
    if (s.size() > kw.size() && lower(s.substr(0, kw.size())) == lower(kw) &&
        (s[kw.size()] == ' ' || s[kw.size()] == '\t')) {
        s = trim(s.substr(kw.size()));
        return true;
    }
    return false;
}

std::string takeIdentifier(std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && isIdentChar(s[i]))
        ++i;
    std::string id = s.substr(0, i);
    s = trim(s.substr(i));
    return id;
}

// "Name(0 To 3, 5) As Long" / "Name As String * 260" -> Member.
std::optional<Member> parseMember(std::string s, std::string& why) {
    Member m;
    m.name = takeIdentifier(s);
    if (m.name.empty()) {
        why = "a member without a name";
        return std::nullopt;
    }
    if (!s.empty() && s[0] == '(') {
        const auto close = s.find(')');
        if (close == std::string::npos) {
            why = "an unclosed array bound";
            return std::nullopt;
        }
        const std::string dims = trim(s.substr(1, close - 1));
        s = trim(s.substr(close + 1));
        if (dims.empty()) {
            m.dynamicArray = true;
        } else {
            std::stringstream ss(dims);
            std::string dim;
            while (std::getline(ss, dim, ',')) {
                dim = trim(dim);
                long lo = 0, hi = 0;
                const auto to = lower(dim).find(" to ");
                try {
                    if (to == std::string::npos) {
                        hi = std::stol(dim);
                    } else {
                        lo = std::stol(dim.substr(0, to));
                        hi = std::stol(dim.substr(to + 4));
                    }
                } catch (const std::exception&) {
                    why = "an array bound that is no number: " + dim;
                    return std::nullopt;
                }
                if (hi < lo) {
                    why = "an empty array bound: " + dim;
                    return std::nullopt;
                }
                m.elements *= static_cast<std::size_t>(hi - lo + 1);
            }
        }
    }
    if (!takeKeyword(s, "As")) {
        why = "a member without 'As': " + m.name;
        return std::nullopt;
    }
    m.type = takeIdentifier(s);
    if (m.type.empty()) {
        why = "a member without a type: " + m.name;
        return std::nullopt;
    }
    if (!s.empty() && s[0] == '*') {
        try {
            m.fixedLength = std::stoul(trim(s.substr(1)));
        } catch (const std::exception&) {
            why = "a fixed-length String without a number: " + m.name;
            return std::nullopt;
        }
        s.clear();
    }
    if (!s.empty()) {
        why = "unexpected text after the member " + m.name + ": " + s;
        return std::nullopt;
    }
    return m;
}

// ---- Constant expressions -------------------------------------------------

class Expression {
public:
    Expression(const std::string& s, const std::map<std::string, std::int64_t>& known)
        : s_(s), known_(known) {}

    std::optional<std::int64_t> evaluate() {
        try {
            const auto v = xorExpr();
            skip();
            if (i_ != s_.size()) return std::nullopt;
            return v;
        } catch (const std::runtime_error&) {
            return std::nullopt;
        }
    }

private:
    void skip() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t'))
            ++i_;
    }
    bool word(const char* w) {
        skip();
        const std::size_t n = std::char_traits<char>::length(w);
        if (i_ + n <= s_.size() && lower(s_.substr(i_, n)) == lower(w) &&
            (i_ + n == s_.size() || !isIdentChar(s_[i_ + n]))) {
            i_ += n;
            return true;
        }
        return false;
    }
    bool punct(char c) {
        skip();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    std::int64_t xorExpr() {
        auto v = orExpr();
        while (word("Xor"))
            v ^= orExpr();
        return v;
    }
    std::int64_t orExpr() {
        auto v = andExpr();
        while (word("Or"))
            v |= andExpr();
        return v;
    }
    std::int64_t andExpr() {
        auto v = notExpr();
        while (word("And"))
            v &= notExpr();
        return v;
    }
    std::int64_t notExpr() {
        if (word("Not")) return ~notExpr();
        return addExpr();
    }
    std::int64_t addExpr() {
        auto v = mulExpr();
        for (;;) {
            if (punct('+'))
                v += mulExpr();
            else if (punct('-'))
                v -= mulExpr();
            else
                return v;
        }
    }
    std::int64_t mulExpr() {
        auto v = unary();
        while (punct('*'))
            v *= unary();
        return v;
    }
    std::int64_t unary() {
        if (punct('-')) return -unary();
        if (punct('+')) return unary();
        return primary();
    }
    std::int64_t primary() {
        skip();
        if (punct('(')) {
            const auto v = xorExpr();
            if (!punct(')')) throw std::runtime_error("unclosed");
            return v;
        }
        if (i_ < s_.size() && (s_[i_] == '&' || std::isdigit(static_cast<unsigned char>(s_[i_])))) {
            std::size_t j = i_;
            if (s_[j] == '&') j += 2;
            while (j < s_.size() && (std::isxdigit(static_cast<unsigned char>(s_[j]))))
                ++j;
            if (j < s_.size() && (s_[j] == '&' || s_[j] == '%')) ++j;
            const auto v = vbLiteral(s_.substr(i_, j - i_));
            if (!v) throw std::runtime_error("literal");
            i_ = j;
            return *v;
        }
        if (i_ < s_.size() && (std::isalpha(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) {
            std::size_t j = i_;
            while (j < s_.size() && isIdentChar(s_[j]))
                ++j;
            const auto it = known_.find(s_.substr(i_, j - i_));
            if (it == known_.end()) throw std::runtime_error("unknown name");
            i_ = j;
            return it->second;
        }
        throw std::runtime_error("unexpected");
    }

    const std::string& s_;
    const std::map<std::string, std::int64_t>& known_;
    std::size_t i_ = 0;
};

bool isUpperConstantName(const std::string& s) {
    int letters = 0;
    for (char c : s) {
        if (std::isupper(static_cast<unsigned char>(c)))
            ++letters;
        else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return letters >= 2;
}

std::string hex(std::int64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(static_cast<std::uint32_t>(v)));
    return buf;
}

// One line of the 64-bit VBA paragraph: the Declare, a structure's 64-bit
// size, then one line of prose (for callers, or why the function is absent).
template <class Problem>
void scanVba7Line(Vba7At& v, const std::string& raw, std::size_t lineNo, const Problem& problem) {
    static const std::regex structLine("^结构 ([A-Za-z_][A-Za-z0-9_]*)：64 位下 ([0-9]+) "
                                       "字节；改为 LongPtr 的成员：(.+?)(；拆成两个 Long 的成员：(.+))?。$");
    // Members are separated by the ideographic comma; "无" is none (the
    // structure grows on 64-bit Windows without a member VB must change).
    const auto members = [](const std::string& list) {
        std::vector<std::string> out;
        if (list == "无") return out;
        const std::string sep = "、";
        for (std::size_t from = 0;;) {
            const auto to = list.find(sep, from);
            out.push_back(trim(list.substr(from, to - from)));
            if (to == std::string::npos) break;
            from = to + sep.size();
        }
        return out;
    };
    std::smatch m;
    if (raw.empty()) {
        problem(lineNo, "no blank line inside the 64-bit VBA paragraph");
    } else if (!v.text.empty()) {
        problem(lineNo, "the 64-bit VBA paragraph ends with its one line of prose");
    } else if (raw.rfind("Declare ", 0) == 0) {
        if (v.declare || !v.structs.empty())
            problem(lineNo, "one Declare, first in the 64-bit VBA paragraph");
        DeclareAt d;
        d.file = v.file;
        d.line = lineNo;
        d.text = raw;
        try {
            d.declare = vb::parseDeclare(raw);
            if (!d.declare.ptrSafe) problem(lineNo, "a 64-bit VBA Declare needs PtrSafe");
            v.declare = std::move(d);
        } catch (const vb::ParseError& e) {
            problem(lineNo, e.what());
        }
    } else if (std::regex_match(raw, m, structLine)) {
        StructLineAt s;
        s.file = v.file;
        s.line = lineNo;
        s.name = m[1];
        s.size = std::stoul(m[2]);
        s.members = members(m[3]);
        if (m[5].matched) s.split = members(m[5]);
        v.structs.push_back(std::move(s));
    } else if (raw.rfind("结构 ", 0) == 0) {
        problem(lineNo, "a structure line reads \"结构 NAME：64 位下 N 字节；改为 LongPtr "
                        "的成员：a、b。\", with \"；拆成两个 Long 的成员：c\" before the full stop "
                        "for members a packed structure puts where VBA cannot put a LongPtr");
    } else {
        v.text = raw;
    }
}

} // namespace

// The C structure a VB Type mirrors. VB refuses a Type named like a
// procedure of the module (CHOOSECOLOR beside ChooseColor) and has a method
// Point, so VB code names them CHOOSECOLORSTRUCT and POINTAPI.
std::string cStructureFor(const std::string& vbName) {
    const std::string u = lower(vbName);
    auto endsWith = [&](const std::string& tail) {
        return u.size() > tail.size() && u.compare(u.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (u == "pointapi") return "POINT";
    if (endsWith("struct")) return vbName.substr(0, vbName.size() - 6);
    if (endsWith("_type")) return vbName.substr(0, vbName.size() - 5);
    if (vbName.rfind("tag", 0) == 0 && vbName.size() > 3) return "struct " + vbName;
    return vbName;
}

// VB ignores letter case and its editor recases a member after a keyword
// (Left, Right); C does not. The spellings a member may have in the header.
std::vector<std::string> memberSpellings(const std::string& vbName) {
    std::vector<std::string> out{vbName};
    const std::string all = lower(vbName);
    std::string first = vbName;
    first[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(first[0])));
    for (const auto& s : {first, all})
        if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
    return out;
}

// ---- VB6 rules ----------------------------------------------------------------

std::optional<std::int64_t> vbLiteral(const std::string& raw) {
    std::string t = trim(raw);
    if (t.empty()) return std::nullopt;
    bool negative = false;
    if (t[0] == '-') {
        negative = true;
        t = trim(t.substr(1));
    }
    char suffix = 0;
    if (!t.empty() && (t.back() == '&' || t.back() == '%')) {
        suffix = t.back();
        t.pop_back();
    }
    std::int64_t v = 0;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
        const std::string digits = t.substr(2);
        if (digits.empty() || digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c));
            }))
            return std::nullopt;
        const std::uint64_t u = std::stoull(digits, nullptr, 16);
        // Four hex digits or fewer without '&' make an Integer; more, or the
        // '&', a Long. Both are two's complement of their width.
        if (suffix == '&' || digits.size() > 4) {
            if (suffix == '%') return std::nullopt;
            v = static_cast<std::int32_t>(static_cast<std::uint32_t>(u));
        } else {
            v = static_cast<std::int16_t>(static_cast<std::uint16_t>(u));
        }
    } else {
        if (!std::all_of(t.begin(), t.end(),
                         [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) ||
            t.size() > 10)
            return std::nullopt;
        v = std::stoll(t);
        // Past a Long a decimal literal is a Double, which no Long takes.
        if (v > 2147483647LL + (negative ? 1 : 0)) return std::nullopt;
        if (suffix == '%' && v > 32767 + (negative ? 1 : 0)) return std::nullopt;
    }
    return negative ? -v : v;
}

std::optional<std::int64_t> vbConstExpression(const std::string& text,
                                              const std::map<std::string, std::int64_t>& known) {
    return Expression(text, known).evaluate();
}

StackBytes vbStackBytes(const vb::Declare& d) {
    if (d.ptrSafe) return {std::nullopt, "PtrSafe is VBA 7; VB6 does not compile it"};
    const auto vba7Only = [](const std::string& type) {
        const std::string t = lower(type);
        return t == "longptr" || t == "longlong";
    };
    if (d.isFunction && vba7Only(d.returnType))
        return {std::nullopt, d.returnType + " is a VBA 7 type; VB6 does not know it"};
    int bytes = 0;
    for (const auto& p : d.parameters) {
        if (vba7Only(p.type)) return {std::nullopt, p.type + " is a VBA 7 type; VB6 does not know it"};
        if (p.passing != vb::Parameter::Passing::ByVal || p.isArray) {
            bytes += 4; // an address
            continue;
        }
        const std::string t = lower(p.type);
        if (t == "long" || t == "integer" || t == "byte" || t == "boolean" || t == "string" ||
            t == "single" || t == "object" || t == "any")
            bytes += 4;
        else if (t == "double" || t == "currency" || t == "date")
            bytes += 8;
        else if (t == "variant")
            bytes += 16;
        else
            return {std::nullopt, "parameter " + p.name + " passes a " + p.type + " ByVal, which VB6 cannot"};
    }
    return {bytes, {}};
}

std::optional<Layout> vbLayout(const TypeAt& type, const std::map<std::string, TypeAt>& types,
                               std::string& why) {
    Layout l;
    for (const auto& m : type.members) {
        std::size_t size = 0, align = 1;
        const std::string t = lower(m.type);
        if (m.dynamicArray) {
            size = 4, align = 4;
        } else if (t == "byte") {
            size = 1, align = 1;
        } else if (t == "integer" || t == "boolean") {
            size = 2, align = 2;
        } else if (t == "long" || t == "single" || t == "object") {
            size = 4, align = 4;
        } else if (t == "double" || t == "currency" || t == "date") {
            size = 8, align = 4;
        } else if (t == "variant") {
            size = 16, align = 4;
        } else if (t == "string") {
            if (m.fixedLength)
                size = m.fixedLength, align = 1; // ANSI characters when passed to a Declare
            else
                size = 4, align = 4;
        } else {
            const auto it =
                std::find_if(types.begin(), types.end(), [&](const auto& e) { return lower(e.first) == t; });
            if (it == types.end() || &it->second == &type) {
                why = "member " + m.name + " has type " + m.type + ", which the example does not declare";
                return std::nullopt;
            }
            const auto inner = vbLayout(it->second, types, why);
            if (!inner) return std::nullopt;
            size = inner->size, align = inner->align;
        }
        if (!m.dynamicArray) size *= m.elements;
        l.size = (l.size + align - 1) / align * align;
        l.members.emplace_back(l.size, size);
        l.size += size;
        l.align = std::max(l.align, align);
    }
    l.size = (l.size + l.align - 1) / l.align * l.align;
    return l;
}

// ---- Scanning a content file ----------------------------------------------------

Facts scan(const std::string& text, const std::string& fileName) {
    Facts facts;
    std::vector<std::string> lines;
    {
        std::stringstream ss(text);
        std::string line;
        while (std::getline(ss, line))
            lines.push_back(line);
    }
    auto problem = [&](std::size_t line, const std::string& what) {
        facts.problems.push_back(fileName + ":" + std::to_string(line) + ": " + what);
    };
    auto addDeclare = [&](std::size_t line, const std::string& statement) {
        DeclareAt d;
        d.file = fileName;
        d.line = line;
        d.text = statement;
        try {
            d.declare = vb::parseDeclare(statement);
            facts.declares.push_back(std::move(d));
        } catch (const vb::ParseError& e) {
            problem(line, e.what());
        }
    };

    static const std::regex prose(
        R"((^|[^A-Za-z0-9_&])([A-Z][A-Z0-9_]*[A-Z0-9])\s*=\s*(-?&[Hh][0-9A-Fa-f]+&?|-?[0-9]+&?)(?![0-9A-Za-z_]|\.[0-9]))");
    std::map<std::string, std::int64_t> known;
    enum class Where { Header, Text, Code } where = Where::Header;
    TypeAt* openType = nullptr;
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t lineNo = i + 1;
        const std::string& raw = lines[i];
        if (raw.rfind("== ", 0) == 0) {
            if (openType) problem(openType->line, "Type " + openType->name + " has no End Type");
            openType = nullptr;
            section = raw.substr(3);
            where = raw == "== example" ? Where::Code : Where::Text;
            continue;
        }
        if (where == Where::Header) {
            if (raw.rfind("declaration: ", 0) == 0) addDeclare(lineNo, raw.substr(13));
            continue;
        }
        if (raw == kVba7Heading) {
            if (section != "remarks" || facts.vba7)
                problem(lineNo, "the 64-bit VBA paragraph belongs once at the end of remarks");
            Vba7At v;
            v.file = fileName;
            v.line = lineNo;
            facts.vba7 = v;
            continue;
        }
        if (facts.vba7 && section == "remarks") {
            scanVba7Line(*facts.vba7, raw, lineNo, problem);
            continue;
        }
        if (where == Where::Text) {
            for (auto it = std::sregex_iterator(raw.begin(), raw.end(), prose); it != std::sregex_iterator();
                 ++it) {
                const std::string name = (*it)[2];
                if (!isUpperConstantName(name)) continue;
                ConstAt c;
                c.file = fileName;
                c.line = lineNo;
                c.name = name;
                c.text = (*it)[3];
                c.value = vbLiteral(c.text);
                facts.consts.push_back(c);
            }
            continue;
        }
        // Code: join continued lines, drop the comment.
        std::string logical = stripComment(raw);
        std::size_t last = i;
        while (trim(logical).size() >= 2 && trim(logical).substr(trim(logical).size() - 2) == " _" &&
               last + 1 < lines.size()) {
            const std::string t = trim(logical);
            logical = t.substr(0, t.size() - 1) + " " + trim(stripComment(lines[++last]));
        }
        i = last;
        std::string s = trim(logical);
        if (s.empty()) continue;
        if (openType) {
            if (lower(s) == "end type") {
                openType = nullptr;
                continue;
            }
            std::string why;
            static const std::regex renamed("'\\s*C 中为 ([A-Za-z_][A-Za-z0-9_]*)\\s*$");
            if (auto m = parseMember(s, why)) {
                if (std::smatch c; std::regex_search(raw, c, renamed)) m->cName = c[1];
                openType->members.push_back(*m);
            } else
                problem(lineNo, "in Type " + openType->name + ": " + why);
            continue;
        }
        std::string rest = s;
        if (!takeKeyword(rest, "Public") && !takeKeyword(rest, "Private")) takeKeyword(rest, "Global");
        if (lower(rest.substr(0, 8)) == "declare ") {
            addDeclare(lineNo, rest);
        } else if (takeKeyword(rest, "Type")) {
            TypeAt t;
            t.file = fileName;
            t.line = lineNo;
            t.name = takeIdentifier(rest);
            facts.types.push_back(t);
            openType = &facts.types.back();
        } else if (takeKeyword(rest, "Const")) {
            // Const A = 1, B As Long = 2
            std::vector<std::string> parts;
            bool inString = false;
            std::string cur;
            for (char c : rest) {
                if (c == '"') inString = !inString;
                if (c == ',' && !inString) {
                    parts.push_back(cur);
                    cur.clear();
                } else {
                    cur += c;
                }
            }
            parts.push_back(cur);
            for (auto part : parts) {
                part = trim(part);
                ConstAt c;
                c.file = fileName;
                c.line = lineNo;
                c.inCode = true;
                c.name = takeIdentifier(part);
                if (takeKeyword(part, "As")) takeIdentifier(part);
                if (part.empty() || part[0] != '=') {
                    problem(lineNo, "a Const without '=': " + s);
                    continue;
                }
                c.text = trim(part.substr(1));
                c.value = vbConstExpression(c.text, known);
                if (c.value) known[c.name] = *c.value;
                facts.consts.push_back(c);
            }
        }
    }
    if (openType) problem(openType->line, "Type " + openType->name + " has no End Type");
    if (facts.vba7 && !facts.vba7->declare && facts.vba7->text.rfind(kVba7Absent, 0) != 0)
        problem(facts.vba7->line, "the 64-bit VBA paragraph needs a PtrSafe Declare or the line \"" +
                                      std::string(kVba7Absent) + "...\"");
    else if (facts.vba7 && facts.vba7->text.empty())
        problem(facts.vba7->line, "the 64-bit VBA paragraph ends with a line on what changes for callers");
    return facts;
}

// ---- The Windows side -------------------------------------------------------------

std::string importLibraryName(const std::string& library) {
    std::string l = lower(library);
    // Import libraries named after something other than the DLL: HTML Help
    // ships as an ActiveX control, and icmp.dll's functions moved into
    // iphlpapi.dll, which mingw-w64 describes.
    if (l == "hhctrl.ocx") return "htmlhelp";
    if (l == "icmp.dll") return "iphlpapi";
    const auto dot = l.rfind('.');
    return dot == std::string::npos ? l : l.substr(0, dot);
}

std::optional<int> stdcallBytes(const std::string& library, const std::string& exportName) {
    static std::map<std::string, std::map<std::string, int>> cache;
    const std::string lib = importLibraryName(library);
    auto [it, fresh] = cache.try_emplace(lib);
    if (fresh) {
        const std::string path = "/usr/i686-w64-mingw32/lib/lib" + lib + ".a";
        std::stringstream out(run("nm -g --defined-only '" + path + "' 2>/dev/null"));
        std::string line;
        // "00000000 T _GetWindowTextA@12"; a cdecl export has no "@N".
        while (std::getline(out, line)) {
            // Exports the compiler provides inline (InterlockedIncrement) keep
            // only their import pointer "__imp__Name@N" in the library.
            const auto imp = line.find(" I __imp__");
            if (imp != std::string::npos) {
                const std::string sym = line.substr(imp + 10);
                const auto at = sym.rfind('@');
                if (at != std::string::npos)
                    it->second.emplace(sym.substr(0, at), std::atoi(sym.c_str() + at + 1));
                continue;
            }
            const auto t = line.find(" T _");
            if (t == std::string::npos) continue;
            std::string sym = line.substr(t + 4);
            const auto at = sym.rfind('@');
            if (at == std::string::npos)
                it->second.emplace(sym, -1);
            else
                it->second[sym.substr(0, at)] = std::atoi(sym.c_str() + at + 1);
        }
    }
    const auto e = it->second.find(exportName);
    if (e == it->second.end()) return std::nullopt;
    return e->second;
}

const std::set<std::string>& exports64(const std::string& library) {
    static std::map<std::string, std::set<std::string>> cache;
    const std::string lib = importLibraryName(library);
    auto [it, fresh] = cache.try_emplace(lib);
    if (fresh) {
        std::stringstream out(
            run("nm -g --defined-only '/usr/x86_64-w64-mingw32/lib/lib" + lib + ".a' 2>/dev/null"));
        std::string line;
        // "0000000000000000 T GetWindowTextA": no decoration on x86_64.
        while (std::getline(out, line))
            if (const auto t = line.find(" T "); t != std::string::npos)
                it->second.insert(line.substr(t + 3));
    }
    return it->second;
}

std::map<std::string, std::int64_t> headerConstants(const std::set<std::string>& names) {
    std::vector<std::string> list;
    for (const auto& n : names)
        if (identifiersInHeaders(kWin32).count(n)) list.push_back(n);
    const auto values = cross::evaluateInHeaders(kWin32, list, cross::newestDefines());
    std::map<std::string, std::int64_t> result;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (values[i]) result.emplace(list[i], *values[i]);
    return result;
}

CLayouts headerLayouts(const std::map<std::string, std::set<std::string>>& structsAndMembers) {
    std::vector<std::string> exprs;
    // The sizes the headers give for earlier versions of a structure, which
    // a program for older Windows passes in its cbSize.
    const std::vector<std::string> versionSuffixes{
        "_SIZE_VERSION_400", "_SIZE_VERSION_400A", "A_V1_SIZE", "A_V2_SIZE",
        "A_V3_SIZE",         "_V1_SIZE",           "_V2_SIZE",  "_V3_SIZE"};
    std::map<std::string, std::set<std::string>> known;
    for (const auto& [s, members] : structsAndMembers) {
        const std::string tag = s.rfind("struct ", 0) == 0 ? s.substr(7) : s;
        if (!identifiersInHeaders(kWin32).count(tag)) continue;
        auto& m = known[s];
        for (const auto& member : members)
            m.insert(member);
    }
    for (const auto& [s, members] : known) {
        exprs.push_back("sizeof(" + s + ")");
        for (const auto& v : versionSuffixes)
            exprs.push_back(identifiersInHeaders(kWin32).count(s + v) ? s + v : "0");
        for (const auto& m : members)
            for (const auto& name : memberSpellings(m)) {
                if (!identifiersInHeaders(kWin32).count(name)) {
                    for (int k = 0; k < 3; ++k)
                        exprs.push_back("-1");
                    continue;
                }
                exprs.push_back("offsetof(" + s + ", " + name + ")");
                exprs.push_back("sizeof(((" + s + "*)0)->" + name + ")");
                exprs.push_back("__alignof__(__typeof__(((" + s + "*)0)->" + name + "))");
            }
    }
    CLayouts result;
    for (const auto& setting : kSettings) {
        const auto values = cross::evaluateInHeaders(kWin32, exprs, setting.defines);
        auto& layouts = result[setting.name];
        std::size_t i = 0;
        for (const auto& [s, members] : known) {
            const auto size = values[i++];
            CStruct c;
            if (size) c.size = static_cast<std::size_t>(*size);
            for (std::size_t v = 0; v < versionSuffixes.size(); ++v)
                if (const auto vs = values[i++]; vs && *vs > 0 && static_cast<std::size_t>(*vs) < c.size)
                    c.earlierSizes.insert(static_cast<std::size_t>(*vs));
            for (const auto& m : members)
                for (std::size_t k = 0, n = memberSpellings(m).size(); k < n; ++k) {
                    const auto off = values[i++];
                    const auto msize = values[i++];
                    const auto malign = values[i++];
                    if (off && msize && *off >= 0 && *msize > 0 && !c.members.count(m)) {
                        c.members[m] = {static_cast<std::size_t>(*off), static_cast<std::size_t>(*msize)};
                        if (malign && *malign > 0) c.alignments[m] = static_cast<std::size_t>(*malign);
                    }
                }
            if (size) layouts.emplace(s, std::move(c));
        }
    }
    return result;
}

// ---- All proofs -------------------------------------------------------------------

namespace {

void fail(Report& report, const Located& at, const std::string& what) {
    report.failures.push_back(at.file + ":" + std::to_string(at.line) + ": " + what);
}

// The bytes a VB6 call pushes equal what the stdcall export pops.
void proveStack(const std::string& file, const Facts& facts, Report& report) {
    for (const auto& d : facts.declares) {
        ++report.declares;
        const std::string exported = d.declare.alias.value_or(d.declare.name);
        if (!exported.empty() && exported[0] == '#') {
            report.notes.push_back(file + ": " + d.declare.name +
                                   " is imported by ordinal; its stack size is not proven");
            continue;
        }
        const std::string library =
            d.declare.lib.find('.') == std::string::npos ? d.declare.lib + ".dll" : d.declare.lib;
        const auto popped = stdcallBytes(library, exported);
        const auto pushed = vbStackBytes(d.declare);
        if (!pushed.bytes) {
            fail(report, d, pushed.why);
        } else if (!popped) {
            fail(report, d,
                 exported + " is not exported by the 32-bit import library of " + library + " (lib" +
                     importLibraryName(library) + ".a)");
        } else if (*popped < 0) {
            fail(report, d, exported + " is a cdecl export of " + library + "; a VB6 Declare calls stdcall");
        } else if (*popped != *pushed.bytes) {
            fail(report, d,
                 d.declare.name + " pushes " + std::to_string(*pushed.bytes) + " bytes, but _" + exported +
                     "@" + std::to_string(*popped) + " takes " + std::to_string(*popped));
        } else {
            ++report.stackProven;
        }
    }
}

// Every constant has the header's value as VB reads the literal.
void proveConstants(const Facts& facts, const std::map<std::string, std::int64_t>& constants,
                    Report& report) {
    for (const auto& c : facts.consts) {
        ++report.consts;
        const auto h = constants.find(c.name);
        if (h == constants.end()) continue;
        if (!c.value) {
            if (c.text.empty() || c.text[0] != '"')
                fail(report, c,
                     c.name + " = " + c.text + " cannot be evaluated, but the headers define " + c.name +
                         " as " + hex(h->second));
            continue;
        }
        if (static_cast<std::uint32_t>(*c.value) != static_cast<std::uint32_t>(h->second)) {
            fail(report, c,
                 c.name + " = " + c.text + " is " + std::to_string(*c.value) +
                     " as VB reads it; the headers say " + hex(h->second) + " (" + std::to_string(h->second) +
                     ")" +
                     (*c.value < 0 && *c.value >= -0x8000 && h->second > 0 ? "; a Long needs the trailing &"
                                                                           : ""));
        } else {
            ++report.constsProven;
        }
    }
}

// Every Type that mirrors a Windows structure has its layout under one of
// the version settings.
void proveTypes(const std::string& file, const Facts& facts, const CLayouts& layouts, Report& report) {
    std::map<std::string, TypeAt> types;
    for (const auto& t : facts.types)
        types.emplace(t.name, t);
    for (const auto& t : facts.types) {
        ++report.types;
        for (const auto& d : facts.declares)
            if (lower(d.declare.name) == lower(t.name))
                fail(report, t,
                     "VB refuses a Type named like the procedure " + d.declare.name +
                         " (letter case ignored): name it " + t.name + "STRUCT");
        std::string why;
        const auto vb = vbLayout(t, types, why);
        if (!vb) {
            fail(report, t, "Type " + t.name + ": " + why);
            continue;
        }
        bool defined = false;
        std::string difference;
        std::size_t proven = 0;
        bool matched = false;
        for (const auto& setting : kSettings) {
            const auto& map = layouts.at(setting.name);
            // A name the headers define is that structure (OFSTRUCT);
            // otherwise VB's way of naming it is undone.
            auto c = map.find(t.name);
            if (c == map.end()) c = map.find(cStructureFor(t.name));
            if (c == map.end()) continue;
            defined = true;
            std::string diff;
            // A structure the headers pack to 1 byte (PRINTDLG, SHFILEOPSTRUCT)
            // puts members where no VB Type can; from the first such member
            // on, the Type only has to be large enough that the API stays
            // inside it, and its file explains how the tail is read.
            std::size_t packedFrom = SIZE_MAX;
            for (const auto& [name, om] : c->second.members) {
                const auto al = c->second.alignments.find(name);
                const std::size_t natural = al == c->second.alignments.end() ? 1 : al->second;
                if (om.first % std::min<std::size_t>(natural, 4)) packedFrom = std::min(packedFrom, om.first);
            }
            // A Type may stop at one of the structure's earlier sizes; the
            // member that size cuts then ends there.
            // A structure that carries its own size in its first member grew
            // by version; a Type for an earlier version is a prefix of it.
            static const std::set<std::string> sizeMembers{
                "cbSize", "dwSize", "cbStruct", "lStructSize", "dwLength", "nLength", "dwOSVersionInfoSize",
                "cb"};
            const bool sizePrefixed = !t.members.empty() && vb->size < c->second.size &&
                                      sizeMembers.count(t.members.front().name) &&
                                      c->second.members.count(t.members.front().name) &&
                                      c->second.members.at(t.members.front().name).first == 0;
            const bool earlier = c->second.earlierSizes.count(vb->size) > 0 || sizePrefixed;
            if (packedFrom != SIZE_MAX ? vb->size < c->second.size : c->second.size != vb->size && !earlier)
                diff = "Type " + t.name + " is " + std::to_string(vb->size) + " bytes, the structure " +
                       std::to_string(c->second.size) + " (" + setting.name + ")";
            std::size_t here = 0;
            for (std::size_t k = 0; k < t.members.size() && diff.empty(); ++k) {
                const Member& member = t.members[k];
                const auto cm = c->second.members.find(member.cMember());
                if (cm == c->second.members.end() || cm->second.first >= packedFrom) continue;
                auto expected = cm->second;
                if (earlier && expected.first < vb->size && expected.first + expected.second > vb->size)
                    expected.second = vb->size - expected.first;
                if (expected != vb->members[k])
                    diff = "member " + t.members[k].name + " of " + t.name + " sits at " +
                           std::to_string(vb->members[k].first) + " with " +
                           std::to_string(vb->members[k].second) + " bytes; the structure has it at " +
                           std::to_string(cm->second.first) + " with " + std::to_string(cm->second.second) +
                           " (" + setting.name + ")";
                ++here;
            }
            if (diff.empty() && packedFrom != SIZE_MAX)
                report.notes.push_back(file + ":" + std::to_string(t.line) + ": " + t.name +
                                       " is packed; members from offset " + std::to_string(packedFrom) +
                                       " on are not proven");
            if (diff.empty()) {
                matched = true;
                proven = here;
                break;
            }
            // The newest setting's difference is the one a reader can act on.
            difference = diff;
        }
        if (!defined) {
            report.notes.push_back(file + ":" + std::to_string(t.line) + ": Type " + t.name +
                                   " is no structure of the headers");
            continue;
        }
        if (!matched) {
            fail(report, t, difference);
            continue;
        }
        ++report.typesProven;
        report.membersProven += proven;
        if (proven < t.members.size())
            report.notes.push_back(file + ":" + std::to_string(t.line) + ": " +
                                   std::to_string(t.members.size() - proven) + " member(s) of " + t.name +
                                   " are named unlike the structure's");
    }
}

} // namespace

std::vector<std::pair<std::string, Facts>> scanDirectory(const std::string& dir,
                                                         const std::set<std::string>& names) {
    std::vector<std::pair<std::string, Facts>> files;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".txt" &&
            (names.empty() || names.count(entry.path().stem().string())))
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
        std::ifstream in(p, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        files.emplace_back(p.filename().string(), scan(text, p.filename().string()));
    }
    return files;
}

Report check(const std::string& dir, const std::set<std::string>& names) {
    Report report;
    const auto files = scanDirectory(dir, names);
    report.functions = files.size();

    std::set<std::string> constNames;
    std::map<std::string, std::set<std::string>> structs;
    for (const auto& [file, facts] : files) {
        for (const auto& c : facts.consts)
            constNames.insert(c.name);
        for (const auto& t : facts.types)
            for (const auto& m : t.members) {
                const std::string& name = m.cMember();
                structs[t.name].insert(name);
                structs[cStructureFor(t.name)].insert(name);
            }
    }
    const auto constants = headerConstants(constNames);
    const auto layouts = headerLayouts(structs);

    for (const auto& [file, facts] : files) {
        for (const auto& p : facts.problems)
            report.failures.push_back(p);
        proveStack(file, facts, report);
        proveConstants(facts, constants, report);
        proveTypes(file, facts, layouts, report);
    }
    vba7::check(files, report);
    return report;
}

} // namespace proofs

#include "tools/content/vba7.h"

#include "tools/content/text_util.h"

#include <algorithm>

namespace proofs::vba7 {

namespace {

constexpr std::size_t kMaxParameters = 16;

// Describes each function's type as numbers the probe can store: the
// parameter count, whether it is variadic, then kind, size, pointee kind
// and pointee size for the result and each parameter.
const char* const kPrototypeProbe = R"(
#include <type_traits>
namespace zarn {
struct CType { long long kind, size, pointee, pointeeSize; };
template <class T, class = void> struct Complete : std::false_type {};
template <class T> struct Complete<T, std::void_t<decltype(sizeof(T))>> : std::true_type {};
template <class T> constexpr long long kindOf() {
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_void_v<U>) return 0;
    else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) return 1;
    else if constexpr (std::is_floating_point_v<U>) return 2;
    else if constexpr (std::is_pointer_v<U>) return std::is_function_v<std::remove_pointer_t<U>> ? 5 : 3;
    else if constexpr (std::is_class_v<U> || std::is_union_v<U>) return 4;
    else return 6;
}
template <class T> constexpr long long sizeOf() {
    if constexpr (std::is_void_v<T> || std::is_function_v<T>) return 0;
    else if constexpr (!Complete<T>::value) return 0;
    else return sizeof(T);
}
template <class T> constexpr CType describe() {
    using U = std::remove_cv_t<T>;
    // REFGUID and the like are references in C++ and pointers in C.
    if constexpr (std::is_reference_v<T>) {
        using P = std::remove_cv_t<std::remove_reference_t<T>>;
        return {3, sizeof(void*), kindOf<P>(), sizeOf<P>()};
    } else if constexpr (std::is_pointer_v<U>) {
        using P = std::remove_cv_t<std::remove_pointer_t<U>>;
        return {kindOf<U>(), sizeof(U), kindOf<P>(), sizeOf<P>()};
    } else {
        return {kindOf<U>(), sizeOf<U>(), 0, 0};
    }
}
struct Sig { long long count, variadic; CType result; CType params[16]; };
template <class F> struct Make;
template <class R, class... A> struct Make<R(A...)> {
    static constexpr Sig value{(long long)sizeof...(A), 0, describe<R>(), {describe<A>()...}};
};
template <class R, class... A> struct Make<R(A..., ...)> {
    static constexpr Sig value{(long long)sizeof...(A), 1, describe<R>(), {describe<A>()...}};
};
#ifndef _WIN64
// 32-bit stdcall is part of the function's type there.
template <class R, class... A> struct Make<R __attribute__((stdcall))(A...)> {
    static constexpr Sig value{(long long)sizeof...(A), 0, describe<R>(), {describe<A>()...}};
};
#endif
}
#define ZARN_SIG(f) zarn::Make<std::remove_pointer_t<decltype(&f)>>::value
// Exports the headers only give as macros (memmove and memset on 64-bit
// Windows), with the prototypes Microsoft documents for them.
extern "C" {
void zarn_RtlMoveMemory(void* Destination, const void* Source, SIZE_T Length);
void zarn_RtlCopyMemory(void* Destination, const void* Source, SIZE_T Length);
void zarn_RtlZeroMemory(void* Destination, SIZE_T Length);
void zarn_RtlFillMemory(void* Destination, SIZE_T Length, BYTE Fill);
}
)";

// The names kPrototypeProbe declares itself.
const std::set<std::string> kDocumentedOnly{"RtlMoveMemory", "RtlCopyMemory", "RtlZeroMemory",
                                            "RtlFillMemory"};

CType readType(const std::string& raw, std::size_t at) {
    CType t;
    t.kind = static_cast<Kind>(cross::readInteger(raw, at));
    t.size = static_cast<std::size_t>(cross::readInteger(raw, at + 8));
    t.pointee = static_cast<Kind>(cross::readInteger(raw, at + 16));
    t.pointeeSize = static_cast<std::size_t>(cross::readInteger(raw, at + 24));
    return t;
}

bool pointerSized(const Both& c) {
    const bool fits =
        c.w64.kind == Kind::Integer || c.w64.kind == Kind::Pointer || c.w64.kind == Kind::Callback;
    return fits && c.w64.size == 8 && c.w32.size == 4;
}

Both pointeeOf(const Both& c) {
    Both p;
    p.w64.kind = c.w64.pointee;
    p.w64.size = c.w64.pointeeSize;
    p.w32.kind = c.w32.pointee;
    p.w32.size = c.w32.pointeeSize;
    // A pointee that is itself a pointer has no pointee known here; only its
    // size matters for LongPtr.
    return p;
}

std::string describe(const Both& c) {
    static const char* const names[] = {
        "void",        "an integer", "a floating-point value",     "a pointer",
        "a structure", "a callback", "an array or incomplete type"};
    std::string s = names[static_cast<int>(c.w64.kind)];
    if (c.w64.kind != Kind::Void) {
        s += " of " + std::to_string(c.w64.size) + " bytes on 64-bit";
        if (c.w32.size != c.w64.size) s += " and " + std::to_string(c.w32.size) + " on 32-bit Windows";
    }
    return s;
}

// A value of VB type `type` (lower case) carries the C value c, both as a
// ByVal argument and as what a ByRef argument points to.
std::string valueMismatch(const std::string& type, const Both& c) {
    const bool sameSize = c.w64.size == c.w32.size;
    const auto integer = [&](std::size_t n) {
        return c.w64.kind == Kind::Integer && sameSize && c.w64.size == n;
    };
    if (type == "longptr")
        return pointerSized(c) ? "" : "LongPtr is pointer-sized, but the C type is " + describe(c);
    if (pointerSized(c)) return "the C type is pointer-sized (" + describe(c) + "): LongPtr";
    // A structure of 4 or 8 bytes passed by value travels as an integer of
    // that size (COORD, in_addr, POINT on 64-bit Windows).
    const bool record = c.w64.kind == Kind::Record && sameSize;
    if (type == "long")
        return integer(4) || (record && c.w64.size == 4)
                   ? ""
                   : "Long is a 4-byte integer, but the C type is " + describe(c);
    if (type == "integer")
        return integer(2) ? "" : "Integer is a 2-byte integer, but the C type is " + describe(c);
    if (type == "byte") return integer(1) ? "" : "Byte is 1 byte, but the C type is " + describe(c);
    if (type == "double" || type == "single") {
        const std::size_t n = type == "double" ? 8 : 4;
        return c.w64.kind == Kind::Floating && c.w64.size == n
                   ? ""
                   : "a " + type + " is a " + std::to_string(n) + "-byte float, but the C type is " +
                         describe(c);
    }
    if (type == "longlong" || type == "currency")
        return (c.w64.kind == Kind::Integer || c.w64.kind == Kind::Record) && sameSize && c.w64.size == 8
                   ? ""
                   : type + " holds 8 bytes, but the C type is " + describe(c);
    return "no VB type " + type + " for " + describe(c);
}

bool builtIn(const std::string& t) {
    static const std::set<std::string> types{"long",    "longptr", "longlong", "integer",  "byte",
                                             "boolean", "double",  "single",   "currency", "string",
                                             "any",     "object",  "variant",  "date"};
    return types.count(t) > 0;
}

} // namespace

std::map<std::string, Prototype> headerPrototypes(const cross::Target& target,
                                                  const std::set<std::string>& names) {
    std::vector<std::string> list, initializers;
    for (const auto& n : names)
        if (kDocumentedOnly.count(n) && cross::functionMacros(target).count(n)) {
            list.push_back(n);
            initializers.push_back("ZARN_SIG(zarn_" + n + ")");
        } else if (cross::identifiersInHeaders(target).count(n) && !cross::functionMacros(target).count(n)) {
            list.push_back(n);
            initializers.push_back("ZARN_SIG(" + n + ")");
        }
    constexpr std::size_t typeBytes = 4 * 8, sigBytes = 2 * 8 + (1 + kMaxParameters) * typeBytes;
    const auto raw = cross::compileTable(target, true, kPrototypeProbe, "zarn::Sig", sigBytes, initializers,
                                         cross::newestDefines());
    std::map<std::string, Prototype> result;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (raw[i].empty()) continue;
        Prototype p;
        const auto count = static_cast<std::size_t>(cross::readInteger(raw[i], 0));
        p.variadic = cross::readInteger(raw[i], 8) != 0;
        p.result = readType(raw[i], 16);
        for (std::size_t k = 0; k < count && k < kMaxParameters; ++k)
            p.parameters.push_back(readType(raw[i], 16 + typeBytes * (k + 1)));
        result.emplace(list[i], std::move(p));
    }
    return result;
}

std::string parameterMismatch(const vb::Parameter& p, const Both& c) {
    const std::string t = lower(p.type);
    const std::string who = "parameter " + p.name + ": ";
    if (p.isArray) return who + "an array parameter passes VB's array descriptor, not the elements";
    if (p.type.empty()) return who + "without As it is a Variant";
    if (p.passing == vb::Parameter::Passing::ByVal) {
        if (t == "string") {
            const bool charPointer =
                c.w64.kind == Kind::Pointer &&
                (c.w64.pointee == Kind::Void || (c.w64.pointee == Kind::Integer && c.w64.pointeeSize == 1));
            return charPointer
                       ? ""
                       : who + "ByVal String passes a pointer to ANSI text, but the C type is " + describe(c);
        }
        if (t == "any")
            return pointerSized(c)
                       ? ""
                       : who + "ByVal As Any passes pointer-sized values here, but the C type is " +
                             describe(c);
        if (t == "object")
            return c.w64.kind == Kind::Pointer
                       ? ""
                       : who + "an Object is an interface pointer, but the C type is " + describe(c);
        if (t == "boolean") return who + "VB's Boolean is 2 bytes; a C BOOL is a Long";
        if (!builtIn(t)) return who + "a Type cannot be passed ByVal";
        const std::string why = valueMismatch(t, c);
        return why.empty() ? "" : who + why;
    }
    // ByRef: VB passes the address of the variable. An address fits a
    // pointer-sized integer too (SendMessage's lParam).
    if (t == "any" && pointerSized(c)) return "";
    if (c.w64.kind != Kind::Pointer)
        return who + "ByRef passes an address, but the C type is " + describe(c) + "; pass it ByVal";
    if (t == "any") return "";
    const Both target = pointeeOf(c);
    if (t == "string") return who + "ByRef String passes VB's string descriptor; use ByVal String";
    if (t == "boolean") return who + "VB's Boolean is 2 bytes; a C BOOL is a Long";
    if (!builtIn(t)) {
        // A Type: the C side points to a structure, or takes any buffer.
        const bool fits = target.w64.kind == Kind::Record || target.w64.kind == Kind::Void ||
                          (target.w64.kind == Kind::Integer && target.w64.size == 1);
        return fits ? ""
                    : who + "a Type ByRef needs a pointer to a structure, but it points to " +
                          describe(target);
    }
    if (t == "byte" && target.w64.kind == Kind::Void) return ""; // the first byte of a buffer
    const std::string why = valueMismatch(t, target);
    return why.empty() ? "" : who + "ByRef " + p.type + " points to it, but " + why;
}

std::string resultMismatch(const vb::Declare& d, const Both& c) {
    if (!d.isFunction) return "";
    if (c.w64.kind == Kind::Void) return "the function returns nothing: declare a Sub";
    const std::string t = lower(d.returnType);
    if (t == "boolean") return "result: VB's Boolean is 2 bytes; a C BOOL is a Long";
    if (!builtIn(t) || t == "string" || t == "any" || t == "object" || t == "variant" || t == "date")
        return "result: VB cannot take " + describe(c) + " as " + d.returnType;
    const std::string why = valueMismatch(t, c);
    return why.empty() ? "" : "result: " + why;
}

std::string draftDeclare(const vb::Declare& vb6, const std::vector<Both>& parameters, const Both& result) {
    auto retype = [](const std::string& type, const Both& c) {
        const std::string t = lower(type);
        if (t == "boolean") return std::string("Long");
        if ((t == "long" || t == "any") && pointerSized(c)) return std::string("LongPtr");
        return type;
    };
    std::string s = "Declare PtrSafe " + std::string(vb6.isFunction ? "Function " : "Sub ") + vb6.name +
                    " Lib \"" + vb6.lib + "\"";
    if (vb6.alias) s += " Alias \"" + *vb6.alias + "\"";
    s += " (";
    for (std::size_t i = 0; i < vb6.parameters.size(); ++i) {
        const auto& p = vb6.parameters[i];
        if (i) s += ", ";
        if (p.optional) s += "Optional ";
        if (p.passing == vb::Parameter::Passing::ByVal) s += "ByVal ";
        if (p.passing == vb::Parameter::Passing::ByRef) s += "ByRef ";
        s += p.name;
        if (p.isArray) s += "()";
        if (!p.type.empty()) {
            std::string type = p.type;
            if (i < parameters.size()) {
                const Both& c = parameters[i];
                type = p.passing == vb::Parameter::Passing::ByVal               ? retype(p.type, c)
                       : c.w64.kind == Kind::Pointer && lower(p.type) == "long" ? retype(p.type, pointeeOf(c))
                                                                                : p.type;
            }
            s += " As " + type;
        }
    }
    s += ")";
    if (vb6.isFunction) {
        const std::string t = lower(vb6.returnType);
        s += " As " + (t == "long" && pointerSized(result) ? std::string("LongPtr")
                       : t == "boolean"                    ? "Long"
                                                           : vb6.returnType);
    }
    return s;
}

namespace {

struct Layout64 {
    std::size_t size64 = 0, size32 = 0;
    // The full size and the earlier sizes the headers give, 32-bit to 64-bit.
    std::map<std::size_t, std::size_t> versions;
    std::map<std::string, bool> memberIsPointerSized; // by the member's name as the file spells it
    std::map<std::string, std::size_t> memberEnd64;   // where the member ends on 64-bit Windows
    std::map<std::string, std::size_t> memberOffset64;
    std::size_t align64 = 1;

    // A pointer-sized member that a packed structure puts off an 8-byte
    // boundary: VBA would align a LongPtr there to 8 and move it.
    bool offBoundary(const std::string& member) const {
        const auto o = memberOffset64.find(member);
        return o != memberOffset64.end() && o->second % 8 != 0;
    }
};

// The structures the files name, with which of the named members are
// pointer-sized, measured by the 32-bit and 64-bit compilers.
// Members are given as written in the file, each with the name to look up
// in the headers (the same, or the C name a comment gives).
std::map<std::string, Layout64>
measure(const std::map<std::string, std::map<std::string, std::string>>& structsAndMembers) {
    static const std::vector<std::string> versionSuffixes{
        "_SIZE_VERSION_400", "A_V1_SIZE", "A_V2_SIZE", "A_V3_SIZE", "_V1_SIZE", "_V2_SIZE", "_V3_SIZE"};
    std::map<std::string, Layout64> result;
    std::vector<std::string> exprs64, exprs32;
    struct Plan {
        std::string vbName, cName;
        std::vector<std::pair<std::string, std::string>> members; // as written, C spelling
    };
    std::vector<Plan> plans;
    const auto& ids = cross::identifiersInHeaders(cross::kWin64);
    std::map<std::string, std::vector<std::string>> byLowerCase;
    for (const auto& id : ids)
        byLowerCase[lower(id)].push_back(id);
    for (const auto& [vbName, members] : structsAndMembers) {
        // A struct tag (tagTRACKMOUSEEVENT) needs the struct keyword in C.
        std::string c = ids.count(vbName) && vbName.rfind("tag", 0) != 0 ? vbName : cStructureFor(vbName);
        const std::string tag = c.rfind("struct ", 0) == 0 ? c.substr(7) : c;
        if (!ids.count(tag)) continue;
        Plan plan{vbName, c, {}};
        // VB ignores letter case: hwnd in a Type is hWnd in C. Every
        // spelling the headers know is tried; the one that compiles wins.
        for (const auto& [m, cName] : members)
            if (const auto it = byLowerCase.find(lower(cName)); it != byLowerCase.end())
                for (const auto& spelling : it->second)
                    plan.members.emplace_back(m, spelling);
        plans.push_back(plan);
        for (auto* exprs : {&exprs64, &exprs32}) {
            exprs->push_back("__alignof__(" + c + ")");
            exprs->push_back("sizeof(" + c + ")");
            for (const auto& v : versionSuffixes)
                exprs->push_back(ids.count(c + v) ? c + v : "0");
            for (const auto& [written, spelling] : plan.members) {
                exprs->push_back("sizeof(((" + c + "*)0)->" + spelling + ")");
                exprs->push_back("__builtin_classify_type(((" + c + "*)0)->" + spelling + ")");
                exprs->push_back("offsetof(" + c + ", " + spelling + ")");
            }
        }
    }
    const auto v64 = cross::evaluateInHeaders(cross::kWin64, exprs64, cross::newestDefines());
    const auto v32 = cross::evaluateInHeaders(cross::kWin32, exprs32, cross::newestDefines());
    std::size_t i = 0;
    for (const auto& plan : plans) {
        Layout64 l;
        if (v64[i]) l.align64 = static_cast<std::size_t>(*v64[i]);
        ++i;
        if (v64[i] && v32[i]) {
            l.size64 = static_cast<std::size_t>(*v64[i]);
            l.size32 = static_cast<std::size_t>(*v32[i]);
            l.versions[l.size32] = l.size64;
        }
        ++i;
        for (std::size_t k = 0; k < versionSuffixes.size(); ++k, ++i)
            if (v64[i] && v32[i] && *v64[i] > 0 && *v32[i] > 0)
                l.versions.emplace(static_cast<std::size_t>(*v32[i]), static_cast<std::size_t>(*v64[i]));
        for (const auto& [written, spelling] : plan.members) {
            const auto s64 = v64[i], s32 = v32[i], cls = v64[i + 1], off64 = v64[i + 2];
            i += 3;
            if (s64 && off64 && !l.memberEnd64.count(written)) {
                l.memberEnd64[written] = static_cast<std::size_t>(*off64 + *s64);
                l.memberOffset64[written] = static_cast<std::size_t>(*off64);
            }
            // GCC's classes: 1 integer, 3 enumeration, 5 pointer (arrays decay).
            const bool scalar = cls && (*cls == 1 || *cls == 3 || *cls == 5);
            if (s64 && s32 && !l.memberIsPointerSized.count(written))
                l.memberIsPointerSized[written] = scalar && *s32 > 0 && *s64 == 2 * *s32;
        }
        if (l.size64) result.emplace(plan.vbName, std::move(l));
    }
    // Older Windows versions define smaller versions of some structures
    // (RASCONN without its XP members), which a Type may mirror.
    std::vector<std::string> sizes;
    for (const auto& plan : plans) {
        sizes.push_back("sizeof(" + plan.cName + ")");
        for (const auto& v : versionSuffixes)
            sizes.push_back(ids.count(plan.cName + v) ? plan.cName + v : "0");
    }
    // The newest setting's sizes are in already.
    for (const auto& setting : cross::kSettings) {
        if (setting.defines == cross::newestDefines()) continue;
        const auto s64 = cross::evaluateInHeaders(cross::kWin64, sizes, setting.defines);
        const auto s32 = cross::evaluateInHeaders(cross::kWin32, sizes, setting.defines);
        for (std::size_t p = 0, k = 0; p < plans.size(); ++p) {
            auto it = result.find(plans[p].vbName);
            for (std::size_t n = 0; n <= versionSuffixes.size(); ++n, ++k)
                if (it != result.end() && s64[k] && s32[k] && *s64[k] > 0 && *s32[k] > 0)
                    it->second.versions.emplace(static_cast<std::size_t>(*s32[k]),
                                                static_cast<std::size_t>(*s64[k]));
        }
    }
    return result;
}

std::string joinMembers(const std::vector<std::string>& names) {
    std::string s;
    for (const auto& n : names)
        s += (s.empty() ? "" : "、") + n;
    return s;
}

struct Context {
    std::map<std::string, Prototype> p64, p32;
    std::map<std::string, Layout64> layouts;
};

std::string exportedName(const vb::Declare& d) {
    return d.alias.value_or(d.name);
}

std::string libraryOf(const vb::Declare& d) {
    return d.lib.find('.') == std::string::npos ? d.lib + ".dll" : d.lib;
}

Context measureAll(const std::vector<std::pair<std::string, Facts>>& files) {
    std::set<std::string> functions;
    std::map<std::string, std::map<std::string, std::string>> structs;
    for (const auto& [file, facts] : files) {
        if (!facts.declares.empty()) functions.insert(exportedName(facts.declares.front().declare));
        for (const auto& t : facts.types) {
            auto& members = structs[t.name];
            for (const auto& m : t.members)
                members.emplace(m.name, m.cMember());
        }
        if (facts.vba7) {
            for (const auto& s : facts.vba7->structs)
                for (const auto* list : {&s.members, &s.split})
                    for (const auto& m : *list)
                        structs[s.name].emplace(m, m);
            if (facts.vba7->declare)
                for (const auto& p : facts.vba7->declare->declare.parameters)
                    if (!builtIn(lower(p.type)) && !p.type.empty()) structs[p.type];
        }
        if (!facts.declares.empty())
            for (const auto& p : facts.declares.front().declare.parameters)
                if (!builtIn(lower(p.type)) && !p.type.empty()) structs[p.type];
    }
    Context c;
    c.p64 = headerPrototypes(cross::kWin64, functions);
    c.p32 = headerPrototypes(cross::kWin32, functions);
    c.layouts = measure(structs);
    return c;
}

// The structures a paragraph must size: the Types of the file and the Types
// the declaration passes, where 64-bit Windows makes them larger.
bool isString(const Member& m) {
    return lower(m.type) == "string" && m.fixedLength == 0;
}

// What a structure line must say: the members that become LongPtr and the
// pointer-sized ones a packed structure puts where VBA cannot put a LongPtr.
struct ToState {
    std::vector<std::string> longPtr, split;
    bool writersToName = false; // no Type here: the members are the writer's to name
};

std::map<std::string, ToState> structuresToState(const Facts& facts, const Context& c, const vb::Declare& d) {
    std::map<std::string, ToState> out;
    for (const auto& t : facts.types) {
        const auto l = c.layouts.find(t.name);
        if (l == c.layouts.end()) continue;
        // The structure grows on 64-bit Windows; a String member is a
        // pointer already and grows with it, the others become LongPtr.
        ToState state;
        bool grows = false;
        for (const auto& m : t.members)
            if (const auto it = l->second.memberIsPointerSized.find(m.name);
                it != l->second.memberIsPointerSized.end() && it->second) {
                grows = true;
                if (isString(m)) continue;
                (l->second.offBoundary(m.name) ? state.split : state.longPtr).push_back(m.name);
            }
        if (grows) out[t.name] = state;
    }
    for (const auto& p : d.parameters) {
        const bool typeHere = std::any_of(facts.types.begin(), facts.types.end(),
                                          [&](const TypeAt& t) { return t.name == p.type; });
        if (typeHere) continue;
        const auto l = c.layouts.find(p.type);
        if (l != c.layouts.end() && l->second.size64 != l->second.size32 && !out.count(p.type))
            out[p.type].writersToName = true;
    }
    return out;
}

std::string structLine(const std::string& name, std::size_t size64, const ToState& state) {
    std::string line =
        "结构 " + name + "：64 位下 " + std::to_string(size64) + " 字节；改为 LongPtr 的成员：";
    if (!state.writersToName) {
        line += state.longPtr.empty() ? "无" : joinMembers(state.longPtr);
        if (!state.split.empty()) line += "；拆成两个 Long 的成员：" + joinMembers(state.split);
    }
    return line + "。";
}

// The 64-bit size of the structure version the file's Type mirrors: a
// Type of the 76-byte OPENFILENAME is OPENFILENAME_SIZE_VERSION_400 on
// 32-bit Windows and 136 bytes, not 152, on 64-bit Windows.
std::size_t size64For(const Facts& facts, const std::string& name, const Layout64& l) {
    std::map<std::string, TypeAt> types;
    for (const auto& t : facts.types)
        types.emplace(t.name, t);
    const auto t = types.find(name);
    std::string why;
    if (t == types.end()) return l.size64;
    const auto vb = vbLayout(t->second, types, why);
    if (!vb) return l.size64;
    if (const auto v = l.versions.find(vb->size); v != l.versions.end()) return v->second;
    // A Type that stops early (a structure that carries its size in its
    // first member) ends where its last member ends on 64-bit Windows.
    if (vb->size < l.size32) {
        std::size_t end = 0;
        for (const auto& m : t->second.members)
            if (const auto e = l.memberEnd64.find(m.name); e != l.memberEnd64.end())
                end = std::max(end, e->second);
        if (end) return (end + l.align64 - 1) / l.align64 * l.align64;
    }
    return l.size64;
}

std::optional<Both> bothOf(const Context& c, const std::string& name, std::size_t index, bool result) {
    const auto a = c.p64.find(name), b = c.p32.find(name);
    if (a == c.p64.end() || b == c.p32.end()) return std::nullopt;
    if (result) return Both{a->second.result, b->second.result};
    if (index >= a->second.parameters.size() || index >= b->second.parameters.size()) return std::nullopt;
    return Both{a->second.parameters[index], b->second.parameters[index]};
}

} // namespace

void check(const std::vector<std::pair<std::string, Facts>>& files, Report& report) {
    const Context c = measureAll(files);
    for (const auto& [file, facts] : files) {
        auto fail = [&](const Located& at, const std::string& what) {
            report.failures.push_back(at.file + ":" + std::to_string(at.line) + ": " + what);
        };
        if (facts.declares.empty()) continue;
        const DeclareAt& vb6 = facts.declares.front();
        if (!facts.vba7) {
            fail(vb6, "remarks end without the 64-bit VBA paragraph (" + std::string(kVba7Heading) + ")");
            continue;
        }
        const Vba7At& v = *facts.vba7;
        const std::string exported = exportedName(vb6.declare);
        if (!exported.empty() && exported[0] == '#') {
            report.notes.push_back(file + ": " + exported +
                                   " is imported by ordinal; its 64-bit types are not proven");
            continue;
        }
        const std::string library = libraryOf(vb6.declare);
        const bool in64 = exports64(library).count(exported) > 0;
        if (!v.declare) {
            if (in64)
                fail(v, exported + " is exported by the 64-bit import library of " + library +
                            "; give its PtrSafe Declare");
            else
                ++report.vba7Absent;
            continue;
        }
        const DeclareAt& d = *v.declare;
        if (!in64) {
            fail(d, exported + " is not exported by the 64-bit import library of " + library + " (lib" +
                        importLibraryName(library) + ".a)");
            continue;
        }
        ++report.vba7Declares;
        // The same procedure as the VB6 declaration, so the text above it
        // describes both.
        const auto& a = vb6.declare;
        const auto& b = d.declare;
        // Parameters may differ: a POINT passed by value is two Longs for
        // VB6 but one LongLong on 64-bit Windows.
        if (a.name != b.name || lower(a.lib) != lower(b.lib) || a.alias != b.alias ||
            a.isFunction != b.isFunction) {
            fail(d, "the 64-bit Declare names another procedure, Lib, Alias or kind than the declaration");
            continue;
        }
        const auto p64 = c.p64.find(exported);
        if (p64 == c.p64.end() || !c.p32.count(exported)) {
            fail(d, "the 64-bit headers declare no prototype for " + exported);
            continue;
        }
        if (p64->second.variadic)
            fail(d, exported + " takes a variable argument list, which VBA cannot pass");
        if (p64->second.parameters.size() != b.parameters.size()) {
            fail(d, exported + " takes " + std::to_string(p64->second.parameters.size()) +
                        " parameters; the Declare has " + std::to_string(b.parameters.size()));
            continue;
        }
        for (std::size_t i = 0; i < b.parameters.size(); ++i) {
            const auto why = parameterMismatch(b.parameters[i], *bothOf(c, exported, i, false));
            if (why.empty())
                ++report.vba7Parameters;
            else
                fail(d, why);
        }
        if (const auto why = resultMismatch(b, *bothOf(c, exported, 0, true)); !why.empty()) fail(d, why);

        // Structures: every line states the 64-bit size and exactly the
        // pointer-sized members the file's Type names.
        const auto needed = structuresToState(facts, c, b);
        std::set<std::string> stated;
        for (const auto& s : v.structs) {
            const auto l = c.layouts.find(s.name);
            if (l == c.layouts.end()) {
                fail(s, s.name + " is no structure of the 64-bit headers");
                continue;
            }
            stated.insert(s.name);
            std::string why;
            if (const auto expected = size64For(facts, s.name, l->second); expected != s.size)
                why = s.name + " (as the Type here) is " + std::to_string(expected) +
                      " bytes on 64-bit Windows, not " + std::to_string(s.size);
            const auto typeHere = std::find_if(facts.types.begin(), facts.types.end(),
                                               [&](const TypeAt& t) { return t.name == s.name; });
            const auto checkMember = [&](const std::string& m, bool split) {
                if (!why.empty()) return;
                if (typeHere != facts.types.end())
                    for (const auto& tm : typeHere->members)
                        if (tm.name == m && isString(tm))
                            why = "member " + m + " of " + s.name +
                                  " is a String, a pointer already: leave it out";
                const auto it = l->second.memberIsPointerSized.find(m);
                if (!why.empty()) return;
                if (it == l->second.memberIsPointerSized.end())
                    why = m + " is no member of " + s.name;
                else if (!it->second)
                    why = "member " + m + " of " + s.name + " is not pointer-sized";
                else if (l->second.offBoundary(m) != split)
                    why = "member " + m + " of " + s.name + " lies at offset " +
                          std::to_string(l->second.memberOffset64.at(m)) + " on 64-bit Windows: " +
                          (split ? "a LongPtr fits there; list it as one"
                                 : "VBA cannot put a LongPtr there; list it under 拆成两个 Long");
            };
            for (const auto& m : s.members)
                checkMember(m, false);
            for (const auto& m : s.split)
                checkMember(m, true);
            if (const auto n = needed.find(s.name); n != needed.end())
                for (const auto* list : {&n->second.longPtr, &n->second.split})
                    for (const auto& m : *list)
                        if (why.empty() &&
                            std::find(s.members.begin(), s.members.end(), m) == s.members.end() &&
                            std::find(s.split.begin(), s.split.end(), m) == s.split.end())
                            why = "member " + m + " of " + s.name + " is pointer-sized: list it";
            if (why.empty())
                ++report.vba7Structures;
            else
                fail(s, why);
        }
        for (const auto& [name, state] : needed)
            if (!stated.count(name))
                fail(v, "structure " + name + " changes on 64-bit Windows: add \"" +
                            structLine(name, size64For(facts, name, c.layouts.at(name)), state) + "\"");
    }
}

std::map<std::string, std::string> drafts(const std::vector<std::pair<std::string, Facts>>& files) {
    const Context c = measureAll(files);
    std::map<std::string, std::string> out;
    for (const auto& [file, facts] : files) {
        if (facts.vba7 || facts.declares.empty()) continue;
        const auto& vb6 = facts.declares.front().declare;
        const std::string exported = exportedName(vb6);
        std::string text = std::string(kVba7Heading) + "\n";
        if (!exports64(libraryOf(vb6)).count(exported)) {
            out[file] = text + kVba7Absent + "：\n";
            continue;
        }
        std::vector<Both> parameters;
        for (std::size_t i = 0; i < vb6.parameters.size(); ++i)
            if (const auto b = bothOf(c, exported, i, false)) parameters.push_back(*b);
        const Both result = bothOf(c, exported, 0, true).value_or(Both{});
        const std::string declare = draftDeclare(vb6, parameters, result);
        text += declare + "\n";
        const auto d = vb::parseDeclare(declare);
        for (const auto& [name, state] : structuresToState(facts, c, d))
            text += structLine(name, size64For(facts, name, c.layouts.at(name)), state) + "\n";
        out[file] = text;
    }
    return out;
}

} // namespace proofs::vba7

// Machine proofs of the reference content against the Windows headers and
// import libraries of mingw-w64: what a VB6 call pushes equals what the
// stdcall export pops, every constant we print has the header's value, and
// every Type that mirrors a Windows structure has its layout. A VB
// programmer pastes these into a program that crashes when they are wrong.
#pragma once

#include "tools/content/vb_declare.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace proofs {

// ---- What a content file says, with the line it says it on --------------

struct Located {
    std::string file;
    std::size_t line = 0; // 1-based line of the content file
};

struct DeclareAt : Located {
    std::string text;
    vb::Declare declare;
};

struct Member {
    std::string name;
    // The C member's name where VB needs another one (a keyword such as
    // Next or Type), from the member's comment "' C 中为 Next".
    std::string cName;
    // The name to look the member up by in the headers.
    const std::string& cMember() const { return cName.empty() ? name : cName; }
    std::string type;            // VB type name as written ("Long", "RECT", "String")
    std::size_t elements = 1;    // fixed array: product of the dimensions
    std::size_t fixedLength = 0; // String * N
    bool dynamicArray = false;
};

struct TypeAt : Located {
    std::string name;
    std::vector<Member> members;
};

struct ConstAt : Located {
    std::string name;
    std::string text;                  // the value as written
    std::optional<std::int64_t> value; // as VB reads it; nullopt when not numeric
    bool inCode = false;               // a Const statement, not a value given in prose
};

// "结构 NOTIFYICONDATA：64 位下 N 字节；改为 LongPtr 的成员：hWnd、hIcon。", and for
// a structure the headers pack, "…；改为 LongPtr 的成员：无；拆成两个 Long 的成员：pamxctrl。"
struct StructLineAt : Located {
    std::string name;
    std::size_t size = 0;
    std::vector<std::string> members; // become LongPtr
    std::vector<std::string> split;   // pointer-sized where VBA cannot put a LongPtr
};

// The paragraph for 64-bit VBA that ends every function's remarks starts
// with this line.
inline constexpr const char* kVba7Heading = "◆ 64 位 Office（VBA 7）的声明";
// Its first line when 64-bit Windows has no such function.
inline constexpr const char* kVba7Absent = "64 位 Windows 没有这个函数";

// The paragraph for 64-bit VBA that ends every function's remarks.
struct Vba7At : Located {
    std::optional<DeclareAt> declare; // nullopt: the function is absent from 64-bit Windows
    std::vector<StructLineAt> structs;
    std::string text; // the line for callers, or why the function is absent
};

struct Facts {
    std::vector<DeclareAt> declares; // the header's declaration first, then the example's
    std::optional<Vba7At> vba7;
    std::vector<TypeAt> types;
    std::vector<ConstAt> consts;
    std::vector<std::string> problems; // "file:line: what"
};

// Reads one content file's text (LF line endings) and collects its VB facts.
Facts scan(const std::string& text, const std::string& fileName);

// ---- VB6 rules ----------------------------------------------------------

// The value of a numeric literal as VB6 reads it: &HF060 is an Integer
// (-4000), &HF060& a Long (61536). nullopt when it is no literal VB accepts.
std::optional<std::int64_t> vbLiteral(const std::string& text);

// Evaluates a constant expression of literals, earlier constants and
// Or/And/Xor/Not/+/-/*, parentheses. nullopt when anything is unknown.
std::optional<std::int64_t> vbConstExpression(const std::string& text,
                                              const std::map<std::string, std::int64_t>& known);

// Bytes a VB6 call pushes for the declared parameters; nullopt with a reason
// when a parameter cannot be passed (a Type ByVal, an unknown type ByVal).
struct StackBytes {
    std::optional<int> bytes;
    std::string why;
};
StackBytes vbStackBytes(const vb::Declare& d);

// Layout of a VB6 Type (members aligned naturally up to 4 bytes).
struct Layout {
    std::size_t size = 0;
    std::size_t align = 1;
    std::vector<std::pair<std::size_t, std::size_t>> members; // offset, size
};
// nullopt with why set when a member's type is unknown.
std::optional<Layout> vbLayout(const TypeAt& t, const std::map<std::string, TypeAt>& types, std::string& why);

// ---- The Windows side -----------------------------------------------------

// The C structure a VB Type mirrors: POINTAPI is POINT, CHOOSECOLORSTRUCT is
// CHOOSECOLOR, tagINPUT is struct tagINPUT; other names are themselves.
std::string cStructureFor(const std::string& vbName);
// The spellings a VB member name may have in C (VB ignores letter case).
std::vector<std::string> memberSpellings(const std::string& vbName);

// The import library of a DLL as named in `library` ("user32.dll").
std::string importLibraryName(const std::string& library);

// The stdcall argument bytes of an export in the i686 import library:
// nullopt when the library lacks the name; -1 when it is exported without
// @N (cdecl).
std::optional<int> stdcallBytes(const std::string& library, const std::string& exportName);

// The names the DLL's 64-bit import library exports; empty when there is
// no such library.
const std::set<std::string>& exports64(const std::string& library);

// Runs the i686 cross compiler over the headers. Names the headers do not
// define as integer constants are left out of the result.
std::map<std::string, std::int64_t> headerConstants(const std::set<std::string>& names);

struct CStruct {
    std::size_t size = 0;
    std::map<std::string, std::pair<std::size_t, std::size_t>> members; // offset, size
    std::map<std::string, std::size_t> alignments; // of the members, as the compiler aligns them
    std::set<std::size_t> earlierSizes;            // NOTIFYICONDATAA_V1_SIZE and the like
};
// One layout per Windows version setting the headers know (95/NT 4, 2000,
// XP, Vista), keyed by that setting's name; a structure the headers do not
// define is missing from every map.
using CLayouts = std::map<std::string, std::map<std::string, CStruct>>;
CLayouts headerLayouts(const std::map<std::string, std::set<std::string>>& structsAndMembers);

// ---- All proofs over a directory -----------------------------------------

struct Report {
    std::vector<std::string> failures; // "file:line: what differs"
    std::size_t functions = 0;
    std::size_t declares = 0, stackProven = 0;
    std::size_t consts = 0, constsProven = 0;
    std::size_t types = 0, typesProven = 0, membersProven = 0;
    // The 64-bit VBA paragraphs: declarations proven, parameters and return
    // values proven, functions 64-bit Windows lacks, structures sized.
    std::size_t vba7Declares = 0, vba7Parameters = 0, vba7Absent = 0, vba7Structures = 0;
    std::vector<std::string> notes; // what could not be matched, for a reader
};

// Scans the named files (all when names is empty) of a content directory,
// keyed by file name.
std::vector<std::pair<std::string, Facts>> scanDirectory(const std::string& dir,
                                                         const std::set<std::string>& names = {});

// Checks the named files (all when names is empty) of a content directory.
Report check(const std::string& dir, const std::set<std::string>& names = {});

} // namespace proofs

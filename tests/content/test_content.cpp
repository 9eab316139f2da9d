// The bundled reference content: every declaration is a VB6 Declare statement
// whose library really exports the named function, every function has its
// sections, and the built database holds what the files say.
#include "data/jet/jet.h"
#include "tools/content/content.h"
#include "tools/content/proofs.h"
#include "tools/content/vb_declare.h"
#include "tools/content/vba7.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <unistd.h>

namespace {

const std::string kContentDir = std::string(ZARN_SOURCE_DIR) + "/content/functions";

const std::vector<content::Function>& functions() {
    static const auto all = content::loadDirectory(kContentDir);
    return all;
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(Content, EnoughFunctionsAndExamples) {
    const auto& fns = functions();
    EXPECT_GE(fns.size(), 670u);
    const auto examples =
        std::count_if(fns.begin(), fns.end(), [](const auto& f) { return f.example.has_value(); });
    EXPECT_GE(examples * 10, static_cast<long>(fns.size()) * 6)
        << "examples for at least 60% of the functions";
    std::printf("content: %zu functions, %ld with examples\n", fns.size(), static_cast<long>(examples));
}

TEST(Content, DeclarationsParseAndMatchTheirHeader) {
    for (const auto& f : functions()) {
        SCOPED_TRACE(f.file);
        vb::Declare d;
        try {
            d = vb::parseDeclare(f.declaration);
        } catch (const vb::ParseError& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        EXPECT_EQ(d.name, f.name);
        // Lib "user32" names user32.dll; a file of another kind is named in full.
        const std::string lib = lower(d.lib);
        EXPECT_EQ(lib.find('.') == std::string::npos ? lib + ".dll" : lib, f.library)
            << "Lib and library disagree";
        EXPECT_EQ(d.lib, lower(d.lib)) << "Lib is written in lower case";
        EXPECT_EQ(d.alias, f.alias) << "the Alias clause and the alias field disagree";
        if (f.alias) {
            EXPECT_NE(*f.alias, f.name) << "an alias equal to the name is no alias";
        }
        for (const auto& p : d.parameters)
            EXPECT_FALSE(p.type.empty()) << "parameter " << p.name << " has no type";
    }
}

TEST(Content, EveryExportedNameExistsInItsLibrary) {
    std::size_t checked = 0;
    for (const auto& f : functions()) {
        SCOPED_TRACE(f.file);
        const auto& exports = proofs::exports64(f.library);
        ASSERT_FALSE(exports.empty())
            << "no export list for " << f.library << " (is mingw-w64-x86-64-dev installed?)";
        const std::string exported = f.alias.value_or(f.name);
        EXPECT_TRUE(exports.count(exported)) << exported << " is not exported by " << f.library;
        ++checked;
    }
    EXPECT_EQ(checked, functions().size());
}

// What a VB6 call pushes equals what the stdcall export pops, every constant
// we print has the header's value as VB reads it, and every Type that mirrors
// a Windows structure has its layout (i686 headers and import libraries).
TEST(Content, DeclarationsConstantsAndStructuresAreProvenAgainstTheHeaders) {
    const auto r = proofs::check(kContentDir);
    for (const auto& f : r.failures)
        ADD_FAILURE() << f;
    EXPECT_EQ(r.functions, functions().size());
    EXPECT_EQ(r.stackProven, r.declares) << "every Declare, the examples' included";
    EXPECT_GE(r.constsProven, 3000u);
    EXPECT_GE(r.typesProven, 200u);
    EXPECT_EQ(r.vba7Declares + r.vba7Absent, r.functions) << "every function has its 64-bit VBA paragraph";
    std::printf(
        "proven: %zu stack sizes, %zu of %zu constants (the rest are the examples' own), %zu of %zu Types "
        "with %zu members; 64-bit VBA: %zu Declares with %zu parameters, %zu structures sized\n",
        r.stackProven, r.constsProven, r.consts, r.typesProven, r.types, r.membersProven, r.vba7Declares,
        r.vba7Parameters, r.vba7Structures);
}

TEST(Content, SectionsAReaderExpects) {
    for (const auto& f : functions()) {
        SCOPED_TRACE(f.file);
        const auto d = vb::parseDeclare(f.declaration);
        EXPECT_TRUE(f.description) << "no description";
        if (d.isFunction) {
            EXPECT_TRUE(f.returnValue) << "a Function without its return value";
        } else {
            EXPECT_FALSE(f.returnValue) << "a Sub returns nothing";
        }
        EXPECT_EQ(f.parameters.has_value(), !d.parameters.empty())
            << "parameters and the declaration disagree";
        if (f.parameters) {
            // One line a parameter, named as in the declaration, in order.
            std::vector<std::string> lines;
            std::size_t start = 0;
            while (start <= f.parameters->size()) {
                const std::size_t end = f.parameters->find("\r\n", start);
                lines.push_back(
                    f.parameters->substr(start, end == std::string::npos ? std::string::npos : end - start));
                if (end == std::string::npos) break;
                start = end + 2;
            }
            ASSERT_EQ(lines.size(), d.parameters.size()) << *f.parameters;
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(lower(lines[i].substr(0, lines[i].find("："))), lower(d.parameters[i].name))
                    << lines[i];
        }
        for (const auto* text : {&f.description, &f.returnValue, &f.remarks, &f.parameters, &f.example}) {
            if (!*text) continue;
            // Stored line breaks are CR LF, never a lone LF or CR.
            const std::string& t = **text;
            for (std::size_t i = 0; i < t.size(); ++i) {
                if (t[i] == '\n') {
                    EXPECT_TRUE(i > 0 && t[i - 1] == '\r');
                }
                if (t[i] == '\r') {
                    EXPECT_TRUE(i + 1 < t.size() && t[i + 1] == '\n');
                }
            }
        }
    }
}

TEST(Content, TheBuiltDatabaseHoldsTheContentInNameOrder) {
    const auto db = jet::Database::open(std::string(ZARN_BINARY_DIR) + "/bin/winapi.mdb");
    const auto funclass = db.readTable("funclass");
    const auto winfun = db.readTable("winfun");
    const auto& fns = functions();
    ASSERT_EQ(funclass.rowCount(), fns.size());
    ASSERT_EQ(winfun.columns.size(), 10u);
    EXPECT_EQ(winfun.columns[0].name, "函数");
    std::set<std::string> winfunNames;
    for (std::size_t r = 0; r < winfun.rowCount(); ++r)
        winfunNames.insert(*winfun.at(r, 0));
    for (std::size_t r = 0; r < funclass.rowCount(); ++r) {
        const std::string name = *funclass.at(r, 0);
        EXPECT_EQ(name, fns[r].name);
        EXPECT_EQ(*funclass.at(r, 1), fns[r].declaration);
        EXPECT_TRUE(winfunNames.count(name)) << name << " has no winfun record";
        EXPECT_EQ(name.find('\''), std::string::npos) << "names hold no apostrophe";
        if (r > 0) {
            EXPECT_LT(lower(*funclass.at(r - 1, 0)), lower(name)) << "ascending, unique, letter case ignored";
        }
    }
    for (std::size_t r = 0; r < winfun.rowCount(); ++r) {
        const auto& f = fns[r];
        EXPECT_EQ(winfun.at(r, 1), f.example);
        EXPECT_EQ(winfun.at(r, 2), f.alias);
        EXPECT_EQ(*winfun.at(r, 3), f.library);
        EXPECT_TRUE(*winfun.at(r, 4) == "Yes" || *winfun.at(r, 4) == "");
        EXPECT_TRUE(*winfun.at(r, 5) == "Yes" || *winfun.at(r, 5) == "");
        EXPECT_EQ(winfun.at(r, 6), f.description);
    }
}

TEST(VbDeclare, AcceptsTheShapesTheContentUses) {
    const auto d = vb::parseDeclare(
        "Declare Function GetWindowText Lib \"user32\" Alias \"GetWindowTextA\" (ByVal hwnd As Long, "
        "ByVal lpString As String, ByVal cch As Long) As Long");
    EXPECT_TRUE(d.isFunction);
    EXPECT_EQ(d.alias, std::optional<std::string>("GetWindowTextA"));
    ASSERT_EQ(d.parameters.size(), 3u);
    EXPECT_EQ(d.parameters[1].passing, vb::Parameter::Passing::ByVal);
    EXPECT_EQ(d.parameters[1].type, "String");
    const auto s =
        vb::parseDeclare("declare sub RtlMoveMemory lib \"kernel32\" (Destination As Any, Source As Any, "
                         "ByVal Length As Long)");
    EXPECT_FALSE(s.isFunction);
    EXPECT_EQ(s.parameters[0].passing, vb::Parameter::Passing::Default);
    EXPECT_NO_THROW(vb::parseDeclare("Declare Function GetTickCount Lib \"kernel32\" () As Long"));
    EXPECT_NO_THROW(vb::parseDeclare("Declare Function X Lib \"y\" (Optional ByVal a As Long = 0, b() As "
                                     "Byte, ByRef c As String * 260) As Integer"));
}

TEST(VbDeclare, RefusesWhatVbWouldNotCompile) {
    for (const char* bad : {
             "Function X Lib \"y\" () As Long",     // no Declare
             "Declare Function X Lib y () As Long", // unquoted Lib
             "Declare Function X Lib \"y\" ()",     // Function without a type
             "Declare Sub X Lib \"y\" () As Long",  // Sub with a type
             "Declare Function X Lib \"y\" (ByVal a As Long As Long",
             "Declare Function X Lib \"y\" (ByVal As Long) As Long",
             "Declare Function X Lib \"y\" Alias (ByVal a As Long) As Long",
             "Declare Function X Lib \"y\" (a As Long = 1) As Long", // default without Optional
             "Declare Function X Lib \"y\" () As Long extra",
             "Declare Functoin X Lib \"y\" () As Long",
         })
        EXPECT_THROW(vb::parseDeclare(bad), vb::ParseError) << bad;
}

// The VB6 rules the proofs rest on; each row is a way content went wrong.
TEST(Proofs, ReadValuesAndLayoutsAsVb6Does) {
    const std::pair<const char*, std::optional<std::int64_t>> literals[] = {
        {"&HF060", -4000},
        {"&HF060&", 0xF060},
        {"&HFFFF", -1},
        {"&HFFFF&", 0xFFFF},
        {"&H8000", -32768},
        {"&H10000", 0x10000},
        {"&H80000000", INT32_MIN},
        {"-1", -1},
        {"2147483647", INT32_MAX},
        {"4294967295", std::nullopt},
        {"&HG1", std::nullopt},
        {"12.5", std::nullopt},
    };
    for (const auto& [text, value] : literals)
        EXPECT_EQ(proofs::vbLiteral(text), value) << text;
    const std::map<std::string, std::int64_t> known{{"A", 1}, {"B", 4}};
    EXPECT_EQ(proofs::vbConstExpression("A Or B Or &H10", known), 21);
    EXPECT_EQ(proofs::vbConstExpression("(B + 1) * 2 And Not A", known), 10);
    EXPECT_FALSE(proofs::vbConstExpression("A Or C", known));

    const auto d =
        vb::parseDeclare("Declare Function F Lib \"x\" (ByVal a As Long, b As Any, ByVal c As Double, "
                         "ByVal d As Integer, e() As Byte, ByVal f As String, ByVal g As Currency) As Long");
    EXPECT_EQ(proofs::vbStackBytes(d).bytes, 4 + 4 + 8 + 4 + 4 + 4 + 8);
    EXPECT_FALSE(
        proofs::vbStackBytes(vb::parseDeclare("Declare Function F Lib \"x\" (ByVal r As RECT) As Long"))
            .bytes);

    const auto facts =
        proofs::scan("name: F\ndeclaration: Declare Sub F Lib \"x\" ()\nlibrary: x.dll\n\n== example\n"
                     "Private Type INNER\n    b As Byte\nEnd Type\n"
                     "Private Type T\n    i As Integer\n    d As Double\n    s As String * 3\n"
                     "    n As INNER\n    a(0 To 2) As Integer\n    p As String\nEnd Type\n"
                     "Private Const X = &H10, Y = X Or &H8000&  ' comment\n",
                     "F.txt");
    ASSERT_TRUE(facts.problems.empty()) << facts.problems.front();
    ASSERT_EQ(facts.types.size(), 2u);
    std::map<std::string, proofs::TypeAt> types{{"INNER", facts.types[0]}, {"T", facts.types[1]}};
    std::string why;
    const auto l = proofs::vbLayout(facts.types[1], types, why);
    ASSERT_TRUE(l) << why;
    // Double aligns on 4, String * 3 and a Byte Type on 1, the pointer on 4.
    const std::vector<std::pair<std::size_t, std::size_t>> offsets{{0, 2},  {4, 8},  {12, 3},
                                                                   {15, 1}, {16, 6}, {24, 4}};
    EXPECT_EQ(l->members, offsets);
    EXPECT_EQ(l->size, 28u);
    ASSERT_EQ(facts.consts.size(), 2u);
    EXPECT_EQ(facts.consts[1].value, 0x8010);
}

// The proofs must catch each way a file can be wrong, naming file and line.
TEST(Proofs, CatchWhatWouldCrashAVbProgram) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zarn-proofs-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "GetSystemMenu.txt")
        << "name: GetSystemMenu\n"
           "declaration: Declare Function GetSystemMenu Lib \"user32\" (ByVal hwnd As Long) As Long\n"
           "library: user32.dll\n\n== remarks\nSC_CLOSE = &HF060& and SC_MOVE = &HF010.\n== example\n"
           "Private Declare Function wsprintf Lib \"user32\" Alias \"wsprintfA\" (ByVal s As String) As "
           "Long\n"
           "Private Declare Function NoSuchExport Lib \"user32\" () As Long\n"
           "Private Type RECT\n    Left As Long\n    Top As Integer\n    Right As Long\n    Bottom As "
           "Long\nEnd Type\n"
           "Private Type POINTAPI\n    x As Long\n    y As Long\nEnd Type\n"
           "Private Const SC_CLOSE = &HF060, MF_BYCOMMAND = 0, MY_OWN = &HF060\n";
    const auto r = proofs::check(dir.string());
    std::filesystem::remove_all(dir);
    const std::vector<std::string> expected{
        "GetSystemMenu.txt:2: GetSystemMenu pushes 4 bytes, but _GetSystemMenu@8 takes 8",
        "GetSystemMenu.txt:8: wsprintfA is a cdecl export of user32.dll; a VB6 Declare calls stdcall",
        "GetSystemMenu.txt:9: NoSuchExport is not exported by the 32-bit import library of user32.dll "
        "(libuser32.a)",
        "GetSystemMenu.txt:6: SC_MOVE = &HF010 is -4080 as VB reads it; the headers say 0xF010 (61456); a "
        "Long needs "
        "the trailing &",
        "GetSystemMenu.txt:20: SC_CLOSE = &HF060 is -4000 as VB reads it; the headers say 0xF060 (61536); a "
        "Long needs "
        "the trailing &",
    };
    ASSERT_GE(r.failures.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(r.failures[i], expected[i]);
    EXPECT_EQ(r.failures[expected.size()].rfind(
                  "GetSystemMenu.txt:10: member Top of RECT sits at 4 with 2 bytes", 0),
              0u)
        << r.failures[expected.size()];
    EXPECT_EQ(r.constsProven, 2u) << "SC_CLOSE in the text and MF_BYCOMMAND; MY_OWN is the example's own";
    EXPECT_EQ(r.typesProven, 1u) << "POINTAPI is POINT";
}

TEST(ContentFormat, ParsesSectionsAndRefusesMistakes) {
    const std::string good =
        "name: Beep\ndeclaration: Declare Function Beep Lib \"kernel32\" (ByVal f As Long) As Long\n"
        "library: kernel32.dll\nwin9x: Yes\nwinnt: Yes\n\n== description\n\n发出声音。\n  第二行\n\n"
        "== parameters\nf：频率\n";
    const auto f = content::parseFunction(good, "Beep.txt");
    EXPECT_EQ(f.description, std::optional<std::string>("发出声音。\r\n  第二行"));
    EXPECT_EQ(f.parameters, std::optional<std::string>("f：频率"));
    EXPECT_FALSE(f.returnValue);
    EXPECT_FALSE(f.alias);
    EXPECT_EQ(f.win9x, "Yes");
    const std::pair<std::string, std::string> bad[] = {
        {good, "Other.txt"},                                 // file named after another function
        {"name: Beep\nlibrary: kernel32.dll\n", "Beep.txt"}, // no declaration
        {good + "== description\nagain\n", "Beep.txt"},      // a section twice
        {good + "== examples\nx\n", "Beep.txt"},             // unknown section
        {"name: Beep\r\ndeclaration: x\r\nlibrary: k.dll\r\n", "Beep.txt"}, // CR LF in the file
        {"name: Beep\ndeclaration: x\nlibrary: k.dll\nwin9x: yes\n", "Beep.txt"},
        {"name: Beep\ndeclaration: x\nlibrary: k.dll\n== remarks\n\n== description\nx\n", "Beep.txt"},
    };
    for (const auto& [text, file] : bad)
        EXPECT_THROW(content::parseFunction(text, file), content::ContentError) << text;
}

// Each row is a 64-bit VBA paragraph that would not compile, would cut a
// pointer to 32 bits or would hand the API a structure of the wrong size.
TEST(Proofs, CatchWhatWouldBreakIn64BitVba) {
    const std::string heading = std::string(proofs::kVba7Heading) + "\n";
    const std::string callers = "调用方的变化。\n";
    const auto file = [](const std::string& name, const std::string& vb6, const std::string& remarks,
                         const std::string& example = "") {
        return "name: " + name + "\ndeclaration: " + vb6 + "\nlibrary: user32.dll\n\n== remarks\n" + remarks +
               (example.empty() ? "" : "== example\n" + example);
    };
    const std::string gwt =
        "Declare Function GetWindowText Lib \"user32\" Alias \"GetWindowTextA\" (ByVal hwnd As "
        "Long, ByVal lpString As String, ByVal cch As Long) As Long";
    const std::string gwt64 =
        "Declare PtrSafe Function GetWindowText Lib \"user32\" Alias \"GetWindowTextA\" (ByVal "
        "hwnd As LongPtr, ByVal lpString As String, ByVal cch As Long) As Long\n";
    const std::string nid =
        "Type NOTIFYICONDATA\n    cbSize As Long\n    hwnd As Long\n    uID As Long\n    uFlags "
        "As Long\n    uCallbackMessage As Long\n    hIcon As Long\n    szTip As String * 64\nEnd "
        "Type\n";
    const std::string sni =
        "Declare Function Shell_NotifyIcon Lib \"shell32\" Alias \"Shell_NotifyIconA\" (ByVal "
        "dwMessage As Long, lpData As NOTIFYICONDATA) As Long";
    const std::string sni64 =
        "Declare PtrSafe Function Shell_NotifyIcon Lib \"shell32\" Alias \"Shell_NotifyIconA\" "
        "(ByVal dwMessage As Long, lpData As NOTIFYICONDATA) As Long\n";
    const std::string sm =
        "Declare Function SendMessage Lib \"user32\" Alias \"SendMessageA\" (ByVal hwnd As Long, "
        "ByVal wMsg As Long, ByVal wParam As Long, lParam As Any) As Long";
    const std::string sm64 =
        "Declare PtrSafe Function SendMessage Lib \"user32\" Alias \"SendMessageA\" (ByVal hwnd "
        "As LongPtr, ByVal wMsg As Long, ByVal wParam As LongPtr, lParam As Any) As ";
    const std::string wfp =
        "Declare Function WindowFromPoint Lib \"user32\" (ByVal x As Long, ByVal y As Long) As Long";
    const std::string rok =
        "Declare Function RegOpenKeyEx Lib \"advapi32\" Alias \"RegOpenKeyExA\" (ByVal hKey As "
        "Long, ByVal lpSubKey As String, ByVal ulOptions As Long, ByVal samDesired As Long, "
        "phkResult As Long) As Long";
    // Packed to 1 byte: pamxctrl lies at offset 20 on 64-bit Windows.
    const std::string mlc =
        "Type MIXERLINECONTROLS\n    cbStruct As Long\n    dwLineID As Long\n    dwControlType As "
        "Long\n    cControls As Long\n    cbmxctrl As Long\n    pamxctrl As Long\nEnd Type\n";
    const std::string glc =
        "Declare Function mixerGetLineControls Lib \"winmm\" Alias \"mixerGetLineControlsA\" (ByVal "
        "hmxobj As Long, pmxlc As MIXERLINECONTROLS, ByVal fdwControls As Long) As Long";
    const std::string glc64 =
        "Declare PtrSafe Function mixerGetLineControls Lib \"winmm\" Alias \"mixerGetLineControlsA\" "
        "(ByVal hmxobj As LongPtr, pmxlc As MIXERLINECONTROLS, ByVal fdwControls As Long) As Long\n";
    const std::string mlcLine = "结构 MIXERLINECONTROLS：64 位下 28 字节；改为 LongPtr 的成员：";
    // Next is a VB keyword: the Type says which C member pNext stands for.
    const std::string ias =
        "Type IP_ADDR_STRING\n    pNext As Long   ' C 中为 Next\n    IpAddress As String * "
        "16\n    IpMask As String * 16\n    Context As Long\nEnd Type\n";
    const std::string gnp =
        "Declare Function GetNetworkParams Lib \"iphlpapi\" (pFixedInfo As Any, pOutBufLen As "
        "Long) As Long";
    const std::string gnp64 =
        "Declare PtrSafe Function GetNetworkParams Lib \"iphlpapi\" (pFixedInfo As Any, "
        "pOutBufLen As Long) As Long\n";
    const std::string iasLine = "结构 IP_ADDR_STRING：64 位下 48 字节；改为 LongPtr 的成员：";
    const struct {
        std::string name, text, failure; // failure empty: the file is proven
    } cases[] = {
        {"GetWindowText", file("GetWindowText", gwt, heading + gwt64 + callers), ""},
        {"GetWindowText", file("GetWindowText", gwt, "no paragraph\n"),
         "remarks end without the 64-bit VBA paragraph"},
        {"GetWindowText", file("GetWindowText", gwt, heading + gwt64),
         "ends with a line on what changes for callers"},
        {"GetWindowText",
         file("GetWindowText", gwt, heading + gwt.substr(0, 8) + "PtrSafe " + gwt.substr(8) + "\n" + callers),
         "parameter hwnd: the C type is pointer-sized"},
        {"GetWindowText", file("GetWindowText", gwt, heading + gwt + "\n" + callers), "needs PtrSafe"},
        {"GetWindowText", file("GetWindowText", gwt, heading + "64 位 Windows 没有这个函数：用别的。\n"),
         "is exported by the 64-bit import library of user32.dll"},
        {"SendMessage", file("SendMessage", sm, heading + sm64 + "LongPtr\n" + callers), ""},
        {"SendMessage", file("SendMessage", sm, heading + sm64 + "Long\n" + callers),
         "result: the C type is pointer-sized"},
        {"WindowFromPoint",
         file("WindowFromPoint", wfp,
              heading +
                  "Declare PtrSafe Function WindowFromPoint Lib \"user32\" (ByVal x As Long, ByVal y As "
                  "Long) As LongPtr\n" +
                  callers),
         "WindowFromPoint takes 1 parameters; the Declare has 2"},
        {"WindowFromPoint",
         file("WindowFromPoint", wfp,
              heading +
                  "Declare PtrSafe Function WindowFromPoint Lib \"user32\" (ByVal pt As LongLong) As "
                  "LongPtr\n" +
                  callers),
         ""},
        {"RegOpenKeyEx",
         file("RegOpenKeyEx", rok,
              heading +
                  "Declare PtrSafe Function RegOpenKeyEx Lib \"advapi32\" Alias \"RegOpenKeyExA\" (ByVal "
                  "hKey As LongPtr, ByVal lpSubKey As String, ByVal ulOptions As Long, ByVal samDesired As "
                  "Long, phkResult As Long) As Long\n" +
                  callers),
         "parameter phkResult: ByRef Long points to it, but the C type is pointer-sized"},
        {"RegOpenKeyEx",
         file("RegOpenKeyEx", rok,
              heading +
                  "Declare PtrSafe Function RegOpenKeyEx Lib \"advapi32\" Alias \"RegOpenKeyExA\" (ByVal "
                  "hKey As LongPtr, ByVal lpSubKey As String, ByVal ulOptions As Long, ByVal samDesired As "
                  "Long, ByRef phkResult As String) As Long\n" +
                  callers),
         "ByRef String passes VB's string descriptor"},
        {"Shell_NotifyIcon",
         file("Shell_NotifyIcon", sni,
              heading + sni64 +
                  "结构 NOTIFYICONDATA：64 位下 104 字节；改为 LongPtr 的成员：hwnd、hIcon。\n" + callers,
              nid),
         ""},
        {"Shell_NotifyIcon",
         file("Shell_NotifyIcon", sni,
              heading + sni64 + "结构 NOTIFYICONDATA：64 位下 88 字节；改为 LongPtr 的成员：hwnd、hIcon。\n" +
                  callers,
              nid),
         "NOTIFYICONDATA (as the Type here) is 104 bytes on 64-bit Windows, not 88"},
        {"Shell_NotifyIcon",
         file("Shell_NotifyIcon", sni,
              heading + sni64 + "结构 NOTIFYICONDATA：64 位下 104 字节；改为 LongPtr 的成员：hwnd、uID。\n" +
                  callers,
              nid),
         "member uID of NOTIFYICONDATA is not pointer-sized"},
        {"Shell_NotifyIcon",
         file("Shell_NotifyIcon", sni,
              heading + sni64 + "结构 NOTIFYICONDATA：64 位下 104 字节；改为 LongPtr 的成员：hwnd。\n" +
                  callers,
              nid),
         "member hIcon of NOTIFYICONDATA is pointer-sized: list it"},
        {"Shell_NotifyIcon", file("Shell_NotifyIcon", sni, heading + sni64 + callers, nid),
         "structure NOTIFYICONDATA changes on 64-bit Windows"},
        {"mixerGetLineControls",
         file("mixerGetLineControls", glc, heading + glc64 + mlcLine + "pamxctrl。\n" + callers, mlc),
         "member pamxctrl of MIXERLINECONTROLS lies at offset 20 on 64-bit Windows: VBA cannot put a "
         "LongPtr"},
        {"mixerGetLineControls",
         file("mixerGetLineControls", glc,
              heading + glc64 + mlcLine + "无；拆成两个 Long 的成员：pamxctrl。\n" + callers, mlc),
         ""},
        {"GetNetworkParams",
         file("GetNetworkParams", gnp, heading + gnp64 + iasLine + "pNext。\n" + callers, ias), ""},
        {"GetNetworkParams",
         file("GetNetworkParams", gnp, heading + gnp64 + iasLine + "Next。\n" + callers, ias),
         "member pNext of IP_ADDR_STRING is pointer-sized: list it"},
    };
    // One run over all rows: each probe of the headers compiles them once.
    const auto dir =
        std::filesystem::temp_directory_path() / ("zarn-vba7-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto fileOf = [](std::size_t i) { return "case" + std::to_string(100 + i) + ".txt"; };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        std::ofstream(dir / fileOf(i)) << cases[i].text;
    const auto r = proofs::check(dir.string());
    std::filesystem::remove_all(dir);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::string all;
        for (const auto& f : r.failures)
            if (f.rfind(fileOf(i) + ":", 0) == 0) all += f + "\n";
        if (cases[i].failure.empty())
            EXPECT_EQ(all, "") << cases[i].name << " row " << i;
        else
            EXPECT_NE(all.find(cases[i].failure), std::string::npos) << cases[i].name << " row " << i << ":\n"
                                                                     << all;
    }

    const auto d = vb::parseDeclare(gwt);
    const proofs::vba7::Both handle{{proofs::vba7::Kind::Pointer, 8}, {proofs::vba7::Kind::Pointer, 4}};
    const proofs::vba7::Both dword{{proofs::vba7::Kind::Integer, 4}, {proofs::vba7::Kind::Integer, 4}};
    EXPECT_EQ(proofs::vba7::draftDeclare(d, {handle, handle, dword}, dword) + "\n", gwt64);
}

} // namespace

// The bundled reference content: every declaration is a VB6 Declare statement
// whose library really exports the named function, every function has its
// sections, and the built database holds what the files say.
#include "content.h"
#include "jet/jet.h"
#include "vb_declare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

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

// Names a DLL exports, read from the mingw-w64 import library with nm.
const std::set<std::string>& exportsOf(const std::string& dll) {
    static std::map<std::string, std::set<std::string>> cache;
    auto [it, fresh] = cache.try_emplace(dll);
    if (!fresh)
        return it->second;
    const std::string lib = "/usr/x86_64-w64-mingw32/lib/lib" + dll + ".a";
    const std::string cmd = "nm -g --defined-only '" + lib + "' 2>/dev/null";
    if (FILE* pipe = ::popen(cmd.c_str(), "r")) {
        std::array<char, 512> line{};
        while (std::fgets(line.data(), line.size(), pipe)) {
            std::string l(line.data());
            // "0000000000000000 T GetWindowTextA"
            const auto t = l.find(" T ");
            if (t == std::string::npos)
                continue;
            std::string name = l.substr(t + 3);
            while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
                name.pop_back();
            it->second.insert(name);
        }
        ::pclose(pipe);
    }
    return it->second;
}

TEST(Content, EnoughFunctionsAndExamples) {
    const auto& fns = functions();
    EXPECT_GE(fns.size(), 300u);
    const auto examples = std::count_if(fns.begin(), fns.end(), [](const auto& f) { return f.example.has_value(); });
    EXPECT_GE(examples, 100);
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
        EXPECT_EQ(lower(d.lib) + ".dll", f.library) << "Lib and library disagree";
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
        const std::string dll = f.library.substr(0, f.library.size() - 4);
        const auto& exports = exportsOf(dll);
        ASSERT_FALSE(exports.empty()) << "no export list for " << f.library
                                      << " (is mingw-w64-x86-64-dev installed?)";
        const std::string exported = f.alias.value_or(f.name);
        EXPECT_TRUE(exports.count(exported)) << exported << " is not exported by " << f.library;
        ++checked;
    }
    EXPECT_EQ(checked, functions().size());
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
        EXPECT_EQ(f.parameters.has_value(), !d.parameters.empty()) << "parameters and the declaration disagree";
        if (f.parameters) {
            // One line a parameter, named as in the declaration, in order.
            std::vector<std::string> lines;
            std::size_t start = 0;
            while (start <= f.parameters->size()) {
                const std::size_t end = f.parameters->find("\r\n", start);
                lines.push_back(f.parameters->substr(start, end == std::string::npos ? std::string::npos : end - start));
                if (end == std::string::npos)
                    break;
                start = end + 2;
            }
            ASSERT_EQ(lines.size(), d.parameters.size()) << *f.parameters;
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(lower(lines[i].substr(0, lines[i].find("："))), lower(d.parameters[i].name)) << lines[i];
        }
        for (const auto* text : {&f.description, &f.returnValue, &f.remarks, &f.parameters, &f.example}) {
            if (!*text)
                continue;
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
    const auto s = vb::parseDeclare("declare sub RtlMoveMemory lib \"kernel32\" (Destination As Any, Source As Any, "
                                    "ByVal Length As Long)");
    EXPECT_FALSE(s.isFunction);
    EXPECT_EQ(s.parameters[0].passing, vb::Parameter::Passing::Default);
    EXPECT_NO_THROW(vb::parseDeclare("Declare Function GetTickCount Lib \"kernel32\" () As Long"));
    EXPECT_NO_THROW(vb::parseDeclare(
        "Declare Function X Lib \"y\" (Optional ByVal a As Long = 0, b() As Byte, ByRef c As String * 260) As Integer"));
}

TEST(VbDeclare, RefusesWhatVbWouldNotCompile) {
    for (const char* bad : {
             "Function X Lib \"y\" () As Long",              // no Declare
             "Declare Function X Lib y () As Long",          // unquoted Lib
             "Declare Function X Lib \"y\" ()",              // Function without a type
             "Declare Sub X Lib \"y\" () As Long",           // Sub with a type
             "Declare Function X Lib \"y\" (ByVal a As Long As Long",
             "Declare Function X Lib \"y\" (ByVal As Long) As Long",
             "Declare Function X Lib \"y\" Alias (ByVal a As Long) As Long",
             "Declare Function X Lib \"y\" (a As Long = 1) As Long", // default without Optional
             "Declare Function X Lib \"y\" () As Long extra",
             "Declare Functoin X Lib \"y\" () As Long",
         })
        EXPECT_THROW(vb::parseDeclare(bad), vb::ParseError) << bad;
}

TEST(ContentFormat, ParsesSectionsAndRefusesMistakes) {
    const std::string good = "name: Beep\ndeclaration: Declare Function Beep Lib \"kernel32\" (ByVal f As Long) As Long\n"
                             "library: kernel32.dll\nwin9x: Yes\nwinnt: Yes\n\n== description\n\n发出声音。\n  第二行\n\n"
                             "== parameters\nf：频率\n";
    const auto f = content::parseFunction(good, "Beep.txt");
    EXPECT_EQ(f.description, std::optional<std::string>("发出声音。\r\n  第二行"));
    EXPECT_EQ(f.parameters, std::optional<std::string>("f：频率"));
    EXPECT_FALSE(f.returnValue);
    EXPECT_FALSE(f.alias);
    EXPECT_EQ(f.win9x, "Yes");
    const std::pair<std::string, std::string> bad[] = {
        {good, "Other.txt"},                                            // file named after another function
        {"name: Beep\nlibrary: kernel32.dll\n", "Beep.txt"},           // no declaration
        {good + "== description\nagain\n", "Beep.txt"},                // a section twice
        {good + "== examples\nx\n", "Beep.txt"},                       // unknown section
        {"name: Beep\r\ndeclaration: x\r\nlibrary: k.dll\r\n", "Beep.txt"}, // CR LF in the file
        {"name: Beep\ndeclaration: x\nlibrary: k.dll\nwin9x: yes\n", "Beep.txt"},
        {"name: Beep\ndeclaration: x\nlibrary: k.dll\n== remarks\n\n== description\nx\n", "Beep.txt"},
    };
    for (const auto& [text, file] : bad)
        EXPECT_THROW(content::parseFunction(text, file), content::ContentError) << text;
}

} // namespace

#include "tools/content/content.h"
#include "data/schema.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace content {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

[[noreturn]] void fail(const std::string& file, std::size_t line, const std::string& what) {
    throw ContentError(file + (line ? ":" + std::to_string(line) : std::string()) + ": " + what);
}

// Lines of a section, blank lines at both ends dropped, joined by CR LF.
std::string joinSection(std::vector<std::string> lines) {
    auto blank = [](const std::string& l) { return l.find_first_not_of(" \t") == std::string::npos; };
    while (!lines.empty() && blank(lines.back()))
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && blank(lines[first]))
        ++first;
    std::string out;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first) out += "\r\n";
        out += lines[i];
    }
    return out;
}

const std::vector<std::string> kSections = {"description", "return_value", "remarks", "parameters",
                                            "example"};

} // namespace

Function parseFunction(const std::string& text, const std::string& fileName) {
    if (text.find('\r') != std::string::npos) fail(fileName, 0, "use LF line endings; the build adds the CR");
    Function f;
    f.file = fileName;
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        std::string l;
        while (std::getline(in, l))
            lines.push_back(l);
    }
    std::map<std::string, std::string> header;
    std::size_t i = 0;
    for (; i < lines.size() && lines[i].rfind("== ", 0) != 0; ++i) {
        const std::string& l = lines[i];
        if (l.empty()) continue;
        const std::size_t colon = l.find(": ");
        if (colon == std::string::npos) fail(fileName, i + 1, "expected 'key: value' in the header");
        const std::string key = l.substr(0, colon);
        static const std::set<std::string> keys = {"name",    "declaration", "alias",
                                                   "library", "win9x",       "winnt"};
        if (!keys.count(key)) fail(fileName, i + 1, "unknown header key '" + key + "'");
        if (!header.emplace(key, l.substr(colon + 2)).second)
            fail(fileName, i + 1, "header key '" + key + "' given twice");
    }
    for (const char* required : {"name", "declaration", "library"})
        if (!header.count(required) || header[required].empty())
            fail(fileName, 0, std::string("the header lacks '") + required + "'");
    f.name = header["name"];
    f.declaration = header["declaration"];
    f.library = header["library"];
    if (header.count("alias")) f.alias = header["alias"];
    for (const char* flag : {"win9x", "winnt"}) {
        if (header.count(flag) && header[flag] != "Yes")
            fail(fileName, 0, std::string(flag) + " must be 'Yes' or left out");
    }
    f.win9x = header.count("win9x") ? "Yes" : "";
    f.winnt = header.count("winnt") ? "Yes" : "";
    if (fileName != f.name + ".txt")
        fail(fileName, 0, "the file must be named after the function: " + f.name + ".txt");

    std::size_t order = 0;
    while (i < lines.size()) {
        const std::string section = lines[i].substr(3);
        const auto it = std::find(kSections.begin(), kSections.end(), section);
        if (it == kSections.end()) fail(fileName, i + 1, "unknown section '" + section + "'");
        const auto pos = static_cast<std::size_t>(it - kSections.begin());
        if (pos < order) fail(fileName, i + 1, "section '" + section + "' is out of order or given twice");
        order = pos + 1;
        std::vector<std::string> body;
        for (++i; i < lines.size() && lines[i].rfind("== ", 0) != 0; ++i)
            body.push_back(lines[i]);
        std::string value = joinSection(std::move(body));
        if (value.empty()) fail(fileName, 0, "section '" + section + "' is empty; leave it out instead");
        std::optional<std::string>* slot[] = {&f.description, &f.returnValue, &f.remarks, &f.parameters,
                                              &f.example};
        *slot[pos] = std::move(value);
    }
    return f;
}

std::vector<Function> loadDirectory(const std::string& dir) {
    namespace fs = std::filesystem;
    std::vector<Function> functions;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".txt") continue;
        std::ifstream in(it->path(), std::ios::binary);
        if (!in) throw ContentError(it->path().string() + ": cannot read");
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        functions.push_back(parseFunction(text, it->path().filename().string()));
    }
    if (ec) throw ContentError(dir + ": " + ec.message());
    std::sort(functions.begin(), functions.end(), [](const Function& a, const Function& b) {
        const std::string la = lower(a.name), lb = lower(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    for (std::size_t k = 1; k < functions.size(); ++k)
        if (lower(functions[k].name) == lower(functions[k - 1].name))
            throw ContentError(functions[k].file + ": the name " + functions[k].name +
                               " is already taken by " + functions[k - 1].file);
    return functions;
}

jetw::DatabaseDef referenceTables() {
    using jetw::ColumnKind;
    namespace schema = data::schema;
    jetw::TableDef funclass{schema::kFuncclass, {}, {}};
    funclass.columns = {{schema::kFuncclassColumns[schema::Name], ColumnKind::Text, 255},
                        {schema::kFuncclassColumns[schema::Declaration], ColumnKind::Memo, 0}};
    jetw::TableDef winfun{schema::kWinfun, {}, {}};
    for (const char* name : schema::kWinfunColumns)
        winfun.columns.push_back({name, ColumnKind::Memo, 0});
    // The short ones are TEXT columns, as the original database has them.
    for (const auto& [column, size] :
         {std::pair{schema::Function, 255}, std::pair{schema::Alias, 255}, std::pair{schema::Library, 255},
          std::pair{schema::Win9x, 10}, std::pair{schema::WinNT, 10}})
        winfun.columns[column] = {schema::kWinfunColumns[column], ColumnKind::Text, size};
    return {{funclass, winfun}};
}

jetw::DatabaseDef toDatabase(const std::vector<Function>& functions) {
    using jetw::Cell;
    jetw::DatabaseDef db = referenceTables();
    jetw::TableDef& funclass = db.tables[0];
    jetw::TableDef& winfun = db.tables[1];
    for (const Function& f : functions) {
        funclass.rows.push_back({Cell{f.name}, Cell{f.declaration}});
        winfun.rows.push_back({Cell{f.name}, f.example, f.alias, Cell{f.library}, Cell{f.win9x},
                               Cell{f.winnt}, f.description, f.returnValue, f.remarks, f.parameters});
    }
    return db;
}

} // namespace content

// The reference content under content/functions/: one text file per
// function, parsed into the two tables of the bundled database.
#pragma once

#include "tools/jetwriter/jet_writer.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace content {

struct Function {
    std::string file; // for messages
    std::string name;
    std::string declaration;
    std::optional<std::string> alias;
    std::string library;
    std::string win9x; // "Yes" or ""
    std::string winnt;
    // Stored texts, line breaks as CR LF; std::nullopt when left out.
    std::optional<std::string> description, returnValue, remarks, parameters, example;
};

class ContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses one file's text. fileName is used in messages and must be
// "<name>.txt". Throws ContentError naming the file and line.
Function parseFunction(const std::string& text, const std::string& fileName);

// Every *.txt file of the directory, sorted by name with letter case
// ignored. Throws ContentError on a bad file or a duplicate name.
std::vector<Function> loadDirectory(const std::string& dir);

// The two tables with their columns and no rows, as the bundled database
// defines them; fixtures and benchmarks fill them too.
jetw::DatabaseDef referenceTables();

// funclass (name, declaration) and winfun (函数, example, alias, library,
// win9x, winnt, description, return_value, remarks, parameters), both in the
// order given.
jetw::DatabaseDef toDatabase(const std::vector<Function>& functions);

} // namespace content

// Writes Jet databases holding TEXT(n) and MEMO columns, without indexes.
//
// Used to build the bundled reference database and, at test time, every
// fixture. Values the format cannot hold are refused with WriteError rather
// than written into a file that readers would misread.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace jetw {

enum class Version { Jet3, Jet4 };

enum class ColumnKind { Text, Memo };

struct ColumnDef {
    std::string name; // UTF-8
    ColumnKind kind = ColumnKind::Text;
    int size = 255; // TEXT(n): 1..255 characters (Jet4) or bytes (Jet3, code page 936)
};

using Cell = std::optional<std::string>; // UTF-8 text, or std::nullopt for Null

struct TableDef {
    std::string name; // UTF-8
    std::vector<ColumnDef> columns;
    std::vector<std::vector<Cell>> rows; // each row has columns.size() cells
};

struct DatabaseDef {
    std::vector<TableDef> tables; // written in this order into the catalog
};

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The complete file image. Throws WriteError naming table, row and column.
std::string buildDatabase(const DatabaseDef& db, Version version = Version::Jet4);

// Writes the image to a temporary file beside `path`, then renames it, so a
// failed build never leaves a half-written database behind.
void writeDatabaseFile(const DatabaseDef& db, const std::string& path, Version version = Version::Jet4);

} // namespace jetw

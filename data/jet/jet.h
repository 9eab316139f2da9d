// Read-only access to Jet (Access 97 / 2000-2003) and unencrypted ACE files.
//
// The reader decodes a whole table into memory in one pass. Every offset,
// length and count taken from the file is checked, and every chain in the
// file (table definition pages, long-value rows, overflow rows) is followed
// with a visited set and a length budget, so a damaged file yields a
// jet::Error and never a crash, a hang or silently wrong text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

enum class ErrorCode {
    FileNotFound,  // the path names no file
    CannotOpen,    // the file exists but cannot be read
    NotJet,        // the file is not a Jet/ACE database at all
    Encrypted,     // a database we cannot decode without a password
    Corrupt,       // a Jet file whose structures contradict themselves
    TableNotFound, // no table of that name
};

class Error : public std::runtime_error {
public:
    Error(ErrorCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ErrorCode code() const noexcept { return code_; }

private:
    ErrorCode code_;
};

// A field value: UTF-8 text, or std::nullopt for Null. Null and "" differ.
using Value = std::optional<std::string>;

enum class Format { Jet3, Jet4, Ace };

// Column type codes as stored in the table definition.
enum ColumnType : std::uint8_t {
    Bool = 0x01,
    Byte = 0x02,
    Int = 0x03,
    Long = 0x04,
    Money = 0x05,
    Float = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Numeric = 0x10,
    Complex = 0x12,
    BigInt = 0x13,
};

// Short lower-case name of a column type ("text", "memo", "long", ...).
std::string_view typeName(std::uint8_t type);

struct Column {
    std::string name;
    std::uint8_t type = 0;
    std::uint16_t number = 0;   // column number; selects the null-mask bit
    std::uint16_t varIndex = 0; // slot in the row's offset table (variable columns)
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0; // bytes as stored (TEXT(n) is 2n in Jet4)
    std::uint8_t flags = 0;
    std::uint8_t precision = 0; // NUMERIC only
    std::uint8_t scale = 0;     // NUMERIC only
    bool isFixed() const { return (flags & 0x01) != 0; }
};

struct Table {
    std::string name;
    std::vector<Column> columns; // in column-number order
    std::vector<Value> cells;    // row-major, columns.size() values per row

    std::size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
    const Value& at(std::size_t row, std::size_t column) const {
        return cells[row * columns.size() + column];
    }
    // Position of a column by name (ASCII letters compared without case), or -1.
    int columnIndex(std::string_view name) const;
};

// Position of a column by name among columns, as Table::columnIndex finds it.
int columnIndex(const std::vector<Column>& columns, std::string_view name);

// A table's columns and number of rows, without its values.
struct TableShape {
    std::string name;
    std::vector<Column> columns;
    std::size_t rows = 0;
};

// A Database is used from one thread at a time.
class Database {
public:
    // Opens a file read-only. What the database serves stays as the file was
    // when it was opened, even if the file is changed or replaced later.
    // Throws Error.
    static Database open(const std::string& path);
    // Reads a database image held in memory (fuzzing, tests). Throws Error.
    static Database fromBytes(std::string bytes, std::string displayName = "<memory>");

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    Format format() const;
    int codePage() const;
    // Pages read from the file so far: all of them unless the file is read
    // as its pages are needed.
    std::size_t pagesRead() const;
    const std::string& path() const;

    // User tables in catalog order (system and hidden objects left out).
    std::vector<std::string> tableNames() const;
    bool hasTable(std::string_view name) const;
    // Reads the whole table. Names are matched exactly first, then with
    // ASCII letters compared without case, as Jet itself does.
    Table readTable(std::string_view name) const;
    // Decodes only the columns marked true by position (positions past the
    // end count as false); the others come back Null. Empty: every column.
    Table readTable(std::string_view name, const std::vector<bool>& columns) const;
    // The columns and row count of a table, no value decoded.
    TableShape readShape(std::string_view name) const;
    // The values of one column (by position), one per row, in row order.
    std::vector<Value> readColumn(std::string_view name, std::size_t column) const;

    struct Impl;

private:
    explicit Database(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace jet

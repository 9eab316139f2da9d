// libFuzzer entry for the criteria language and the like matcher. The first
// line is the criteria text, the other lines are the names of a one-column
// table (a line "\x01" is a Null). Whatever the text, FindFirst either throws
// DataError or lands where a plain scan of the table lands.
#include "data/criteria.h"
#include "data/datasource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The first row a straightforward reading of the criteria accepts, or -1.
std::int32_t plainScan(const jet::Table& table, std::string_view criteria) {
    const data::Criteria c = data::parseCriteria(criteria);
    const int column = table.columnIndex(c.column);
    if (column < 0) return -2; // FindFirst must have refused it
    const bool like = c.op == data::Criteria::Op::Like;
    const std::optional<data::LikePattern> pattern =
        like ? std::optional<data::LikePattern>(data::LikePattern(c.literal)) : std::nullopt;
    const std::u32string literal = data::foldCase(c.literal);
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        const jet::Value& v = table.at(r, static_cast<std::size_t>(column));
        if (!v) continue;
        const std::u32string folded = data::foldCase(*v);
        if (like ? pattern->matches(folded) : folded == literal) return static_cast<std::int32_t>(r);
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    const std::size_t eol = input.find('\n');
    const std::string_view criteria = input.substr(0, eol);
    jet::Table table;
    table.name = "funclass";
    table.columns.push_back(jet::Column{"name"});
    if (eol != std::string_view::npos) {
        std::string_view rest = input.substr(eol + 1);
        while (true) {
            const std::size_t end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            table.cells.push_back(line == "\x01" ? jet::Value() : jet::Value(std::string(line)));
            if (end == std::string_view::npos) break;
            rest = rest.substr(end + 1);
        }
    }
    const jet::Table copy = table;
    data::Recordset rs = data::Recordset::overTable(std::move(table));
    std::int32_t found = -3;
    try {
        rs.findFirst(criteria);
        found = rs.noMatch() ? -1 : rs.absolutePosition();
    } catch (const data::DataError&) {
        found = -2;
    }
    std::int32_t expected = -2;
    try {
        expected = plainScan(copy, criteria);
    } catch (const data::DataError&) {
        expected = -2;
    }
    if (found != expected) std::abort(); // the indexed find and the scan disagree
    return 0;
}

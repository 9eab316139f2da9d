#include "data/search.h"

#include "data/schema.h"

namespace data {

std::optional<std::int32_t> findFirstFunction(DataControl& data1, const std::string& typed) {
    data1.setRecordSource(schema::kFuncclass);
    data1.refresh();
    auto& rs = data1.recordset();
    try {
        rs.findFirst(std::string(schema::kFuncclassColumns[schema::Name]) + " like '" + typed + "*'");
    } catch (const DataError& e) {
        // Such a text simply matches nothing; any other error is real.
        if (e.number() != err::MalformedCriteria) throw;
        rs.markNoMatch();
    }
    if (rs.noMatch()) return std::nullopt;
    return rs.absolutePosition();
}

} // namespace data

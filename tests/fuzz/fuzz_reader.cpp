// libFuzzer entry: any byte string must open with an error or read fully.
#include "data/jet/jet.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto db = jet::Database::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
        for (const auto& name : db.tableNames()) {
            try {
                const auto table = db.readTable(name);
                volatile std::size_t n = table.rowCount();
                (void)n;
            } catch (const jet::Error&) {
            }
        }
    } catch (const jet::Error&) {
    }
    return 0;
}

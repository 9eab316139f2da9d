// Long values: memo and OLE fields stored inline, on one LVAL page, or in a chain.
#include "data/jet/format.h"

namespace jet {

void Database::Impl::appendLong(std::string& out, const RawField& f, bool asText, const Ctx& ctx,
                                std::size_t& lvalBudget) const {
    if (f.size == 0) return; // an empty slot reads as empty text
    if (f.size < 12) ctx.fail("a memo field header is cut short");
    const u32 memoLen = rd24(f.data);
    const u8 kind = f.data[3];
    const u32 ptr = rd32(f.data + 4);
    std::string raw;
    std::string_view inlineData;
    if (kind == 0x80) {
        if (memoLen != f.size - 12)
            ctx.fail("an inline memo's length (" + std::to_string(memoLen) + ") disagrees with its field (" +
                     std::to_string(f.size - 12) + " bytes)");
        inlineData = std::string_view(reinterpret_cast<const char*>(f.data) + 12, f.size - 12);
    } else if (kind == 0x40) {
        const RowRef r = locatePgRow(ptr, ctx);
        if (r.size < memoLen) ctx.fail("a memo value is longer than its long-value row");
        if (memoLen > lvalBudget) ctx.fail("memo values reference more data than the file holds");
        lvalBudget -= memoLen;
        inlineData = std::string_view(reinterpret_cast<const char*>(r.data), memoLen);
    } else if (kind == 0x00) {
        if (memoLen > kMaxMemoLength || memoLen > lvalBudget)
            ctx.fail("memo values reference more data than the file holds");
        lvalBudget -= memoLen;
        raw.reserve(memoLen);
        std::unordered_set<u32> seen;
        u32 next = ptr;
        while (raw.size() < memoLen) {
            if (next == 0)
                ctx.fail("a memo chain ends before its length of " + std::to_string(memoLen) + " bytes");
            if (!seen.insert(next).second) ctx.fail("a memo chain loops back on itself");
            const RowRef r = locatePgRow(next, ctx);
            if (r.size < layout.memoChunkHeader) ctx.fail("a memo chain row is too short");
            next = rd32(r.data);
            const std::size_t take = std::min<std::size_t>(r.size - 4, memoLen - raw.size());
            raw.append(reinterpret_cast<const char*>(r.data) + 4, take);
        }
        inlineData = raw;
    } else {
        ctx.fail("unknown memo storage kind " + std::to_string(kind));
    }
    const auto* p = reinterpret_cast<const u8*>(inlineData.data());
    if (asText) {
        appendText(out, p, inlineData.size());
    } else {
        out += "<binary ";
        appendNumber(out, memoLen);
        out += " bytes>";
    }
}

} // namespace jet

// The search step behind the search box: the first function whose name
// begins with what the user typed.
#pragma once

#include "data/datasource.h"

#include <cstdint>
#include <optional>
#include <string>

namespace data {

// Points the data control at funclass, refreshes it and finds the first
// record whose name is like typed followed by *. The typed text goes in
// unchanged, so *, ?, # and [..] keep their pattern meaning. Returns the
// record's position, or nullopt when nothing matches, which includes text
// the criteria language cannot parse (an apostrophe, an unclosed [). The
// record set is left as the find left it.
std::optional<std::int32_t> findFirstFunction(DataControl& data1, const std::string& typed);

} // namespace data

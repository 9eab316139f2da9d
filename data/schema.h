// The two tables of winapi.mdb, defined once: their names and the position
// of each column. The window, the content builder, the test fixtures and the
// benchmarks all read them from here.
#pragma once

#include <array>

namespace data::schema {

// funclass: one record per function, in the order the list shows them.
inline constexpr const char* kFuncclass = "funclass";
enum FuncclassColumn : int { Name = 0, Declaration = 1 };
inline constexpr std::array<const char*, 2> kFuncclassColumns{"name", "declaration"};

// winfun: the details of each function, found by its name in 函数.
inline constexpr const char* kWinfun = "winfun";
enum WinfunColumn : int {
    Function = 0,
    Example = 1,
    Alias = 2,
    Library = 3,
    Win9x = 4,
    WinNT = 5,
    Description = 6,
    ReturnValue = 7,
    Remarks = 8,
    Parameters = 9,
};
inline constexpr std::array<const char*, 10> kWinfunColumns{
    "函数",  "example",     "alias",        "library", "win9x",
    "winnt", "description", "return_value", "remarks", "parameters"};

} // namespace data::schema

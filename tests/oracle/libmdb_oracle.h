// Reads Jet/ACE files through libmdb (mdbtools), so that tests can check our
// own reader against an implementation written by other people.
//
// TEXT and MEMO values are what libmdb decodes, as UTF-8; Null and "" are told
// apart. Other types keep libmdb's own formatting (numbers via printf, BOOL as
// "0"/"1" and never Null), except BINARY and OLE, which come back as lowercase
// hex of the stored bytes because libmdb hands those over raw. Columns carry
// name, type and number only; the layout fields stay at their defaults.
#pragma once

#include "data/jet/jet.h"

#include <string>
#include <vector>

namespace oracle {

// User tables in catalog order, chosen the way mdb-tables chooses them: table
// objects whose flags have neither the system bit nor the hidden bit.
// Throws std::runtime_error when libmdb cannot open the file or its catalog.
std::vector<std::string> userTables(const std::string& path);

// Every row of one table, in the order libmdb returns them. The name is
// matched without regard to ASCII case, as Jet does. Throws std::runtime_error
// when libmdb cannot open the file or the table, or when a value would not fit
// libmdb's bind buffer (it would silently cut it otherwise).
//
// libmdb does not follow the pointer Jet leaves where a row used to be when
// the row grew and had to move to another page: it skips the pointer and
// returns the moved row where it lies now, so such rows come out of place.
// When movedRows is given, it receives one flag per row, set for those.
jet::Table readTable(const std::string& path, const std::string& table,
                     std::vector<bool>* movedRows = nullptr);

} // namespace oracle

// The data steps of choosing a function: its declaration from funclass, its
// record in winfun with the header values, its detail text and its example.
// Each works on the data control the window shares between the search and
// the selection, and leaves it where the step ends, as the window expects.
#pragma once

#include "data/datasource.h"

#include <QString>
#include <optional>
#include <string>

namespace details {

// A field value as the window shows it: Null stays distinguishable.
std::optional<QString> fieldText(const jet::Value& value);
// A text made safe to stand inside '...' of a criteria string.
std::string quotedLiteral(const QString& text);

// funclass: the declaration of the named function; nullopt when the record
// is missing or its declaration is Null.
std::optional<QString> findDeclaration(data::DataControl& data1, const QString& name);

// The values the detail area's header shows.
struct HeaderValues {
    QString function;
    QString library;
    bool win9x = false;
    bool winnt = false;
};
// winfun: moves to the named function's record; nullopt when the table
// lacks it (the window then shows its not-found message).
std::optional<HeaderValues> findFunctionRecord(data::DataControl& data1, const QString& name);

// Goes back to the named function's winfun record unless the cursor is on
// it already (a search moves the shared cursor); false when the table
// lacks it.
bool seekFunction(data::DataControl& data1, const QString& name);

// The current winfun record's detail text, under the given declaration.
QString currentDetailText(data::DataControl& data1, const QString& declaration);
// The current winfun record's example; nullopt when it is Null or empty.
std::optional<QString> currentExample(data::DataControl& data1);

} // namespace details

// The detail text of a function: its declaration block, then the sections
// the record has, each under its heading. No widget is involved.
#pragma once

#include <QString>
#include <optional>

namespace details {

struct DetailSections {
    std::optional<QString> alias;       // winfun position 2
    std::optional<QString> description; // position 6
    std::optional<QString> returnValue; // position 7
    std::optional<QString> remarks;     // position 8
    std::optional<QString> parameters;  // position 9
};

// declaration: the text of the declaration box, scope keyword included.
// A Null or empty value leaves its section out; any other text, a blank or
// a lone line break included, brings it in. Line breaks added are CR LF and
// the text never ends with one of its own.
QString composeDetailText(const QString& declaration, const DetailSections& sections);

// "Public " or "Private " followed directly by the declaration (Null as empty).
QString scopedDeclaration(bool isPublic, const std::optional<QString>& declaration);

// 1 when the flag is exactly "Yes" (letter case and blanks count), else 0.
int flagValue(const std::optional<QString>& value);

} // namespace details

#include "details/selection.h"

#include "data/schema.h"
#include "details/detail_text.h"

namespace details {

namespace schema = data::schema;

namespace {

// Re-points the cursor at a table and finds the record whose key column
// equals name.
data::Recordset& findByName(data::DataControl& data1, const char* table, const char* column,
                            const QString& name) {
    data1.setRecordSource(table);
    data1.refresh();
    auto& rs = data1.recordset();
    rs.findFirst(std::string(column) + "='" + quotedLiteral(name) + "'");
    return rs;
}

} // namespace

std::optional<QString> fieldText(const jet::Value& value) {
    if (!value) return std::nullopt;
    return QString::fromUtf8(value->data(), static_cast<qsizetype>(value->size()));
}

std::string quotedLiteral(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled.toStdString();
}

std::optional<QString> findDeclaration(data::DataControl& data1, const QString& name) {
    auto& rs = findByName(data1, schema::kFuncclass, schema::kFuncclassColumns[schema::Name], name);
    if (rs.noMatch()) return std::nullopt;
    return fieldText(rs.fieldValue(schema::Declaration));
}

std::optional<HeaderValues> findFunctionRecord(data::DataControl& data1, const QString& name) {
    auto& rs = findByName(data1, schema::kWinfun, schema::kWinfunColumns[schema::Function], name);
    if (rs.noMatch()) return std::nullopt;
    return HeaderValues{fieldText(rs.fieldValue(schema::Function)).value_or(QString()),
                        fieldText(rs.fieldValue(schema::Library)).value_or(QString()),
                        flagValue(fieldText(rs.fieldValue(schema::Win9x))) == 1,
                        flagValue(fieldText(rs.fieldValue(schema::WinNT))) == 1};
}

bool seekFunction(data::DataControl& data1, const QString& name) {
    auto& rs = data1.recordset();
    if (data1.recordSource() == schema::kWinfun && rs.hasCurrentRecord() &&
        fieldText(rs.fieldValue(schema::Function)) == name)
        return true;
    return !findByName(data1, schema::kWinfun, schema::kWinfunColumns[schema::Function], name).noMatch();
}

QString currentDetailText(data::DataControl& data1, const QString& declaration) {
    auto& rs = data1.recordset();
    const DetailSections sections{
        fieldText(rs.fieldValue(schema::Alias)), fieldText(rs.fieldValue(schema::Description)),
        fieldText(rs.fieldValue(schema::ReturnValue)), fieldText(rs.fieldValue(schema::Remarks)),
        fieldText(rs.fieldValue(schema::Parameters))};
    return composeDetailText(declaration, sections);
}

std::optional<QString> currentExample(data::DataControl& data1) {
    auto example = fieldText(data1.recordset().fieldValue(schema::Example));
    if (!example || example->isEmpty()) return std::nullopt;
    return example;
}

} // namespace details

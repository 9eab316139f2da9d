#include "details/detail_text.h"

namespace details {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool present(const std::optional<QString>& v) {
    return v.has_value() && !v->isEmpty();
}

} // namespace

QString composeDetailText(const QString& declaration, const DetailSections& s) {
    QString text = QStringLiteral("【VB声明】") + kCrLf + QStringLiteral("  ") + declaration;
    if (present(s.alias))
        text += kCrLf + kCrLf + QStringLiteral("【别名】") + kCrLf + QStringLiteral("  ") + *s.alias;
    if (present(s.description)) text += kCrLf + kCrLf + QStringLiteral("【说明】") + *s.description;
    if (present(s.returnValue)) text += kCrLf + kCrLf + QStringLiteral("【返回值】") + *s.returnValue;
    if (present(s.remarks)) text += kCrLf + kCrLf + QStringLiteral("【备注】") + *s.remarks;
    if (present(s.parameters)) text += kCrLf + kCrLf + QStringLiteral("【参数表】") + kCrLf + *s.parameters;
    return text;
}

QString scopedDeclaration(bool isPublic, const std::optional<QString>& declaration) {
    return (isPublic ? QStringLiteral("Public ") : QStringLiteral("Private ")) +
           declaration.value_or(QString());
}

int flagValue(const std::optional<QString>& value) {
    return value && *value == QStringLiteral("Yes") ? 1 : 0;
}

} // namespace details

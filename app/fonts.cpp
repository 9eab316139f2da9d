#include "fonts.h"

#include "design.h"

#include <QStringList>

void installFontSubstitutions() {
    const QStringList fallbacks = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")};
    for (const QString& family : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")})
        QFont::insertSubstitutions(family, fallbacks);
}

QFont controlFont() {
    QFont font(design::kFontFamily);
    font.setPixelSize(design::kFontPoints * 96 / 72);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // The GB2312 character set has no direct Qt setting; asking for a face
    // that covers Simplified Chinese is what it meant.
    font.setStyleHint(QFont::Serif);
    return font;
}

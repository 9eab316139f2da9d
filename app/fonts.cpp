#include "app/fonts.h"

#include "app/design.h"

#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <sys/resource.h>

void installFontSubstitutions() {
    // AR PL UMing CN is a Ming face like SimSun with its metrics at 12 px (12 px
    // lines, 6 px half-width letters), so the design's labels, list lines and
    // wrapping hold; Noto Serif CJK SC is taller and wider and only stands in.
    const QStringList fallbacks = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")};
    for (const QString& family :
         {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")})
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

FontSystemWarmUp::FontSystemWarmUp()
    : thread_([] {
#ifdef __linux__
          // This thread's own nice value (Linux): it takes what the main
          // thread and the display server leave idle.
          setpriority(PRIO_PROCESS, 0, 19);
#endif
          FcInit();
      }) {
}

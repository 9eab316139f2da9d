// The window's font: 宋体 9 pt. Where SimSun is not installed (any Linux
// desktop), the same request lands on a Ming face with SimSun's metrics.
#pragma once

#include <QFont>

// Maps 宋体, SimSun and NSimSun to AR PL UMing CN, then Noto Serif CJK SC.
// Call once after the application object exists.
void installFontSubstitutions();

// 宋体 9 pt, regular. Sized in pixels (12 at the design's 96 dpi) so that
// text keeps fitting the controls, which are placed in pixels too.
QFont controlFont();

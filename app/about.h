// The about text of the information frame.
#pragma once

#include <QString>

// Six lines joined by CR LF, no line break at the end; the fourth line
// continues the third and so begins with six blanks.
QString aboutText();

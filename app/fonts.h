// The window's font: 宋体 9 pt. Where SimSun is not installed (any Linux
// desktop), the same request lands on a Ming face with SimSun's metrics.
#pragma once

#include <QFont>
#include <thread>

// Maps 宋体, SimSun and NSimSun to AR PL UMing CN, then Noto Serif CJK SC.
// Call once after the application object exists.
void installFontSubstitutions();

// 宋体 9 pt, regular. Sized in pixels (12 at the design's 96 dpi) so that
// text keeps fitting the controls, which are placed in pixels too.
QFont controlFont();

// Loads the font configuration and the font caches on another thread while
// the application connects to the display, so that Qt's font database, set
// up with the first widget, finds them loaded (about half of what the font
// system costs at start). Construct before the application object; wait()
// before the first widget.
class FontSystemWarmUp {
public:
    FontSystemWarmUp();
    ~FontSystemWarmUp() { wait(); }
    FontSystemWarmUp(const FontSystemWarmUp&) = delete;
    FontSystemWarmUp& operator=(const FontSystemWarmUp&) = delete;
    void wait() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};

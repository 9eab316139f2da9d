// The window's design values, in the units they were drawn in: twips (15 to
// a pixel at 96 dpi) and colours as stored values &H00BBGGRR& or system
// colour references &H800000nn&. Everything that places or paints a control
// reads it from here; the conversion to pixels happens once, in twipsToPixels.
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

namespace design {

struct Twips {
    int left, top, width, height;
};

constexpr int kTwipsPerPixel = 15;
inline QRect twipsToPixels(const Twips& t) {
    return QRect(t.left / kTwipsPerPixel, t.top / kTwipsPerPixel, t.width / kTwipsPerPixel,
                 t.height / kTwipsPerPixel);
}

// Window
inline const QString kCaption = QStringLiteral("Zarn_Win32API 中文帮助");
constexpr int kClientWidth = 9510;
constexpr int kClientHeight = 6660;
constexpr std::uint32_t kFormBackColor = 0x8000000A; // COLOR_ACTIVEBORDER

// Search panel
constexpr Twips imgtab{45, 75, 3675, 345};
constexpr Twips labtab[2] = {{840, 120, 555, 195}, {180, 120, 555, 195}};
constexpr Twips tab2lab{180, 500, 1710, 180};
constexpr Twips tab2txt1{180, 750, 3315, 270};
constexpr Twips tab2lst{180, 1120, 3315, 3120};
constexpr Twips Option1{300, 4420, 855, 195};
constexpr Twips Option2{1440, 4420, 975, 195};
constexpr Twips Command1{2570, 4350, 915, 315};
constexpr Twips tab2txt2{180, 4740, 3315, 1755};

// Settings panel; controls inside a frame are placed from the frame's corner.
constexpr Twips Frame1_1{180, 600, 3315, 1455};
constexpr Twips Label5{180, 240, 90, 180};
constexpr Twips Frame1_2{180, 3360, 3315, 3135};
constexpr Twips Label7{120, 240, 3075, 1755};
constexpr Twips Image1{540, 360, 2220, 1530};
constexpr Twips Option3[3] = {{420, 2100, 735, 255}, {1140, 2100, 735, 255}, {1980, 2100, 735, 255}};
constexpr Twips label6{120, 2460, 1155, 195};
constexpr int kSwatchLeft[8] = {300, 642, 984, 1326, 1668, 2010, 2352, 2700};
constexpr int kSwatchTop = 2760, kSwatchWidth = 195, kSwatchHeight = 240;

// Detail area
constexpr Twips Label1[5] = {{3900, 435, 630, 180},
                             {3900, 750, 630, 180},
                             {3900, 1080, 810, 180},
                             {5040, 1080, 1050, 180},
                             {6540, 1080, 810, 180}};
constexpr Twips datafunname[2] = {{4560, 405, 2160, 240}, {4560, 720, 2160, 240}};
constexpr Twips Check1{4740, 1080, 195, 210};
constexpr Twips Check2{6240, 1080, 195, 210};
constexpr Twips funtxt{3900, 1380, 5535, 4755};
constexpr Twips Funcmd[2] = {{8640, 6240, 795, 315}, {7740, 6240, 795, 315}};
constexpr Twips Data1{2040, 0, 1575, 345};

// Captions
inline const QString kTab2lab = QStringLiteral("键入要查找的关键字:");
inline const QString kOption1 = QStringLiteral("Public");
inline const QString kOption2 = QStringLiteral("Private");
inline const QString kCommand1 = QStringLiteral("复制(&C)");
inline const QString kFrame1_1 = QStringLiteral(" 信息 ");
inline const QString kFrame1_2 = QStringLiteral(" 选项 ");
inline const QString kOption3[3] = {QStringLiteral("①区"), QStringLiteral("②区"), QStringLiteral("③区")};
inline const QString kLabel6 = QStringLiteral("选择背景色:");
inline const QString kLabel1[5] = {QStringLiteral("函数名:"), QStringLiteral("库  名:"),
                                   QStringLiteral("操作系统:"), QStringLiteral("Window95/98"),
                                   QStringLiteral("WindowNT")};
inline const QString kExampleCaption = QStringLiteral("实 例");
inline const QString kBackCaption = QStringLiteral("返 回");
inline const QString kCopyCaption = QStringLiteral("复 制");

// Messages the detail box shows.
inline const QString kNotFound = QStringLiteral("Sorry,没有找到耶。");
inline const QString kNoExample = QStringLiteral("Sorry,本函数不提供实例。");

// Colours
constexpr std::uint32_t kSwatchColors[8] = {0x80000005, 0x00C0C0FF, 0x00C0E0FF, 0x00C0FFFF,
                                            0x00C0FFC0, 0x00FFFFC0, 0x00FFC0C0, 0x00FFC0FF};
// What a screen reader calls each swatch.
inline const QString kSwatchNames[8] = {QStringLiteral("窗口背景色"), QStringLiteral("浅红色"),
                                        QStringLiteral("浅橙色"),     QStringLiteral("浅黄色"),
                                        QStringLiteral("浅绿色"),     QStringLiteral("浅青色"),
                                        QStringLiteral("浅蓝色"),     QStringLiteral("浅品红色")};
constexpr std::uint32_t kSwatchForeColor = 0x80000008; // COLOR_WINDOWTEXT
constexpr std::uint32_t kLabel7BackColor = 0x00C0C0FF;
constexpr std::uint32_t kFuntxtBackColor = 0x80000009; // COLOR_CAPTIONTEXT
constexpr std::uint32_t kDatafunnameBackColor = 0x80000009;
constexpr std::uint32_t kWindowBackColor = 0x80000005; // COLOR_WINDOW, tab2lst and tab2txt2

// Fonts: 宋体 9 pt, regular, character set GB2312 on every text-bearing control.
inline const QString kFontFamily = QStringLiteral("宋体");
constexpr int kFontPoints = 9;
constexpr int kFontCharset = 134; // GB2312

} // namespace design

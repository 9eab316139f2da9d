// Draws the window's pictures into resources/: the background (254x444), the
// tab strip with the left tab in front (245x23), the miniature map of the
// three colour areas (160x118) and the icon (32x32).
//
//   make_pictures OUTPUT_DIR
//
// Everything is drawn pixel by pixel against the control positions, so that
// the tabs, the panel outline and the groove around the Public/Private
// options sit exactly under the controls.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kGrey(191, 191, 191);
const QColor kWhite(255, 255, 255);
const QColor kDark(128, 128, 128);
const QColor kBlack(0, 0, 0);

void hline(QPainter& p, int x0, int x1, int y, const QColor& c) {
    p.setPen(c);
    p.drawLine(x0, y, x1, y);
}
void vline(QPainter& p, int x, int y0, int y1, const QColor& c) {
    p.setPen(c);
    p.drawLine(x, y0, x, y1);
}

QFont tabFont() {
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPixelSize(12);
    return f;
}

// One tab from column x0 to x1; its top row is `top`, its body reaches row
// 23. A front tab is drawn over its neighbours and leaves the panel's top
// line open beneath it.
void drawTab(QPainter& p, int x0, int x1, int top, const QString& text, bool front) {
    p.fillRect(QRect(QPoint(x0, top), QPoint(x1, 23 + (front ? 1 : 0))), kGrey);
    hline(p, x0 + 2, x1 - 2, top, kWhite);
    p.setPen(kWhite);
    p.drawPoint(x0 + 1, top + 1);
    vline(p, x0, top + 2, 23 + (front ? 1 : 0), kWhite);
    p.setPen(kBlack);
    p.drawPoint(x1 - 1, top + 1);
    vline(p, x1, top + 2, 23, kBlack);
    vline(p, x1 - 1, top + 2, 23, kDark);
    p.setPen(kBlack);
    p.setFont(tabFont());
    p.drawText(QRect(QPoint(x0 + 1, top + 1), QPoint(x1 - 1, 23)), Qt::AlignCenter, text);
}

// The search/settings area: tab strip, then the raised panel below it.
// leftTab/rightTab are column ranges in window pixels.
QImage drawArea(int l0, int l1, int r0, int r1, bool leftInFront) {
    QImage img(254, 444, QImage::Format_RGB888);
    img.fill(kGrey);
    QPainter p(&img);
    // The panel: rows 24 to 441, columns 3 to 244, raised.
    hline(p, 3, 244, 24, kWhite);
    vline(p, 3, 24, 441, kWhite);
    hline(p, 3, 244, 441, kBlack);
    vline(p, 244, 24, 441, kBlack);
    hline(p, 4, 243, 440, kDark);
    vline(p, 243, 25, 440, kDark);
    // The groove that frames the Public/Private options.
    p.setPen(kDark);
    p.drawRect(QRect(QPoint(12, 288), QPoint(163, 310)));
    p.setPen(kWhite);
    p.drawRect(QRect(QPoint(13, 289), QPoint(164, 311)));
    // The back tab first, then the front tab over it, two rows taller.
    if (leftInFront) {
        drawTab(p, r0, r1, 7, QStringLiteral("帮助"), false);
        drawTab(p, l0, l1, 5, QStringLiteral("引索"), true);
    } else {
        drawTab(p, l0, l1, 7, QStringLiteral("引索"), false);
        drawTab(p, r0, r1, 5, QStringLiteral("帮助"), true);
    }
    return img;
}

QImage miniature() {
    // The window at a quarter of its size: 634x444 pixels into 160x118.
    QImage img(160, 118, QImage::Format_RGB888);
    img.fill(QColor(212, 208, 200));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double sx = 160.0 / 634.0, sy = 118.0 / 444.0;
    auto box = [&](int x, int y, int w, int h) {
        return QRect(qRound(x * sx), qRound(y * sy), qMax(1, qRound(w * sx)), qMax(1, qRound(h * sy)));
    };
    p.fillRect(box(0, 0, 254, 444), kGrey);
    p.setPen(kDark);
    p.drawRect(box(3, 24, 241, 417));
    p.fillRect(box(12, 50, 221, 18), kWhite);    // search box
    const QRect list = box(12, 74, 221, 208);    // tab2lst
    const QRect decl = box(12, 316, 221, 117);   // tab2txt2
    const QRect detail = box(260, 92, 369, 317); // funtxt
    for (const QRect& r : {list, decl, detail}) {
        p.fillRect(r, kWhite);
        p.setPen(kDark);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setPen(kDark);
    for (int i = 0; i < 3; ++i)
        p.drawLine(qRound(260 * sx), qRound((32 + 21 * i) * sy), qRound(480 * sx),
                   qRound((32 + 21 * i) * sy));
    p.fillRect(box(576, 416, 53, 21), QColor(200, 200, 200));
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(200, 0, 0));
    p.drawText(detail, Qt::AlignCenter, QStringLiteral("①"));
    p.drawText(list, Qt::AlignCenter, QStringLiteral("②"));
    p.drawText(decl, Qt::AlignCenter, QStringLiteral("③"));
    return img;
}

QImage icon() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor pink(244, 143, 177), pinkDark(216, 96, 140), pinkLight(255, 196, 214);
    // The box in a slight perspective: top, front and side faces.
    QPolygonF top({{4, 14}, {22, 14}, {29, 9}, {11, 9}});
    QPolygonF front({{4, 14}, {22, 14}, {22, 29}, {4, 29}});
    QPolygonF side({{22, 14}, {29, 9}, {29, 24}, {22, 29}});
    p.setPen(QPen(QColor(140, 50, 90), 1));
    p.setBrush(pinkLight);
    p.drawPolygon(top);
    p.setBrush(pink);
    p.drawPolygon(front);
    p.setBrush(pinkDark);
    p.drawPolygon(side);
    // A heart on the front and the slot with a tissue standing out of it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    QPainterPath heart;
    heart.moveTo(13, 25);
    heart.cubicTo(6, 20, 10, 15, 13, 19);
    heart.cubicTo(16, 15, 20, 20, 13, 25);
    p.drawPath(heart);
    QPainterPath tissue;
    tissue.moveTo(12, 12);
    tissue.cubicTo(12, 4, 16, 6, 17, 1);
    tissue.cubicTo(19, 5, 23, 3, 22, 11);
    tissue.closeSubpath();
    p.setPen(QPen(QColor(170, 170, 180), 1));
    p.setBrush(kWhite);
    p.drawPath(tissue);
    return img;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    // Background: right tab in front. imgtab: the same area with the left tab
    // in front, cut out where imgtab stands (pixel 3 across, 5 down).
    const QImage background = drawArea(7, 55, 55, 104, false);
    const QImage leftFront = drawArea(3, 53, 54, 100, true);
    const QImage imgtab = leftFront.copy(3, 5, 245, 23);
    // The background has few colours: as a palette image it loads straight
    // into the indexed form the window keeps, with the same colours.
    const QImage indexed =
        background.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    bool ok = indexed.convertToFormat(background.format()) == background &&
              indexed.save(dir + QStringLiteral("/background.png")) &&
              imgtab.save(dir + QStringLiteral("/imgtab.png")) &&
              miniature().save(dir + QStringLiteral("/image1.png")) &&
              icon().save(dir + QStringLiteral("/icon.png"));
    if (!ok) {
        std::fprintf(stderr, "make_pictures: cannot write to %s\n", argv[1]);
        return 1;
    }
    return 0;
}

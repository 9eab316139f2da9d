#include "vbcontrols.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>

namespace {

// System colour numbers (COLOR_*) to the palette roles that play the same
// part on this platform.
QColor systemColor(unsigned index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0: return pal.color(QPalette::Button);          // COLOR_SCROLLBAR
    case 1: return pal.color(QPalette::Window);          // COLOR_BACKGROUND (desktop)
    case 2: return pal.color(QPalette::Highlight);       // COLOR_ACTIVECAPTION
    case 3: return pal.color(QPalette::Mid);             // COLOR_INACTIVECAPTION
    case 4: return pal.color(QPalette::Window);          // COLOR_MENU
    case 5: return pal.color(QPalette::Base);            // COLOR_WINDOW
    case 6: return pal.color(QPalette::Shadow);          // COLOR_WINDOWFRAME
    case 7: return pal.color(QPalette::WindowText);      // COLOR_MENUTEXT
    case 8: return pal.color(QPalette::Text);            // COLOR_WINDOWTEXT
    case 9: return pal.color(QPalette::HighlightedText); // COLOR_CAPTIONTEXT
    case 10: return pal.color(QPalette::Window);         // COLOR_ACTIVEBORDER
    case 11: return pal.color(QPalette::Window);         // COLOR_INACTIVEBORDER
    case 12: return pal.color(QPalette::Dark);           // COLOR_APPWORKSPACE
    case 13: return pal.color(QPalette::Highlight);      // COLOR_HIGHLIGHT
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button); // COLOR_BTNFACE
    case 16: return pal.color(QPalette::Dark);   // COLOR_BTNSHADOW
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Inactive, QPalette::WindowText);
    case 20: return pal.color(QPalette::Light); // COLOR_BTNHIGHLIGHT
    case 21: return pal.color(QPalette::Shadow);
    case 22: return pal.color(QPalette::Midlight);
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

void setBackground(QWidget* w, QPalette::ColorRole role, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(role, c);
    w->setPalette(pal);
}

// Widgets with a palette of their own do not follow the application's, so a
// change of the user's colour scheme is watched here and every stored system
// colour is looked up again.
class PaletteFollower : public QObject {
public:
    static void ensureInstalled() {
        static PaletteFollower* follower = nullptr;
        if (!follower && qApp) {
            follower = new PaletteFollower;
            follower->setParent(qApp);
            qApp->installEventFilter(follower);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
            for (QWidget* w : QApplication::allWidgets())
                if (auto* holder = dynamic_cast<BackColorHolder*>(w))
                    holder->applyBackColor();
        }
        return false;
    }
};

} // namespace

QColor VbColor::resolve() const {
    if (isSystemReference())
        return systemColor(stored & 0xFFu);
    return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                  static_cast<int>((stored >> 16) & 0xFF));
}

QString displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

VbLabel::VbLabel(QWidget* parent) : QLabel(parent) {
    PaletteFollower::ensureInstalled();
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void VbLabel::setCaption(const QString& caption) {
    caption_ = caption;
    const QString shown = displayText(caption);
    // One line sits in the middle of its box: the fallback faces are taller
    // than the box, and centring keeps their glyphs inside it.
    setAlignment(Qt::AlignLeft | (shown.contains(QLatin1Char('\n')) ? Qt::AlignTop : Qt::AlignVCenter));
    setText(shown);
    if (autoSize_)
        resize(sizeHint());
}

void VbLabel::setLineHeight(int pixels) {
    lineHeight_ = pixels;
    if (autoSize_)
        resize(sizeHint());
    update();
}

QSize VbLabel::sizeHint() const {
    if (lineHeight_ <= 0)
        return QLabel::sizeHint();
    const QStringList lines = text().split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& l : lines)
        width = std::max(width, fontMetrics().horizontalAdvance(l));
    return QSize(width + 2 * frameWidth(), static_cast<int>(lines.size()) * lineHeight_ + 2 * frameWidth());
}

void VbLabel::paintEvent(QPaintEvent* event) {
    if (lineHeight_ <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    // Put the baseline so that the ascent of a Chinese glyph (about the font
    // size) fits the line.
    const int baseline = (lineHeight_ + font().pixelSize()) / 2 - 1;
    const QStringList lines = text().split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(frameWidth(), frameWidth() + i * lineHeight_ + baseline, lines[i]);
}

void VbLabel::setBorder(Border border) {
    switch (border) {
    case Border::None: setFrameStyle(QFrame::NoFrame); break;
    case Border::Flat:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    case Border::Sunken3D:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
        break;
    }
}

void VbLabel::setBackColor(VbColor color) {
    backColor_ = color;
    applyBackColor();
}

void VbLabel::applyBackColor() {
    if (!backColor_)
        return;
    setAutoFillBackground(true);
    setBackground(this, QPalette::Window, backColor_->resolve());
}

void VbLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void VbLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button on the label.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}



VbTextBox::VbTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    PaletteFollower::ensureInstalled();
    setReadOnly(true);
    // Locked, not dead: the user can still select and copy with the keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    applyBackColor();
}

void VbTextBox::setText(const QString& text) {
    text_ = text;
    setPlainText(displayText(text));
}

void VbTextBox::setBackColor(VbColor color) {
    backColor_ = color;
    applyBackColor();
}

void VbTextBox::applyBackColor() { setBackground(this, QPalette::Base, backColor_.resolve()); }



VbListBox::VbListBox(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
    PaletteFollower::ensureInstalled();
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    applyBackColor();
}

int VbListBox::count() const { return model_->rowCount(); }

void VbListBox::addItems(const QStringList& items) {
    if (model_->rowCount() == 0) {
        model_->setStringList(items);
        return;
    }
    const int first = model_->rowCount();
    model_->insertRows(first, static_cast<int>(items.size()));
    for (int i = 0; i < items.size(); ++i)
        model_->setData(model_->index(first + i), items[i]);
}

int VbListBox::listIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void VbListBox::setListIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex at = model_->index(index);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    scrollTo(at);
}

QString VbListBox::list(int index) const { return model_->data(model_->index(index)).toString(); }

QRect VbListBox::rowRect(int index) const { return visualRect(model_->index(index)); }

void VbListBox::setBackColor(VbColor color) {
    backColor_ = color;
    applyBackColor();
}

void VbListBox::applyBackColor() { setBackground(this, QPalette::Base, backColor_.resolve()); }

void VbListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}



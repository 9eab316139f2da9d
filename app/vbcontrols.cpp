#include "app/vbcontrols.h"

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <algorithm>

namespace {

// System colour numbers (COLOR_*) to the palette roles that play the same
// part on this platform.
QColor systemColor(unsigned index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0:
        return pal.color(QPalette::Button); // COLOR_SCROLLBAR
    case 1:
        return pal.color(QPalette::Window); // COLOR_BACKGROUND (desktop)
    case 2:
        return pal.color(QPalette::Highlight); // COLOR_ACTIVECAPTION
    case 3:
        return pal.color(QPalette::Mid); // COLOR_INACTIVECAPTION
    case 4:
        return pal.color(QPalette::Window); // COLOR_MENU
    case 5:
        return pal.color(QPalette::Base); // COLOR_WINDOW
    case 6:
        return pal.color(QPalette::Shadow); // COLOR_WINDOWFRAME
    case 7:
        return pal.color(QPalette::WindowText); // COLOR_MENUTEXT
    case 8:
        return pal.color(QPalette::Text); // COLOR_WINDOWTEXT
    case 9:
        return pal.color(QPalette::HighlightedText); // COLOR_CAPTIONTEXT
    case 10:
        return pal.color(QPalette::Window); // COLOR_ACTIVEBORDER
    case 11:
        return pal.color(QPalette::Window); // COLOR_INACTIVEBORDER
    case 12:
        return pal.color(QPalette::Dark); // COLOR_APPWORKSPACE
    case 13:
        return pal.color(QPalette::Highlight); // COLOR_HIGHLIGHT
    case 14:
        return pal.color(QPalette::HighlightedText);
    case 15:
        return pal.color(QPalette::Button); // COLOR_BTNFACE
    case 16:
        return pal.color(QPalette::Dark); // COLOR_BTNSHADOW
    case 17:
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return pal.color(QPalette::ButtonText);
    case 19:
        return pal.color(QPalette::Inactive, QPalette::WindowText);
    case 20:
        return pal.color(QPalette::Light); // COLOR_BTNHIGHLIGHT
    case 21:
        return pal.color(QPalette::Shadow);
    case 22:
        return pal.color(QPalette::Midlight);
    case 23:
        return pal.color(QPalette::ToolTipText);
    case 24:
        return pal.color(QPalette::ToolTipBase);
    default:
        return pal.color(QPalette::Window);
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
                if (auto* holder = dynamic_cast<BackColorHolder*>(w)) holder->applyBackColor();
        }
        return false;
    }
};

} // namespace

QColor VbColor::resolve() const {
    if (isSystemReference()) return systemColor(stored & 0xFFu);
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
    if (autoSize_) resize(sizeHint());
}

void VbLabel::setBorder(Border border) {
    switch (border) {
    case Border::None:
        setFrameStyle(QFrame::NoFrame);
        break;
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

void VbLabel::setForeColor(VbColor color) {
    foreColor_ = color;
    applyBackColor();
}

void VbLabel::applyBackColor() {
    if (foreColor_) setBackground(this, QPalette::WindowText, foreColor_->resolve());
    if (!backColor_) return;
    setAutoFillBackground(true);
    setBackground(this, QPalette::Window, backColor_->resolve());
}

VbFrame::VbFrame(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
    PaletteFollower::ensureInstalled();
    setAccessibleName(caption.trimmed());
    // A frame is opaque: whatever lies under it on the window is hidden.
    setAutoFillBackground(true);
    applyBackColor();
}

QRect VbFrame::captionRect() const {
    const QFontMetrics fm = fontMetrics();
    // The caption starts a few pixels in from the left edge, as the
    // platform's group boxes draw it; its leading blank is part of it.
    return QRect(7, 0, fm.horizontalAdvance(caption_), fm.height());
}

int VbFrame::lineY() const {
    return fontMetrics().height() / 2;
}

void VbFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect box(0, lineY(), width() - 1, height() - 1 - lineY());
    // An etched line: shadow, then highlight one pixel further in.
    p.setPen(VbColor{0x80000010}.resolve()); // COLOR_BTNSHADOW
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(VbColor{0x80000014}.resolve()); // COLOR_BTNHIGHLIGHT
    p.drawLine(box.left() + 1, box.top() + 1, box.right() - 2, box.top() + 1);
    p.drawLine(box.left() + 1, box.top() + 1, box.left() + 1, box.bottom() - 1);
    p.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    p.drawLine(box.right(), box.top(), box.right(), box.bottom());
    const QRect caption = captionRect();
    p.fillRect(caption, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
}

void VbFrame::applyBackColor() {
    setBackground(this, QPalette::Window, VbColor{0x8000000F}.resolve());
}

VbCheckBox::VbCheckBox(QWidget* parent) : QCheckBox(parent) {}

QRect VbCheckBox::boxRect() const {
    QStyleOptionButton opt;
    opt.initFrom(this);
    // The platform's box where it fits, else as large as the control allows
    // (the design's box is 13 pixels, some styles draw 14).
    const int side =
        std::min({style()->pixelMetric(QStyle::PM_IndicatorWidth, &opt, this),
                  style()->pixelMetric(QStyle::PM_IndicatorHeight, &opt, this), width(), height()});
    return QRect(0, (height() - side) / 2, side, side);
}

void VbCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.rect = boxRect();
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, this);
}

bool VbCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void VbLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void VbLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button on the label.
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
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

QMimeData* VbTextBox::createMimeDataFromSelection() const {
    // displayText made each CR LF one line feed; walk the stored text to the
    // shown selection's ends, counting such a pair as one position.
    const QTextCursor cursor = textCursor();
    const int from = cursor.selectionStart(), to = cursor.selectionEnd();
    int shown = 0, start = static_cast<int>(text_.size()), end = start;
    for (int i = 0; i <= text_.size(); ++i, ++shown) {
        if (shown == from) start = i;
        if (shown == to) {
            end = i;
            break;
        }
        if (i + 1 < text_.size() && text_[i] == QLatin1Char('\r') && text_[i + 1] == QLatin1Char('\n')) ++i;
    }
    auto* mime = new QMimeData;
    mime->setText(text_.mid(start, std::max(0, end - start)));
    return mime;
}

void VbTextBox::setBackColor(VbColor color) {
    backColor_ = color;
    applyBackColor();
}

void VbTextBox::applyBackColor() {
    setBackground(this, QPalette::Base, backColor_.resolve());
}

void ListItems::setItems(int count, std::function<QString(int)> text) {
    beginResetModel();
    count_ = count;
    text_ = std::move(text);
    endResetModel();
}

int ListItems::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

QVariant ListItems::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count_ || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return text_(index.row());
}

VbListBox::VbListBox(QWidget* parent) : QListView(parent), model_(new ListItems(this)) {
    PaletteFollower::ensureInstalled();
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    applyBackColor();
}

int VbListBox::count() const {
    return model_->rowCount();
}

void VbListBox::setItems(int count, std::function<QString(int)> text) {
    model_->setItems(count, std::move(text));
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

QString VbListBox::list(int index) const {
    return model_->data(model_->index(index)).toString();
}

QRect VbListBox::rowRect(int index) const {
    return visualRect(model_->index(index));
}

void VbListBox::setBackColor(VbColor color) {
    backColor_ = color;
    applyBackColor();
}

void VbListBox::applyBackColor() {
    setBackground(this, QPalette::Base, backColor_.resolve());
}

void VbListBox::mousePressEvent(QMouseEvent* event) {
    // Below the last line there is nothing to select: the selection stays,
    // so a double-click there still acts on it.
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void VbListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit dblClick();
}

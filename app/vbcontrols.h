// Thin Qt widgets that keep the behaviour the window's handlers rely on:
// captions and texts held exactly as written (CR LF included), background
// colours held as stored values that may refer to a system colour, clicks and
// double-clicks as plain signals.
#pragma once

#include <QAbstractListModel>
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <cstdint>
#include <functional>
#include <optional>

// A stored colour: &H00BBGGRR& or a reference &H800000nn& to system colour nn.
struct VbColor {
    std::uint32_t stored = 0;
    bool isSystemReference() const { return (stored & 0xFF000000u) == 0x80000000u; }
    // The colour to paint now; a system reference is looked up in the
    // application's current palette each time.
    QColor resolve() const;
    static VbColor fromRgb(int r, int g, int b) {
        return VbColor{static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                       (static_cast<std::uint32_t>(b) << 16)};
    }
    bool operator==(const VbColor&) const = default;
};

// A control that paints its background from a stored colour.
class BackColorHolder {
public:
    virtual ~BackColorHolder() = default;
    virtual void applyBackColor() = 0;
};

// Text as the platform shows it: CR LF and lone CR become line feeds.
QString displayText(const QString& text);

class VbLabel : public QLabel, public BackColorHolder {
    Q_OBJECT
public:
    enum class Border { None, Flat, Sunken3D };
    explicit VbLabel(QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setAutoSize(bool on) { autoSize_ = on; }
    void setBorder(Border border);
    // Without a BackColor the label is transparent.
    void setBackColor(VbColor color);
    std::optional<VbColor> backColor() const { return backColor_; }
    void setForeColor(VbColor color);
    std::optional<VbColor> foreColor() const { return foreColor_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

public:
    void applyBackColor() override;

private:
    QString caption_;
    bool autoSize_ = false;
    bool pressed_ = false;
    std::optional<VbColor> backColor_;
    std::optional<VbColor> foreColor_;
};

// A frame: an etched rectangle whose caption sits on its top line, over a
// gap in it. Children are placed from the frame's own corner, caption band
// included.
class VbFrame : public QWidget, public BackColorHolder {
    Q_OBJECT
public:
    explicit VbFrame(const QString& caption, QWidget* parent = nullptr);
    const QString& caption() const { return caption_; }
    // Where the caption is drawn and where the top line runs, for the pixels.
    QRect captionRect() const;
    int lineY() const;

protected:
    void paintEvent(QPaintEvent* event) override;

public:
    void applyBackColor() override;

private:
    QString caption_;
};

// A check box whose box is drawn whole at the left of its rectangle, however
// narrow the rectangle (the design gives 13 pixels).
class VbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit VbCheckBox(QWidget* parent = nullptr);
    QRect boxRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

// A multi-line text box. Locked boxes cannot be edited but their text can
// still be selected and copied with the keyboard; text() is always exactly
// what was set, not Qt's normalised paragraphs.
class VbTextBox : public QPlainTextEdit, public BackColorHolder {
    Q_OBJECT
public:
    explicit VbTextBox(QWidget* parent = nullptr);
    const QString& text() const { return text_; }
    void setText(const QString& text);
    void setBackColor(VbColor color);
    VbColor backColor() const { return backColor_; }

protected:
    // Copies (Ctrl+C, Ctrl+Insert, the context menu, a drag) carry the
    // selected part of the stored text, line breaks as stored.
    QMimeData* createMimeDataFromSelection() const override;

public:
    void applyBackColor() override;

private:
    QString text_;
    VbColor backColor_{0x80000005};
};

// A list box: items in insertion order, one selectable line, ListIndex as a
// plain int (any number of items), DblClick as a signal. The items are plain
// strings in a model, not one widget item each: tens of thousands of names
// are filled at start-up.
// The list's lines, asked for as the view shows them: a long list costs
// no string per line until the line is drawn or read.
class ListItems : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void setItems(int count, std::function<QString(int)> text);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int count_ = 0;
    std::function<QString(int)> text_;
};

class VbListBox : public QListView, public BackColorHolder {
    Q_OBJECT
public:
    explicit VbListBox(QWidget* parent = nullptr);
    int count() const;
    // The lines: count of them, line i reading text(i).
    void setItems(int count, std::function<QString(int)> text);
    int listIndex() const;
    void setListIndex(int index); // -1 clears the selection
    QString list(int index) const;
    QRect rowRect(int index) const; // on the viewport
    void setBackColor(VbColor color);
    VbColor backColor() const { return backColor_; }

signals:
    void dblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

public:
    void applyBackColor() override;

private:
    ListItems* model_;
    VbColor backColor_{0x80000005};
};

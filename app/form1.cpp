#include "app/form1.h"

#include "app/about.h"
#include "app/design.h"
#include "app/fonts.h"
#include "data/schema.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cstdio>
#include <future>
#include <limits>

namespace schema = data::schema;

namespace {

QString arrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename W> W* place(W* w, const QString& name, const design::Twips& at) {
    w->setObjectName(name);
    w->setGeometry(design::twipsToPixels(at));
    return w;
}

// One of the window's pictures. Each is a PNG; saying so, and that it is not
// to be guessed, keeps Qt from loading every image format plugin to ask it
// first.
QImage picture(const char* name) {
    QImageReader reader(QStringLiteral(":/resources/") + QLatin1String(name), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// In an option group only the selected button is a Tab stop; the arrow keys
// move within the group.
void keepOneTabStop(QRadioButton* button) {
    auto update = [button](bool checked) {
        button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update(button->isChecked());
    QObject::connect(button, &QRadioButton::toggled, button, update);
}

} // namespace

// The pictures live in a resource file inside a static library; its
// registration has to be pulled in by hand or the linker drops it. The macro
// only works outside any namespace.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

void defaultErrorReport(int number, const QString& text) {
    const QString message = QStringLiteral("实时错误 '%1':\n\n%2").arg(number).arg(text);
    std::fprintf(stderr, "Run-time error '%d': %s\n", number, text.toUtf8().constData());
    QMessageBox box(QMessageBox::Critical, design::kCaption, message, QMessageBox::Ok);
    box.exec();
}

Form1::Form1(QString appDir, ErrorReport report, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      appDir_(std::move(appDir)), report_(std::move(report)) {
    initResources();
    // Decoding the pictures takes about as long as making half the
    // controls, so it happens beside that, on another thread.
    struct Pictures {
        QImage icon, background, imgtab, image1;
    };
    std::future<Pictures> pictures = std::async(std::launch::async, [] {
        // The background has few colours: kept as indexed pixels it takes a
        // quarter of the memory, painted with the exact colours all the same.
        // (The file is a palette image already; the conversion does nothing.)
        return Pictures{picture("icon.png"),
                        picture("background.png")
                            .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither),
                        picture("imgtab.png"), picture("image1.png")};
    });
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(design::kCaption);
    setFixedSize(design::kClientWidth / design::kTwipsPerPixel,
                 design::kClientHeight / design::kTwipsPerPixel);
    createControls();
    Pictures p = pictures.get();
    setWindowIcon(QIcon(QPixmap::fromImage(std::move(p.icon))));
    background_ = std::move(p.background);
    imgtab->setPixmap(QPixmap::fromImage(std::move(p.imgtab)));
    Image1->setPixmap(QPixmap::fromImage(std::move(p.image1)));
    setFocusOrder();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

Form1::~Form1() = default;

void Form1::createControls() {
    const QFont font = controlFont();
    auto label = [&](QWidget* parent, const QString& name, const design::Twips& at, const QString& caption,
                     bool autoSize) {
        auto* l = place(new VbLabel(parent), name, at);
        l->setFont(font);
        l->setAutoSize(autoSize);
        l->setCaption(caption);
        return l;
    };
    auto button = [&](QWidget* parent, const QString& name, const design::Twips& at, const QString& caption) {
        auto* b = place(new QPushButton(caption, parent), name, at);
        b->setFont(font);
        b->setAutoDefault(false);
        return b;
    };
    auto radio = [&](QWidget* parent, const QString& name, const design::Twips& at, const QString& caption) {
        auto* r = place(new QRadioButton(caption, parent), name, at);
        r->setFont(font);
        return r;
    };

    // Labels and images first: they lie below every other kind of control.
    // Among themselves the later-created one is on top, so they go bottom-up.
    imgtab = place(new QLabel(this), QStringLiteral("imgtab"), design::imgtab);
    imgtab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i : {0, 1}) {
        labtab[i] = label(this, arrayName("labtab", i), design::labtab[i], QString(), false);
        connect(labtab[i], &VbLabel::clicked, this,
                [this, i] { guarded([&] { labtab_Click(static_cast<std::int16_t>(i)); }); });
    }
    Label1[0] = label(this, arrayName("Label1", 0), design::Label1[0], design::kLabel1[0], true);
    for (int i : {0, 1}) {
        datafunname[i] = label(this, arrayName("datafunname", i), design::datafunname[i], QString(), false);
        datafunname[i]->setBorder(VbLabel::Border::Sunken3D);
        datafunname[i]->setBackColor(VbColor{design::kDatafunnameBackColor});
        if (i == 0)
            Label1[1] = label(this, arrayName("Label1", 1), design::Label1[1], design::kLabel1[1], true);
    }
    for (int i : {2, 3, 4})
        Label1[i] = label(this, arrayName("Label1", i), design::Label1[i], design::kLabel1[i], true);
    // Label1(1) was made between the two name fields so that the stacking
    // order matches the design: datafunname(0) under Label1(1) under datafunname(1).
    datafunname[1]->raise();
    for (int i : {2, 3, 4})
        Label1[i]->raise();
    tab2lab = label(this, QStringLiteral("tab2lab"), design::tab2lab, design::kTab2lab, true);
    tab2lab->raise();

    // Text boxes, list, buttons, options, check boxes.
    tab2txt1 = place(new QLineEdit(this), QStringLiteral("tab2txt1"), design::tab2txt1);
    tab2txt1->setFont(font);
    // No text box of the design limits its text; Qt's default stops at 32,767.
    tab2txt1->setMaxLength(std::numeric_limits<int>::max());
    connect(tab2txt1, &QLineEdit::textChanged, this, [this] { guarded([&] { tab2txt1_Change(); }); });

    tab2lst = place(new VbListBox(this), QStringLiteral("tab2lst"), design::tab2lst);
    tab2lst->setFont(font);
    connect(tab2lst, &VbListBox::dblClick, this, [this] { guarded([&] { tab2lst_DblClick(); }); });

    Option1 = radio(this, QStringLiteral("Option1"), design::Option1, design::kOption1);
    Option2 = radio(this, QStringLiteral("Option2"), design::Option2, design::kOption2);
    Option2->setChecked(true);
    keepOneTabStop(Option1);
    keepOneTabStop(Option2);

    Command1 = button(this, QStringLiteral("Command1"), design::Command1, design::kCommand1);
    connect(Command1, &QPushButton::clicked, this, [this] { guarded([&] { Command1_Click(); }); });

    tab2txt2 = place(new VbTextBox(this), QStringLiteral("tab2txt2"), design::tab2txt2);
    tab2txt2->setFont(font);
    tab2txt2->setBackColor(VbColor{design::kWindowBackColor});

    Check1 = place(new VbCheckBox(this), QStringLiteral("Check1"), design::Check1);
    Check2 = place(new VbCheckBox(this), QStringLiteral("Check2"), design::Check2);
    for (VbCheckBox* c : {Check1, Check2}) {
        c->setEnabled(false);
        c->setChecked(false);
    }

    funtxt = place(new VbTextBox(this), QStringLiteral("funtxt"), design::funtxt);
    funtxt->setFont(font);
    funtxt->setBackColor(VbColor{design::kFuntxtBackColor});

    for (int i : {0, 1}) {
        Funcmd[i] = button(this, arrayName("Funcmd", i), design::Funcmd[i],
                           i == 0 ? design::kExampleCaption : design::kCopyCaption);
        connect(Funcmd[i], &QPushButton::clicked, this,
                [this, i] { guarded([&] { Funcmd_Click(static_cast<std::int16_t>(i)); }); });
    }
    Funcmd[1]->setVisible(false);

    // Frames lie above everything else on the window; while they show they
    // cover the Public/Private options.
    Frame1[1] = place(new VbFrame(design::kFrame1_1, this), arrayName("Frame1", 1), design::Frame1_1);
    Frame1[1]->setFont(font);
    Label5 = label(Frame1[1], QStringLiteral("Label5"), design::Label5, QString(), true);

    Frame1[2] = place(new VbFrame(design::kFrame1_2, this), arrayName("Frame1", 2), design::Frame1_2);
    Frame1[2]->setFont(font);
    Label7 = label(Frame1[2], QStringLiteral("Label7"), design::Label7, QString(), false);
    Label7->setBorder(VbLabel::Border::Sunken3D);
    Label7->setBackColor(VbColor{design::kLabel7BackColor});
    Image1 = place(new QLabel(Frame1[2]), QStringLiteral("Image1"), design::Image1);
    Image1->setScaledContents(true);
    label6 = label(Frame1[2], QStringLiteral("label6"), design::label6, design::kLabel6, false);
    for (int i = 0; i < 8; ++i) {
        const design::Twips at{design::kSwatchLeft[i], design::kSwatchTop, design::kSwatchWidth,
                               design::kSwatchHeight};
        Label4[i] = label(Frame1[2], arrayName("Label4", i), at, QString(), false);
        Label4[i]->setBorder(VbLabel::Border::Flat);
        Label4[i]->setBackColor(VbColor{design::kSwatchColors[i]});
        Label4[i]->setForeColor(VbColor{design::kSwatchForeColor});
        connect(Label4[i], &VbLabel::clicked, this,
                [this, i] { guarded([&] { Label4_Click(static_cast<std::int16_t>(i)); }); });
    }
    auto* areas = new QButtonGroup(Frame1[2]);
    for (int i = 0; i < 3; ++i) {
        Option3[i] = radio(Frame1[2], arrayName("Option3", i), design::Option3[i], design::kOption3[i]);
        areas->addButton(Option3[i], i);
    }
    Option3[0]->setChecked(true);
    for (QRadioButton* r : Option3)
        keepOneTabStop(r);
    for (int i : {1, 2}) {
        Frame1[i]->setVisible(false);
        Frame1[i]->raise();
    }
    nameForScreenReaders();
}

void Form1::nameForScreenReaders() {
    // A control is announced by the caption that stands for it on screen.
    auto name = [](QWidget* w, const QString& text, const QString& description = QString()) {
        w->setAccessibleName(text);
        if (!description.isEmpty()) w->setAccessibleDescription(description);
    };
    auto trimmedLabel = [](const QString& caption) {
        QString t = caption.trimmed();
        if (t.endsWith(QLatin1Char(':'))) t.chop(1);
        return t;
    };
    name(tab2txt1, trimmedLabel(design::kTab2lab));
    name(tab2lst, QStringLiteral("函数列表"), trimmedLabel(design::kTab2lab));
    name(tab2txt2, QStringLiteral("声明"));
    name(funtxt, QStringLiteral("函数说明"));
    name(datafunname[0], trimmedLabel(design::kLabel1[0]));
    name(datafunname[1], trimmedLabel(design::kLabel1[1]));
    name(Check1, design::kLabel1[3]);
    name(Check2, design::kLabel1[4]);
    name(labtab[1], QStringLiteral("引索"));
    name(labtab[0], QStringLiteral("帮助"));
    name(imgtab, QStringLiteral("引索"));
    name(Image1, QStringLiteral("三个区域的位置"));
    name(Command1, QStringLiteral("复制"));
    for (QPushButton* b : Funcmd)
        name(b, b->text());
    for (int i = 0; i < 3; ++i)
        name(Option3[i], design::kOption3[i],
             QStringList{QStringLiteral("函数说明"), QStringLiteral("函数列表"), QStringLiteral("声明")}[i]);
    for (int i = 0; i < 8; ++i)
        name(Label4[i], design::kSwatchNames[i], trimmedLabel(design::kLabel6));
}

void Form1::setFocusOrder() {
    // The design's tab order, less what can never take the focus (labels,
    // frames, images).
    const QList<QWidget*> order = {tab2txt1, tab2lst,    tab2txt2,   Option1,   Option2,
                                   Command1, funtxt,     Funcmd[0],  Funcmd[1], Check1,
                                   Check2,   Option3[0], Option3[1], Option3[2]};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    tab2txt1->setFocus(Qt::OtherFocusReason);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backColor().resolve());
    p.drawImage(0, 0, background_);
}

void Form1::reportAndEnd(int number, const QString& text) {
    failed_ = true;
    report_(number, text);
    QCoreApplication::exit(1);
    hide();
}

void Form1::guarded(const std::function<void()>& handler) {
    if (failed_) return;
    try {
        handler();
    } catch (const data::DataError& e) {
        QString text = QString::fromUtf8(e.what());
        if (!e.detail().empty()) text += QLatin1Char('\n') + QString::fromUtf8(e.detail().c_str());
        reportAndEnd(e.number(), text);
    } catch (const std::exception& e) {
        reportAndEnd(5, QString::fromUtf8(e.what()));
    }
}

std::string Form1::databasePath(const QString& appDir) {
    // The platform's own separator: a Linux path glued to "\" names no file.
    return (QDir::toNativeSeparators(appDir) + QDir::separator() + QStringLiteral("winapi.mdb"))
        .toStdString();
}

bool Form1::Form_Load() {
    guarded([&] {
        setWindowTitle(design::kCaption);
        Data1.setDatabaseName(databasePath(appDir_));
        Label5->setCaption(aboutText());
        Data1.setRecordSource(schema::kFuncclass);
        Data1.refresh();
        // Record i becomes item i; a Null name keeps its line as an empty
        // item. The lines are read from the snapshot as the list shows them;
        // reading the first decodes the names now, so that a damaged table
        // fails here and not later.
        const data::Recordset names = Data1.recordset();
        if (names.recordCount() > 0) names.valueAt(0, schema::Name);
        tab2lst->setItems(names.recordCount(), [names](int i) {
            const jet::Value& name = names.valueAt(i, schema::Name);
            return name ? QString::fromUtf8(name->data(), static_cast<qsizetype>(name->size())) : QString();
        });
        // The loading loop walks the cursor to its end, as it always has.
        for (auto& rs = Data1.recordset(); !rs.eof();)
            rs.moveNext();
        tab2lst->setListIndex(-1);
    });
    return !failed_;
}

void Form1::labtab_Click(std::int16_t Index) {
    if (Index != 0) {
        imgtab->setVisible(true);
        tab2lab->setVisible(true);
        tab2lst->setVisible(true);
        tab2txt1->setVisible(true);
        tab2txt2->setVisible(true);
        Command1->setVisible(true);
        Frame1[1]->setVisible(false);
        Frame1[2]->setVisible(false);
    } else {
        imgtab->setVisible(false);
        tab2txt1->setVisible(false);
        tab2txt2->setVisible(false);
        tab2lst->setVisible(false);
        tab2lab->setVisible(false);
        Command1->setVisible(false);
        Frame1[1]->setVisible(true);
        Frame1[2]->setVisible(true);
    }
}

void Form1::Label4_Click(std::int16_t Index) {
    if (Index < 0 || Index >= static_cast<std::int16_t>(Label4.size())) return;
    if (Option3[0]->isChecked()) funtxt->setBackColor(*Label4[Index]->backColor());
    if (Option3[1]->isChecked()) tab2lst->setBackColor(*Label4[Index]->backColor());
    if (Option3[2]->isChecked()) tab2txt2->setBackColor(*Label4[Index]->backColor());
}

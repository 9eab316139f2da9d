// The window as a user first meets it: start-up on various databases, the
// design state, switching panels and recolouring areas.
#include "tests/gui/gui_fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QtTest>

#include "app/fonts.h"

using jetw::Cell;

namespace {

template <typename T = QWidget> T* find(QWidget& form, const char* name) {
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no control named %s", name);
    return w;
}

QStringList items(const VbListBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->list(i);
    return out;
}

} // namespace

class WindowStories : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void startUpListsNamesInRecordOrder() {
        gui::Reports reports;
        const auto dir = gui::appDirWith(gui::referenceDb({{"SendMessage", Cell{"d1"}},
                                                           {"Beep", Cell{"d2"}},
                                                           {"CreateFile", Cell{"d3"}},
                                                           {"beep", Cell{"d4"}}}),
                                         "order");
        auto form = gui::openForm(dir, reports);
        QVERIFY(reports.seen.isEmpty());
        QCOMPARE(form->windowTitle(), QStringLiteral("Zarn_Win32API 中文帮助"));
        QCOMPARE(items(form->tab2lst), (QStringList{"SendMessage", "Beep", "CreateFile", "beep"}));
        QCOMPARE(form->tab2lst->listIndex(), -1);
        QCOMPARE(form->Data1.recordSource(), std::string("funclass"));
        QVERIFY(form->Data1.recordset().eof());
        QCOMPARE(QString::fromStdString(form->Data1.databaseName()), dir + QStringLiteral("/winapi.mdb"));

        const QString about = form->Label5->caption();
        QCOMPARE(about.count(QStringLiteral("\r\n")), 5);
        QVERIFY(!about.endsWith(QStringLiteral("\n")));
        QCOMPARE(about.count(QLatin1Char('\r')), 5);
        QCOMPARE(about.count(QLatin1Char('\n')), 5);
        const QStringList lines = about.split(QStringLiteral("\r\n"));
        QVERIFY(lines[3].startsWith(QStringLiteral("      ")) &&
                !lines[3].startsWith(QStringLiteral("       ")));
        QVERIFY(lines[0].contains(QStringLiteral("Zarn_Win32API")));
    }

    void startUpWithEmptyTableAndNullName() {
        gui::Reports reports;
        auto empty = gui::openForm(gui::appDirWith(gui::referenceDb({}), "empty"), reports);
        QVERIFY(reports.seen.isEmpty());
        QVERIFY(empty->isVisible());
        QCOMPARE(empty->tab2lst->count(), 0);

        // A Null name keeps its line, so item i stays record i.
        jetw::DatabaseDef db = gui::referenceDb({{"A", Cell{"x"}}, {"B", Cell{"y"}}, {"C", Cell{"z"}}});
        db.tables[0].rows[1][0] = Cell{};
        auto form = gui::openForm(gui::appDirWith(db, "nullname"), reports);
        QVERIFY(reports.seen.isEmpty());
        QCOMPARE(items(form->tab2lst), (QStringList{"A", "", "C"}));
    }

    void startUpFailuresAreReportedAndTheWindowNeverShows() {
        struct Case {
            const char* tag;
            std::function<void(const QString& dir)> prepare;
            int number;
        };
        const QString base = QString::fromStdString(fixtures::tempDir());
        const Case cases[] = {
            {"missing", [](const QString&) {}, 3024},
            {"textfile",
             [](const QString& dir) {
                 fixtures::writeFile((dir + "/winapi.mdb").toStdString(),
                                     "Declare Function Beep Lib \"kernel32\"\r\n");
             },
             3343},
            {"nofunclass",
             [](const QString& dir) {
                 jetw::DatabaseDef db{{{"winfun", {{"函数", jetw::ColumnKind::Text, 50}}, {}}}};
                 jetw::writeDatabaseFile(db, (dir + "/winapi.mdb").toStdString());
             },
             3078},
            {"directory", [](const QString& dir) { QDir().mkpath(dir + "/winapi.mdb"); }, 3051},
        };
        for (const Case& c : cases) {
            const QString dir = base + "/fail-" + c.tag;
            QDir().mkpath(dir);
            c.prepare(dir);
            gui::Reports reports;
            Form1 form(dir, reports.sink());
            QVERIFY2(!form.Form_Load(), c.tag);
            QVERIFY(!form.isVisible());
            QCOMPARE(reports.seen.size(), 1);
            QCOMPARE(reports.seen[0].first, c.number);
            QVERIFY2(reports.seen[0].second.contains(QStringLiteral("winapi.mdb")) || c.number == 3078,
                     qPrintable(reports.seen[0].second));
            QCOMPARE(form.tab2lst->count(), 0);
            // Steps before the failing one stay done.
            QCOMPARE(form.Label5->caption().count(QStringLiteral("\r\n")), 5);
        }
    }

    void designStateAtStart() {
        gui::Reports reports;
        auto form =
            gui::openForm(gui::appDirWith(gui::referenceDb({{"Beep", Cell{"d"}}}), "design"), reports);
        for (const char* visible :
             {"imgtab", "tab2lab", "tab2txt1", "tab2lst", "tab2txt2", "Command1", "Option1", "Option2",
              "funtxt", "Funcmd(0)", "Check1", "Check2", "labtab(0)", "labtab(1)", "datafunname(0)",
              "datafunname(1)", "Label1(0)", "Label1(4)"})
            QVERIFY2(find(*form, visible)->isVisible(), visible);
        for (const char* hidden :
             {"Frame1(1)", "Frame1(2)", "Funcmd(1)", "Label5", "Option3(0)", "Label4(7)"})
            QVERIFY2(!find(*form, hidden)->isVisible(), hidden);
        QVERIFY(!form->Check1->isEnabled() && !form->Check2->isEnabled());
        QVERIFY(!form->Check1->isChecked() && !form->Check2->isChecked());
        QVERIFY(form->Option2->isChecked() && !form->Option1->isChecked());
        QVERIFY(form->Option3[0]->isChecked());
        QCOMPARE(form->Funcmd[0]->text(), QStringLiteral("实 例"));
        QCOMPARE(form->Funcmd[1]->text(), QStringLiteral("复 制"));
        QCOMPARE(form->Command1->text(), QStringLiteral("复制(&C)"));
        QCOMPARE(form->Frame1[1]->caption(), QStringLiteral(" 信息 "));
        QCOMPARE(form->Frame1[2]->caption(), QStringLiteral(" 选项 "));
        QCOMPARE(form->Label1[1]->caption(), QStringLiteral("库  名:"));
        QCOMPARE(form->tab2lab->caption(), QStringLiteral("键入要查找的关键字:"));
        QVERIFY(form->tab2txt2->isReadOnly() && form->funtxt->isReadOnly());
        QVERIFY(form->tab2txt2->text().isEmpty() && form->funtxt->text().isEmpty());
        QCOMPARE(form->tab2txt2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form->funtxt->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        // Geometry: twips from the design at 15 a pixel.
        QCOMPARE(form->size(), QSize(634, 444));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form->tab2lst->geometry(), QRect(12, 74, 221, 208));
        QCOMPARE(form->funtxt->geometry(), QRect(260, 92, 369, 317));
        QCOMPARE(form->Funcmd[1]->geometry(), QRect(516, 416, 53, 21));
        QCOMPARE(form->Label4[7]->geometry(), QRect(180, 184, 13, 16));
        QCOMPARE(form->Label4[7]->parentWidget(), form->Frame1[2]);
        QCOMPARE(form->Label5->parentWidget(), form->Frame1[1]);

        // Every text-bearing control asks for 宋体 and gets the Ming face with its metrics.
        for (QWidget* w : {static_cast<QWidget*>(form->tab2lst), static_cast<QWidget*>(form->funtxt),
                           static_cast<QWidget*>(form->Command1), static_cast<QWidget*>(form->Label1[0]),
                           static_cast<QWidget*>(form->Option3[1]), static_cast<QWidget*>(form->Frame1[2])}) {
            QCOMPARE(w->font().family(), QStringLiteral("宋体"));
            QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("AR PL UMing CN"));
        }
    }

    void focusStartsInTheSearchBoxAndTabWalksTheDesignOrder() {
        gui::Reports reports;
        auto form = gui::openForm(gui::appDirWith(gui::referenceDb({{"Beep", Cell{"d"}}}), "focus"), reports);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->tab2txt1));
        const QStringList expected = {"tab2lst", "tab2txt2",  "Option2", "Command1",
                                      "funtxt",  "Funcmd(0)", "tab2txt1"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void altCPressesTheCopyButton() {
        gui::Reports reports;
        auto form = gui::openForm(gui::appDirWith(gui::referenceDb({{"Beep", Cell{"d"}}}), "altc"), reports);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->tab2txt2->setText(QStringLiteral("Private Declare Sub X Lib \"y\" ()"));
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        // A mnemonic presses the button visibly, so the click comes a moment later.
        QTRY_COMPARE(QGuiApplication::clipboard()->text(),
                     QStringLiteral("Private Declare Sub X Lib \"y\" ()"));
    }

    void lockedBoxesRefuseTypingButCopyWithTheKeyboard() {
        gui::Reports reports;
        auto form =
            gui::openForm(gui::appDirWith(gui::referenceDb({{"Beep", Cell{"d"}}}), "locked"), reports);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (VbTextBox* box : {form->funtxt, form->tab2txt2}) {
            box->setText(QStringLiteral("第一行\r\nsecond line"));
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("typed"));
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->text(), QStringLiteral("第一行\r\nsecond line"));
            QCOMPARE(box->toPlainText(), QStringLiteral("第一行\nsecond line"));
            // Keyboard copies carry the line breaks as stored, whole or in part.
            const struct {
                int from, to;
                QKeyCombination copy;
                QString expected;
            } copies[] = {
                {0, 15, Qt::ControlModifier | Qt::Key_C, QStringLiteral("第一行\r\nsecond line")},
                {2, 6, Qt::ControlModifier | Qt::Key_Insert, QStringLiteral("行\r\nse")},
                {3, 4, Qt::ControlModifier | Qt::Key_C, QStringLiteral("\r\n")},
            };
            for (const auto& c : copies) {
                QTextCursor cursor = box->textCursor();
                cursor.setPosition(c.from);
                cursor.setPosition(c.to, QTextCursor::KeepAnchor);
                box->setTextCursor(cursor);
                QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
                QTest::keyClick(box, c.copy.key(), c.copy.keyboardModifiers());
                QCOMPARE(QGuiApplication::clipboard()->text(), c.expected);
            }
        }
    }

    // The design is drawn for SimSun's metrics; the stand-in face has them, so
    // the list shows its 17 whole lines and the frames and boxes draw as designed.
    void theWindowLooksAsDesigned() {
        gui::Reports reports;
        std::vector<gui::Fn> fns;
        for (int i = 0; i < 40; ++i)
            fns.push_back({"Fn" + std::to_string(100 + i), Cell{"d"}});
        auto form = gui::openForm(gui::appDirWith(gui::referenceDb(fns), "look"), reports);
        const QFontMetrics fm(form->tab2lst->font());
        QCOMPARE(fm.lineSpacing(), 12);
        QCOMPARE(fm.horizontalAdvance(QStringLiteral("GetWindowText")), 78);
        QCOMPARE(form->tab2lst->sizeHintForRow(0), 12);
        QCOMPARE(form->tab2lst->viewport()->height() / 12, 17);
        // Label1(3) keeps clear of Check2.
        QVERIFY(form->Label1[3]->geometry().right() < form->Check2->geometry().left());

        // The frame's caption sits on its top line, over a gap, and the line
        // runs above Label5, not through it.
        form->labtab_Click(0);
        VbFrame* frame = form->Frame1[1];
        const QImage pixels = frame->grab().toImage();
        const QColor line = pixels.pixelColor(2, frame->lineY());
        QVERIFY(line != frame->palette().color(QPalette::Window));
        const QRect caption = frame->captionRect();
        QCOMPARE(caption.top(), 0);
        QVERIFY(caption.contains(caption.left() + 2, frame->lineY()));
        int onLine = 0;
        for (int x = caption.left(); x <= caption.right(); ++x)
            onLine += pixels.pixelColor(x, frame->lineY()) == line;
        QVERIFY2(onLine < caption.width() / 2, "the line runs through the caption");
        QVERIFY(frame->lineY() + 2 < form->Label5->geometry().top());

        // The check boxes draw their whole box inside their 13 pixels.
        for (VbCheckBox* box : {form->Check1, form->Check2})
            QVERIFY(box->rect().contains(box->boxRect()));
        // The search box takes any length of text.
        const QString longText(40000, QLatin1Char('x'));
        form->tab2txt1->setText(longText);
        QCOMPARE(form->tab2txt1->text().size(), longText.size());
    }

    void switchingPanelsKeepsWhatTheUserHad() {
        gui::Reports reports;
        auto form = gui::openForm(
            gui::appDirWith(
                gui::referenceDb({{"Beep", Cell{"Declare Function Beep Lib \"kernel32\" () As Long"}, true,
                                   Cell{"Beep 440, 100"}},
                                  {"GetTickCount", Cell{"Declare Function GetTickCount () As Long"}}}),
                "panels"),
            reports);
        form->tab2txt1->setText(QStringLiteral("get"));
        QCOMPARE(form->tab2lst->listIndex(), 1);
        form->tab2txt2->setText(QStringLiteral("Public X"));
        form->funtxt->setText(QStringLiteral("details"));
        const auto searchPanel = [&](bool shown) {
            for (QWidget* w : {static_cast<QWidget*>(form->imgtab), static_cast<QWidget*>(form->tab2lab),
                               static_cast<QWidget*>(form->tab2lst), static_cast<QWidget*>(form->tab2txt1),
                               static_cast<QWidget*>(form->tab2txt2), static_cast<QWidget*>(form->Command1)})
                QCOMPARE(w->isVisible(), shown);
            QCOMPARE(form->Frame1[1]->isVisible(), !shown);
            QCOMPARE(form->Frame1[2]->isVisible(), !shown);
            // Never switched: the options and the detail area.
            QVERIFY(form->Option1->isVisible() && form->funtxt->isVisible() && form->Funcmd[0]->isVisible());
        };
        QTest::mouseClick(form->labtab[0], Qt::LeftButton); // the right tab
        searchPanel(false);
        QVERIFY(form->Label5->isVisible());
        QTest::mouseClick(form->labtab[0], Qt::LeftButton); // again: nothing changes
        searchPanel(false);
        QTest::mouseClick(form->labtab[1], Qt::LeftButton);
        searchPanel(true);
        QCOMPARE(form->tab2txt1->text(), QStringLiteral("get"));
        QCOMPARE(form->tab2lst->listIndex(), 1);
        QCOMPARE(form->tab2txt2->text(), QStringLiteral("Public X"));
        QCOMPARE(form->funtxt->text(), QStringLiteral("details"));
        form->labtab_Click(7); // any index but 0 is the search panel
        searchPanel(true);
        // The frame covers the options while it shows: a click there misses them.
        form->labtab_Click(0);
        const QPoint inOption1 = form->Option1->geometry().center();
        QCOMPARE(form->childAt(inOption1)->window(), form.get());
        QVERIFY(form->childAt(inOption1) != form->Option1);
    }

    void swatchesPaintTheChosenAreaAndReferencesFollowThePalette() {
        gui::Reports reports;
        auto form =
            gui::openForm(gui::appDirWith(gui::referenceDb({{"Beep", Cell{"d"}}}), "colours"), reports);
        form->labtab_Click(0);
        const VbColor funtxtStart = form->funtxt->backColor();
        QCOMPARE(funtxtStart.stored, 0x80000009u);
        QCOMPARE(form->tab2lst->backColor().stored, 0x80000005u);

        QTest::mouseClick(form->Label4[3], Qt::LeftButton); // ①区 is selected at start
        QCOMPARE(form->funtxt->backColor().stored, 0x00C0FFFFu);
        QCOMPARE(form->funtxt->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(form->tab2lst->backColor().stored, 0x80000005u);
        QCOMPARE(form->tab2txt2->backColor().stored, 0x80000005u);

        form->Option3[1]->setChecked(true);
        form->Option3[2]->setChecked(true); // choosing areas alone paints nothing
        QCOMPARE(form->tab2txt2->backColor().stored, 0x80000005u);
        form->Option3[1]->setChecked(true);
        QTest::mouseClick(form->Label4[6], Qt::LeftButton);
        QCOMPARE(form->tab2lst->backColor().stored, 0x00FFC0C0u);
        QCOMPARE(form->tab2lst->palette().color(QPalette::Base), QColor(192, 192, 255));
        QCOMPARE(form->funtxt->backColor().stored, 0x00C0FFFFu);

        // Swatch 0 is a reference to the window colour, and stays one.
        form->Option3[0]->setChecked(true);
        form->Label4_Click(0);
        QCOMPARE(form->funtxt->backColor().stored, 0x80000005u);
        const QPalette saved = QGuiApplication::palette();
        QPalette scheme = saved;
        scheme.setColor(QPalette::Base, QColor(10, 20, 30));
        QApplication::setPalette(scheme);
        QCOMPARE(form->funtxt->palette().color(QPalette::Base), QColor(10, 20, 30));
        QCOMPARE(form->tab2txt2->palette().color(QPalette::Base), QColor(10, 20, 30));
        QCOMPARE(form->tab2lst->palette().color(QPalette::Base),
                 QColor(192, 192, 255)); // a real colour stays
        QCOMPARE(form->Label4[0]->palette().color(QPalette::Window), QColor(10, 20, 30));
        scheme.setColor(QPalette::Text, QColor(1, 2, 3)); // the swatches' ForeColor is COLOR_WINDOWTEXT
        QApplication::setPalette(scheme);
        QCOMPARE(form->Label4[5]->palette().color(QPalette::WindowText), QColor(1, 2, 3));
        QApplication::setPalette(saved);
    }
};

QTEST_MAIN(WindowStories)
#include "test_window.moc"

// Finding and showing a function, as a user does it: typing, double-clicking,
// reading the details, the example view and the two copies.
#include "tests/gui/gui_fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>

#include "details/detail_text.h"

using jetw::Cell;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

std::vector<gui::Fn> sampleFunctions() {
    return {
        {"GetWindowTextLength",
         Cell{"Declare Function GetWindowTextLength Lib \"user32\" Alias \"GetWindowTextLengthA\" (ByVal "
              "hwnd As Long) As Long"},
         true, Cell{}, Cell{"GetWindowTextLengthA"}, Cell{"user32.dll"}, Cell{"Yes"}, Cell{"Yes"},
         Cell{"取得窗口标题的长度。"}, Cell{"字符数"}, Cell{}, Cell{"hwnd：窗口句柄"}},
        {"GetWindowText",
         Cell{"Declare Function GetWindowText Lib \"user32\" Alias \"GetWindowTextA\" (ByVal hwnd As Long, "
              "ByVal lpString As String, ByVal cch As Long) As Long"},
         true, Cell{"Dim s As String\r\ns = String$(256, 0)\r\nn = GetWindowText(Me.hwnd, s, 256)"},
         Cell{"GetWindowTextA"}, Cell{"user32.dll"}, Cell{"Yes"}, Cell{"Yes"},
         Cell{"取得窗口的标题文字。\r\n如果是控件，取得控件的文本。"}, Cell{"复制的字符数"}, Cell{""},
         Cell{"hwnd：窗口句柄\r\nlpString：缓冲区\r\ncch：缓冲区大小"}},
        {"Beep",
         Cell{"Declare Function Beep Lib \"kernel32\" (ByVal dwFreq As Long, ByVal dwDuration As Long) As "
              "Long"},
         true, Cell{""}, Cell{}, Cell{"kernel32.dll"}, Cell{"yes"}, Cell{"Yes "}, Cell{" "}, Cell{}, Cell{},
         Cell{}},
        {"NoDetails", Cell{}, false},
        {"NullFields", Cell{"Declare Sub NullFields Lib \"x\" ()"}, true},
        {"BeginsWithBreak", Cell{"Declare Sub BeginsWithBreak Lib \"x\" ()"}, true, Cell{}, Cell{"\r\nA"},
         Cell{"x.dll"}, Cell{"Yes"}, Cell{}, Cell{"\r\n描述"}},
        {"a*b", Cell{"Declare Sub Star Lib \"x\" ()"}, true, Cell{}, Cell{}, Cell{"x.dll"}},
    };
}

struct Window {
    gui::Reports reports;
    std::unique_ptr<Form1> form;
    explicit Window(const std::vector<gui::Fn>& fns, const QString& tag) {
        form = gui::openForm(gui::appDirWith(gui::referenceDb(fns), tag), reports);
        if (!reports.seen.isEmpty()) qFatal("start-up failed: %s", qPrintable(reports.seen[0].second));
    }
    Form1* operator->() { return form.get(); }

    int row(const QString& name) const {
        for (int i = 0; i < form->tab2lst->count(); ++i)
            if (form->tab2lst->list(i) == name) return i;
        qFatal("no item %s", qPrintable(name));
    }
    // A real double-click on the line, as a user makes it.
    void doubleClick(int row) {
        auto* list = form->tab2lst;
        list->scrollTo(list->model()->index(row, 0));
        const QPoint at = list->rowRect(row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    void choose(const QString& name) { doubleClick(row(name)); }
    void type(const QString& text) {
        form->tab2txt1->setFocus();
        form->tab2txt1->clear();
        QTest::keyClicks(form->tab2txt1, text);
    }
    QString clipboardAfter(const std::function<void()>& action) {
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
        action();
        return QGuiApplication::clipboard()->text();
    }
};

} // namespace

class LookupStories : public QObject {
    Q_OBJECT

private slots:
    void typingSelectsTheFirstMatchingLine() {
        Window w(sampleFunctions(), "typing");
        w.type("getwindowt");                 // lower case finds mixed case
        QCOMPARE(w->tab2lst->listIndex(), 0); // GetWindowTextLength comes first in the table
        w.type("be");
        QCOMPARE(w->tab2lst->listIndex(), 2);
        w.type("bex"); // no match: the selection stays
        QCOMPARE(w->tab2lst->listIndex(), 2);
        w->tab2txt1->clear(); // empty text: the first line
        QCOMPARE(w->tab2lst->listIndex(), 0);
        w.type("*Details"); // a leading * finds the rest anywhere
        QCOMPARE(w->tab2lst->listIndex(), 3);
        w.type("B?ep"); // ? is one character
        QCOMPARE(w->tab2lst->listIndex(), 2);
        w.type("a[*]"); // a bracketed * is a plain *
        QCOMPARE(w->tab2lst->listIndex(), 6);
        w.type("Beep ");                      // a trailing blank needs a blank
        QCOMPARE(w->tab2lst->listIndex(), 2); // Beep, chosen on the way there
        QVERIFY(w.reports.seen.isEmpty());
    }

    void oddSearchTextMatchesNothingAndRaisesNothing() {
        Window w(sampleFunctions(), "odd");
        QCOMPARE(w->tab2lst->listIndex(), -1);
        w.type("O'Brien"); // an apostrophe ends the quoted text early
        QCOMPARE(w->tab2lst->listIndex(), -1);
        w.type("Be");
        QCOMPARE(w->tab2lst->listIndex(), 2);
        for (const char* odd : {"'", "e'", "[", "e[e", "''", "\\", "%", "\"", "[z-a]"}) {
            w.type("Be");
            QTest::keyClicks(w->tab2txt1, QString::fromUtf8(odd));
            QCOMPARE(w->tab2lst->listIndex(), 2);
        }
        QVERIFY(w.reports.seen.isEmpty());
        QVERIFY(!w->failed());
    }

    void positionsAbove32767AreSelected() {
        std::vector<gui::Fn> many;
        // append, not "literal" + string: GCC 12 at -O3 warns falsely about the latter.
        for (int i = 0; i < 40000; ++i)
            many.push_back({std::string("F").append(std::to_string(100000 + i)),
                            Cell{"Declare Sub F Lib \"x\" ()"}, i % 1000 == 0});
        Window w(many, "many");
        QCOMPARE(w->tab2lst->count(), 40000);
        w.type("F139999");
        QCOMPARE(w->tab2lst->listIndex(), 39999);
        w.type("f13276");
        QCOMPARE(w->tab2lst->listIndex(), 32760);
        QVERIFY(w.reports.seen.isEmpty());
    }

    void selectingShowsDeclarationHeaderAndDetails() {
        Window w(sampleFunctions(), "select");
        w.choose("GetWindowText");
        QCOMPARE(w->tab2txt1->text(), QStringLiteral("GetWindowText"));
        const QString decl =
            QStringLiteral("Declare Function GetWindowText Lib \"user32\" Alias \"GetWindowTextA\" "
                           "(ByVal hwnd As Long, ByVal lpString As String, ByVal cch As Long) As Long");
        // The list is in record order and GetWindowTextLength, higher up,
        // begins with the name: the nested search moves the selection there.
        QCOMPARE(w->tab2lst->listIndex(), 0);
        QCOMPARE(w->datafunname[0]->caption(), QStringLiteral("GetWindowTextLength"));
        QVERIFY(
            w->tab2txt2->text().startsWith(QStringLiteral("Private Declare Function GetWindowTextLength ")));

        w.choose("Beep");
        QCOMPARE(w->tab2txt2->text(), QStringLiteral("Private Declare Function Beep Lib \"kernel32\" (ByVal "
                                                     "dwFreq As Long, ByVal dwDuration As Long) As Long"));
        QCOMPARE(w->datafunname[0]->caption(), QStringLiteral("Beep"));
        QCOMPARE(w->datafunname[1]->caption(), QStringLiteral("kernel32.dll"));
        QVERIFY(!w->Check1->isChecked()); // "yes"
        QVERIFY(!w->Check2->isChecked()); // "Yes "
        // A description of one blank brings its section in; "" and Null do not.
        QCOMPARE(w->funtxt->text(), QStringLiteral("【VB声明】") + kCrLf + QStringLiteral("  ") +
                                        w->tab2txt2->text() + kCrLf + kCrLf + QStringLiteral("【说明】 "));

        w->Option1->setChecked(true);
        QCOMPARE(w->tab2txt2->text().left(8),
                 QStringLiteral("Private ")); // nothing changes until a selection
        w.choose("BeginsWithBreak");
        QCOMPARE(w->tab2txt2->text(), QStringLiteral("Public Declare Sub BeginsWithBreak Lib \"x\" ()"));
        QVERIFY(w->Check1->isChecked());
        QVERIFY(!w->Check2->isChecked()); // Null
        QCOMPARE(w->funtxt->text(),
                 QStringLiteral("【VB声明】\r\n  ") + w->tab2txt2->text() +
                     QStringLiteral("\r\n\r\n【别名】\r\n  \r\nA\r\n\r\n【说明】\r\n描述"));
        (void)decl;
        QVERIFY(w.reports.seen.isEmpty());
    }

    void nullDeclarationAndNullHeaderFields() {
        Window w(sampleFunctions(), "nulls");
        w->Option1->setChecked(true);
        w.choose("NoDetails"); // Null declaration, no winfun record
        QCOMPARE(w->tab2txt2->text(), QStringLiteral("Public "));
        QCOMPARE(w->funtxt->text(), QStringLiteral("Sorry,没有找到耶。"));
        w.choose("NullFields"); // winfun record with Null everywhere but the name
        QCOMPARE(w->datafunname[1]->caption(), QString());
        QCOMPARE(w->funtxt->text(),
                 QStringLiteral("【VB声明】\r\n  Public Declare Sub NullFields Lib \"x\" ()"));
        QVERIFY(w.reports.seen.isEmpty());
    }

    void aMissingWinfunRecordKeepsHeaderAndButtons() {
        Window w(sampleFunctions(), "missing");
        w.choose("Beep");
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton); // example view
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("返 回"));
        w.choose("NoDetails");
        QCOMPARE(w->funtxt->text(), QStringLiteral("Sorry,没有找到耶。"));
        QCOMPARE(w->tab2txt2->text(), QStringLiteral("Private "));
        QCOMPARE(w->datafunname[0]->caption(), QStringLiteral("Beep"));
        QCOMPARE(w->datafunname[1]->caption(), QStringLiteral("kernel32.dll"));
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("返 回"));
        QVERIFY(w->Funcmd[1]->isVisible());
        // Back: the details of the function the header names, with its own declaration.
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("实 例"));
        QVERIFY(
            w->funtxt->text().startsWith(QStringLiteral("【VB声明】\r\n  Private Declare Function Beep ")));
        QVERIFY(w->funtxt->text().endsWith(QStringLiteral("【说明】 ")));
        QVERIFY(w.reports.seen.isEmpty());
    }

    void exampleViewAndBack() {
        Window w(sampleFunctions(), "example");
        w.choose("GetWindowTextLength");
        const QString details = w->funtxt->text();
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->funtxt->text(), QStringLiteral("Sorry,本函数不提供实例。")); // Null example
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("返 回"));
        QVERIFY(w->Funcmd[1]->isVisible());
        QCOMPARE(w.clipboardAfter([&] { QTest::mouseClick(w->Funcmd[1], Qt::LeftButton); }),
                 QStringLiteral("Sorry,本函数不提供实例。"));
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->funtxt->text(), details);
        QVERIFY(!w->Funcmd[1]->isVisible());

        w.choose("Beep"); // empty example
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->funtxt->text(), QStringLiteral("Sorry,本函数不提供实例。"));

        // A double-click while the example shows returns to the details.
        w.choose("BeginsWithBreak");
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("实 例"));
        QVERIFY(!w->Funcmd[1]->isVisible());
        QVERIFY(w->funtxt->text().startsWith(QStringLiteral("【VB声明】")));
    }

    void copiesPutExactlyTheBoxTextOnTheClipboard() {
        std::vector<gui::Fn> fns = sampleFunctions();
        fns[0].example = Cell{"Dim n As Long\r\nn = GetWindowTextLength(Me.hwnd)\r\n' 中文注释 一最"};
        Window w(fns, "copies");
        QCOMPARE(w.clipboardAfter([&] { QTest::mouseClick(w->Command1, Qt::LeftButton); }),
                 QString()); // empty box
        w.choose("GetWindowTextLength");
        QCOMPARE(w.clipboardAfter([&] { QTest::mouseClick(w->Command1, Qt::LeftButton); }),
                 w->tab2txt2->text());
        QVERIFY(w->tab2txt2->text().startsWith(QStringLiteral("Private Declare")));
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w.clipboardAfter([&] { QTest::mouseClick(w->Funcmd[1], Qt::LeftButton); }),
                 QStringLiteral("Dim n As Long\r\nn = GetWindowTextLength(Me.hwnd)\r\n' 中文注释 一最"));
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime->hasText() && !mime->hasHtml());
    }

    void theDetailAreaNeverShowsAnotherTablesData() {
        Window w(sampleFunctions(), "cursor");
        // Before any selection the example button has nothing to show.
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("实 例"));
        QCOMPARE(w->funtxt->text(), QString());

        w.choose("GetWindowText"); // shows GetWindowTextLength (the higher line)
        w.type("Be");              // the search moves the shared cursor to funclass
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->funtxt->text(), QStringLiteral("Sorry,本函数不提供实例。")); // not Beep's declaration
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QVERIFY(w->funtxt->text().contains(QStringLiteral("GetWindowTextLength")));
        QVERIFY(w.reports.seen.isEmpty());
    }

    // The empty text is a name like any other; and a click below the last
    // line leaves the selection where it was, so a double-click there acts on it.
    void anEmptyNameAndTheEmptyPartOfTheList() {
        Window w(
            {{"", Cell{"Declare Sub Nameless Lib \"x\" ()"}, true, Cell{"' 空名字的实例"}},
             {"Beep",
              Cell{"Declare Function Beep Lib \"kernel32\" (ByVal f As Long, ByVal d As Long) As Long"}}},
            "emptyname");
        w.doubleClick(0);
        QVERIFY(w->funtxt->text().startsWith(QStringLiteral("【VB声明】")));
        QTest::mouseClick(w->Funcmd[0], Qt::LeftButton);
        QCOMPARE(w->funtxt->text(), QStringLiteral("' 空名字的实例"));
        QCOMPARE(w->Funcmd[0]->text(), QStringLiteral("返 回"));

        auto* list = w->tab2lst;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(1).center());
        QCOMPARE(list->listIndex(), 1);
        const QPoint below(20, list->viewport()->height() - 3);
        QVERIFY(!list->indexAt(below).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(list->listIndex(), 1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(list->listIndex(), 1);
        QCOMPARE(w->datafunname[0]->caption(), QStringLiteral("Beep"));
        QVERIFY(w.reports.seen.isEmpty());
    }

    // The database is read once: a file replaced or cut short while the
    // window runs leaves searches and selections on the names it listed.
    void theFileChangingUnderTheWindowChangesNothing() {
        const std::vector<gui::Fn> fns = sampleFunctions();
        gui::Reports reports;
        const QString dir = gui::appDirWith(gui::referenceDb(fns), "snapshot");
        auto form = gui::openForm(dir, reports);
        const std::string file = (dir + QStringLiteral("/winapi.mdb")).toStdString();
        jetw::writeDatabaseFile(gui::referenceDb({{"Beep", Cell{"Declare Sub Other Lib \"x\" ()"}}}), file);
        std::filesystem::resize_file(file, 4096);
        form->tab2txt1->setText(QStringLiteral("GetWindowText"));
        const int row = form->tab2lst->listIndex();
        QCOMPARE(form->tab2lst->list(row),
                 QStringLiteral("GetWindowTextLength")); // the first match in table order
        form->tab2lst_DblClick();
        QCOMPARE(form->datafunname[1]->caption(), QStringLiteral("user32.dll"));
        form->tab2txt1->setText(QStringLiteral("Be"));
        QCOMPARE(form->tab2lst->list(form->tab2lst->listIndex()), QStringLiteral("Beep"));
        form->tab2lst_DblClick();
        QVERIFY(form->tab2txt2->text().contains(QStringLiteral("Lib \"kernel32\"")));
        QVERIFY(reports.seen.isEmpty());
    }

    void doubleClickWithoutSelectionDoesNothing() {
        Window w(sampleFunctions(), "nosel");
        w->tab2lst->setListIndex(-1);
        w->tab2lst_DblClick();
        QCOMPARE(w->tab2txt1->text(), QString());
        QCOMPARE(w->tab2txt2->text(), QString());
        QVERIFY(w.reports.seen.isEmpty());
    }
};

QTEST_MAIN(LookupStories)
#include "test_lookup.moc"

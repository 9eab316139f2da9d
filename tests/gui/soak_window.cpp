// A long, random session through the real window: keystrokes in the search
// box, clicks and double-clicks on the list, Tab, the buttons, the tabs and
// the swatches. Run under ASan+UBSan and LeakSanitizer by the test command;
// here it checks that no error ever reaches the user and the window stays
// consistent with itself.
#include "tests/gui/gui_fixtures.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <random>

#include "app/fonts.h"

using jetw::Cell;

class SoakStories : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void twentyThousandRandomActions() {
        std::vector<gui::Fn> fns;
        for (const char* stem : {"Get", "Set", "Create", "Reg", "Sh", "Draw", "a*b", "x[y]", "O'Brien", ""})
            for (int i = 0; i < 12; ++i) {
                const std::string name = std::string(stem).append(std::to_string(i * 7));
                const bool odd = i % 5 == 0;
                fns.push_back({name,
                               odd ? Cell{} : Cell{"Declare Function " + name + " Lib \"x\" () As Long"},
                               i % 4 != 0, odd ? Cell{} : Cell{"' 实例\r\nDim r As Long"}, Cell{},
                               Cell{"x.dll"}, Cell{"Yes"}, odd ? Cell{} : Cell{"Yes"}, Cell{"说明"},
                               Cell{"返回值"}, Cell{"备注\r\n第二行"}, Cell{}});
            }
        gui::Reports reports;
        auto form = gui::openForm(gui::appDirWith(gui::referenceDb(fns), "soak"), reports);
        QVERIFY(reports.seen.isEmpty());

        std::mt19937 rng(20261207);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const QString keys = QStringLiteral("GSCRDaxO*?#[]!'- 0123456789gs");
        int detailsShown = 0, examplesShown = 0;
        for (int step = 0; step < 20000; ++step) {
            switch (pick(10)) {
            case 0:
            case 1:
            case 2:
                QTest::keyClick(form->tab2txt1, keys[pick(static_cast<int>(keys.size()))].toLatin1());
                break;
            case 3:
                QTest::keyClick(form->tab2txt1, Qt::Key_Backspace);
                break;
            case 4: {
                auto* list = form->tab2lst;
                const int row = pick(list->count() + 3) - 1; // sometimes outside the items
                const QPoint at = row >= 0 && row < list->count()
                                      ? list->rowRect(row).center()
                                      : QPoint(10, list->viewport()->height() - 2);
                if (row >= 0 && row < list->count()) list->scrollTo(list->model()->index(row, 0));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                break;
            }
            case 5:
                QTest::mouseClick(form->Funcmd[pick(2)], Qt::LeftButton);
                break;
            case 6:
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(),
                                Qt::Key_Tab);
                break;
            case 7:
                QTest::mouseClick(form->labtab[pick(2)], Qt::LeftButton);
                break;
            case 8:
                form->Option3[pick(3)]->setChecked(true);
                QTest::mouseClick(form->Label4[pick(8)], Qt::LeftButton);
                break;
            case 9:
                (pick(2) ? form->Option1 : form->Option2)->setChecked(true);
                QTest::mouseClick(form->Command1, Qt::LeftButton);
                break;
            }
            if (!reports.seen.isEmpty())
                QFAIL(qPrintable(QStringLiteral("step %1: error %2: %3")
                                     .arg(step)
                                     .arg(reports.seen[0].first)
                                     .arg(reports.seen[0].second)));
            if (form->funtxt->text().startsWith(QStringLiteral("【VB声明】"))) ++detailsShown;
            if (form->Funcmd[1]->isVisible()) ++examplesShown;
            QVERIFY(!form->failed());
            QVERIFY(form->tab2lst->listIndex() < form->tab2lst->count());
        }
        // The walk reached the details and the example view, not just the box.
        QVERIFY2(detailsShown > 1000 && examplesShown > 1000,
                 qPrintable(QStringLiteral("details %1, examples %2").arg(detailsShown).arg(examplesShown)));
    }
};

QTEST_MAIN(SoakStories)
#include "soak_window.moc"

// The window's event handlers and its private routine. Each reads its
// controls, runs the data steps in their order and writes its controls; the
// nested search (setting the search box's text) stays nested, and the view
// state stays in the controls.
#include "app/design.h"
#include "app/form1.h"
#include "data/search.h"
#include "details/detail_text.h"
#include "details/selection.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
void copyToClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
} // namespace

// Every change of the search box's text selects the first list line whose
// name begins with the text.
void Form1::tab2txt1_Change() {
    if (const auto position = data::findFirstFunction(Data1, tab2txt1->text().toStdString()))
        tab2lst->setListIndex(*position);
}

// A double-click on a list line makes that function the window's current one.
void Form1::tab2lst_DblClick() {
    if (tab2lst->listIndex() < 0) return; // nothing selected: nothing to show
    tab2txt1->setText(tab2lst->list(tab2lst->listIndex()));
    if (failed_) return;

    // The nested search may have moved the selection to a higher line whose
    // longer name begins with this one; that line is the one shown.
    tab2txt2->setText(details::scopedDeclaration(
        Option1->isChecked(), details::findDeclaration(Data1, tab2lst->list(tab2lst->listIndex()))));

    const auto header = details::findFunctionRecord(Data1, tab2lst->list(tab2lst->listIndex()));
    if (!header) {
        funtxt->setText(design::kNotFound);
        return;
    }
    datafunname[0]->setCaption(header->function);
    datafunname[1]->setCaption(header->library);
    Check1->setChecked(header->win9x);
    Check2->setChecked(header->winnt);
    Funcmd[0]->setText(design::kExampleCaption);
    Funcmd[1]->setVisible(false);
    shownFunction_ = header->function;
    shownDeclaration_ = tab2txt2->text();
    ShowFunctionDetails();
}

bool Form1::ensureShownRecord() {
    return shownFunction_ && details::seekFunction(Data1, *shownFunction_);
}

void Form1::ShowFunctionDetails() {
    // After a selection the table lacked, the declaration box holds that
    // other function; the detail text keeps the declaration it was shown with.
    funtxt->setText(details::currentDetailText(Data1, shownDeclaration_));
}

void Form1::Funcmd_Click(std::int16_t Index) {
    if (Index != 0) {
        copyToClipboard(funtxt->text());
        return;
    }
    if (Funcmd[0]->text() != design::kExampleCaption) {
        Funcmd[0]->setText(design::kExampleCaption);
        Funcmd[1]->setVisible(false);
        if (ensureShownRecord())
            ShowFunctionDetails();
        else
            funtxt->setText(design::kNotFound);
        return;
    }
    if (!ensureShownRecord()) return; // no function chosen yet: there is no example to show
    funtxt->setText(details::currentExample(Data1).value_or(design::kNoExample));
    Funcmd[0]->setText(design::kBackCaption);
    Funcmd[1]->setVisible(true);
}

void Form1::Command1_Click() {
    copyToClipboard(tab2txt2->text());
}

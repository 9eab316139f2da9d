// The detail box's two views (detail text and example) and the two copies.
#include "design.h"
#include "detail_text.h"
#include "form1.h"
#include "schema.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace schema = data::schema;

namespace {
void copyToClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
} // namespace

bool Form1::ensureShownRecord() {
    if (!shownFunction_) return false;
    auto& rs = Data1.recordset();
    if (Data1.recordSource() == schema::kWinfun && rs.hasCurrentRecord() &&
        fieldText(rs.fieldValue(schema::Function)) == *shownFunction_)
        return true;
    // A search (or a selection the table lacks) moved the shared cursor
    // away: go back to the function the detail area names.
    Data1.setRecordSource(schema::kWinfun);
    Data1.refresh();
    Data1.recordset().findFirst(std::string(schema::kWinfunColumns[schema::Function]) + "='" +
                                quotedLiteral(*shownFunction_) + "'");
    return !Data1.recordset().noMatch();
}

void Form1::ShowFunctionDetails() {
    auto& rs = Data1.recordset();
    const DetailSections sections{
        fieldText(rs.fieldValue(schema::Alias)), fieldText(rs.fieldValue(schema::Description)),
        fieldText(rs.fieldValue(schema::ReturnValue)), fieldText(rs.fieldValue(schema::Remarks)),
        fieldText(rs.fieldValue(schema::Parameters))};
    // The declaration box, as the selection wrote it. After a selection the
    // table lacked, the box holds that other function; the detail text keeps
    // the declaration it was shown with.
    QString declaration = tab2txt2->text();
    if (declaration != shownDeclaration_) declaration = shownDeclaration_;
    funtxt->setText(composeDetailText(declaration, sections));
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
    const std::optional<QString> example = fieldText(Data1.recordset().fieldValue(schema::Example));
    if (example && !example->isEmpty())
        funtxt->setText(*example);
    else
        funtxt->setText(design::kNoExample);
    Funcmd[0]->setText(design::kBackCaption);
    Funcmd[1]->setVisible(true);
}

void Form1::Command1_Click() {
    copyToClipboard(tab2txt2->text());
}

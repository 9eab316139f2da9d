// A double-click on a list line makes that function the window's current one.
#include "design.h"
#include "detail_text.h"
#include "form1.h"
#include "schema.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace schema = data::schema;

std::optional<QString> fieldText(const jet::Value& value) {
    if (!value) return std::nullopt;
    return QString::fromUtf8(value->data(), static_cast<qsizetype>(value->size()));
}

std::string quotedLiteral(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled.toStdString();
}

void Form1::tab2lst_DblClick() {
    if (tab2lst->listIndex() < 0) return; // nothing selected: nothing to show
    tab2txt1->setText(tab2lst->list(tab2lst->listIndex()));
    if (failed_) return;

    // The nested search may have moved the selection to a higher line whose
    // longer name begins with this one; that line is the one shown.
    Data1.setRecordSource(schema::kFuncclass);
    Data1.refresh();
    QString name = tab2lst->list(tab2lst->listIndex());
    auto& classes = Data1.recordset();
    classes.findFirst(std::string(schema::kFuncclassColumns[schema::Name]) + "='" + quotedLiteral(name) +
                      "'");
    const std::optional<QString> declaration =
        classes.noMatch() ? std::nullopt : fieldText(classes.fieldValue(schema::Declaration));
    tab2txt2->setText(scopedDeclaration(Option1->isChecked(), declaration));

    Data1.setRecordSource(schema::kWinfun);
    Data1.refresh();
    name = tab2lst->list(tab2lst->listIndex());
    auto& funs = Data1.recordset();
    funs.findFirst(std::string(schema::kWinfunColumns[schema::Function]) + "='" + quotedLiteral(name) + "'");
    if (funs.noMatch()) {
        funtxt->setText(design::kNotFound);
        return;
    }
    datafunname[0]->setCaption(fieldText(funs.fieldValue(schema::Function)).value_or(QString()));
    datafunname[1]->setCaption(fieldText(funs.fieldValue(schema::Library)).value_or(QString()));
    Check1->setChecked(flagValue(fieldText(funs.fieldValue(schema::Win9x))) == 1);
    Check2->setChecked(flagValue(fieldText(funs.fieldValue(schema::WinNT))) == 1);
    Funcmd[0]->setText(design::kExampleCaption);
    Funcmd[1]->setVisible(false);
    shownFunction_ = fieldText(funs.fieldValue(schema::Function)).value_or(QString());
    shownDeclaration_ = tab2txt2->text();
    ShowFunctionDetails();
}

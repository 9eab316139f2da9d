// The search box: every change of its text selects the first list line whose
// name begins with the text.
#include "form1.h"
#include "schema.h"

#include <QLineEdit>

namespace schema = data::schema;

void Form1::tab2txt1_Change() {
    Data1.setRecordSource(schema::kFuncclass);
    Data1.refresh();
    const QString t = tab2txt1->text();
    auto& rs = Data1.recordset();
    try {
        // The typed text goes in unchanged, so *, ?, # and [..] keep their
        // pattern meaning.
        rs.findFirst(std::string(schema::kFuncclassColumns[schema::Name]) + " like '" + t.toStdString() +
                     "*'");
    } catch (const data::DataError& e) {
        // An apostrophe or an unclosed [ makes criteria the engine cannot
        // parse; such a text simply matches nothing.
        if (e.number() != data::err::MalformedCriteria) throw;
        rs.markNoMatch();
    }
    if (!rs.noMatch()) tab2lst->setListIndex(rs.absolutePosition());
}

// Windows opened on databases written at test time, with the error report
// captured instead of shown.
#pragma once

#include "app/form1.h"
#include "tests/support/fixtures.h"
#include "tools/content/content.h"

#include <QDir>
#include <QList>
#include <QPair>
#include <memory>

namespace gui {

struct Reports {
    QList<QPair<int, QString>> seen;
    ErrorReport sink() {
        return [this](int number, const QString& text) { seen.append({number, text}); };
    }
};

// A fresh "application directory" holding winapi.mdb built from db.
inline QString appDirWith(const jetw::DatabaseDef& db, const QString& tag) {
    const QString dir = QString::fromStdString(fixtures::tempDir()) + QStringLiteral("/app-") + tag;
    QDir().mkpath(dir);
    jetw::writeDatabaseFile(db, (dir + QStringLiteral("/winapi.mdb")).toStdString());
    return dir;
}

// One funclass/winfun pair per name; winfun columns in their positions.
struct Fn {
    std::string name;
    jetw::Cell declaration = std::nullopt;
    bool inWinfun = true;
    jetw::Cell example = std::nullopt, alias = std::nullopt, library = std::nullopt, win9x = std::nullopt,
               winnt = std::nullopt, description = std::nullopt, returnValue = std::nullopt,
               remarks = std::nullopt, parameters = std::nullopt;
};

inline jetw::DatabaseDef referenceDb(const std::vector<Fn>& fns) {
    using jetw::Cell;
    jetw::DatabaseDef db = content::referenceTables();
    jetw::TableDef& funclass = db.tables[0];
    jetw::TableDef& winfun = db.tables[1];
    for (const Fn& f : fns) {
        funclass.rows.push_back({Cell{f.name}, f.declaration});
        if (f.inWinfun)
            winfun.rows.push_back({Cell{f.name}, f.example, f.alias, f.library, f.win9x, f.winnt,
                                   f.description, f.returnValue, f.remarks, f.parameters});
    }
    return db;
}

inline std::unique_ptr<Form1> openForm(const QString& appDir, Reports& reports) {
    auto form = std::make_unique<Form1>(appDir, reports.sink());
    if (form->Form_Load()) form->show();
    return form;
}

} // namespace gui

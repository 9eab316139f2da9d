// The main window. Controls are members named as in the window's design
// (arrays as std::array, indexed like the design's control arrays); each
// control's objectName is that name, with "(i)" for array members.
//
// Handlers are named after their control and event and run to their end on
// the UI thread. Errors they do not handle go to the error report, after
// which the program ends, as an untrapped run-time error always has.
#pragma once

#include "app/design.h"
#include "app/vbcontrols.h"
#include "data/datasource.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;

// What the user sees when an error reaches no handler: a number and a text.
// The default shows a message box and writes the same to stderr; tests put
// their own in place.
using ErrorReport = std::function<void(int number, const QString& text)>;

void defaultErrorReport(int number, const QString& text);

class Form1 : public QWidget {
    Q_OBJECT
public:
    // appDir: the directory that holds the program; winapi.mdb is read from it.
    explicit Form1(QString appDir, ErrorReport report = defaultErrorReport, QWidget* parent = nullptr);
    ~Form1() override;

    // The database the window reads: winapi.mdb beside the program.
    static std::string databasePath(const QString& appDir);

    // The load step. Returns false after reporting an error; the window must
    // then not be shown.
    bool Form_Load();

    // Event handlers.
    void labtab_Click(std::int16_t Index);
    void Label4_Click(std::int16_t Index);
    void tab2txt1_Change();
    void tab2lst_DblClick();
    void Funcmd_Click(std::int16_t Index);
    void Command1_Click();

    // Background colour of the window itself (it shows right of the picture).
    VbColor backColor() const { return VbColor{design::kFormBackColor}; }
    // True when the program ended through the error report.
    bool failed() const { return failed_; }

    // Controls, in the design's order.
    QLabel* imgtab = nullptr;
    std::array<VbLabel*, 2> labtab{};
    VbLabel* tab2lab = nullptr;
    QLineEdit* tab2txt1 = nullptr;
    VbListBox* tab2lst = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* Command1 = nullptr;
    VbTextBox* tab2txt2 = nullptr;
    std::array<VbFrame*, 3> Frame1{}; // members 1 and 2
    VbLabel* Label5 = nullptr;
    VbLabel* Label7 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QRadioButton*, 3> Option3{};
    VbLabel* label6 = nullptr;
    std::array<VbLabel*, 8> Label4{};
    std::array<VbLabel*, 5> Label1{};
    std::array<VbLabel*, 2> datafunname{};
    VbCheckBox* Check1 = nullptr;
    VbCheckBox* Check2 = nullptr;
    VbTextBox* funtxt = nullptr;
    std::array<QPushButton*, 2> Funcmd{};
    data::DataControl Data1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The function the detail area shows (its winfun name, as stored) and the
    // scoped declaration it was shown with. The example view and the way back
    // use them to stay on that function when the shared cursor has moved on.
    // Unset until a function has been shown: the empty text is a valid name.
    std::optional<QString> shownFunction_;
    QString shownDeclaration_;
    bool ensureShownRecord();

    void createControls();
    void nameForScreenReaders();
    void setFocusOrder();
    void ShowFunctionDetails();
    // Runs a handler; an error that escapes it is reported and ends the program.
    void guarded(const std::function<void()>& handler);
    void reportAndEnd(int number, const QString& text);

    QString appDir_;
    ErrorReport report_;
    QImage background_;
    bool failed_ = false;
};

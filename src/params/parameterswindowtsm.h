// ParametersWindowTsm: the testing parameters of a one-level test file (test.ns1).
#pragma once

#include "paramform.h"

#include "core/paramfiles.h"

class QLineEdit;
class QPushButton;

namespace zorvik {

class ParametersWindowTsm : public ParamForm {
    Q_OBJECT
public:
    ParametersWindowTsm(AppContext& ctx, QWidget* parent);

    QLineEdit* Edit1 = nullptr;     // questions in the test file
    QLineEdit* Edit2 = nullptr;     // TestQuestions
    QLineEdit* Edit3 = nullptr;     // GradeScale
    QLineEdit* Edit4 = nullptr;     // QuestionPoints
    QLineEdit* Edit5 = nullptr;     // JournalPath
    QPushButton* Button1 = nullptr; // "..."
    QPushButton* Button2 = nullptr; // "+"
    QPushButton* BitBtn1 = nullptr; // OK

public slots:
    // Loads the fields and opens test.ns1 for editing; false when that failed
    // (the failure was reported).
    bool FormShow();
    void Button1Click();
    void Button2Click();
    // The OK action; true when the record was saved.
    bool BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape and the close box: the OK action runs first.
    void reject() override;

private:
    ParamEditor<Ns1Record> editor_;
    bool saved_ = false;   // this showing has saved its record
    bool running_ = false; // the OK action is under way
    bool loaded_ = false;  // the showing opened test.ns1
};

} // namespace zorvik

// ParametersWindowTsr: the testing parameters of a four-level test file (test.ns2).
#pragma once

#include "paramform.h"

#include "core/paramfiles.h"

class QLineEdit;
class QPushButton;

namespace zorvik {

class ParametersWindowTsr : public ParamForm {
    Q_OBJECT
public:
    ParametersWindowTsr(AppContext& ctx, QWidget* parent);

    QLineEdit* Edit1 = nullptr;     // questions in the test file
    QLineEdit* Edit2 = nullptr;     // low-level questions in the file
    QLineEdit* Edit3 = nullptr;     // TestLow
    QLineEdit* Edit4 = nullptr;     // PointsLow
    QLineEdit* Edit5 = nullptr;     // medium-level questions in the file
    QLineEdit* Edit6 = nullptr;     // TestMedium
    QLineEdit* Edit7 = nullptr;     // PointsMedium
    QLineEdit* Edit13 = nullptr;    // sufficient-level questions in the file
    QLineEdit* Edit14 = nullptr;    // TestSufficient
    QLineEdit* Edit15 = nullptr;    // PointsSufficient
    QLineEdit* Edit8 = nullptr;     // high-level questions in the file
    QLineEdit* Edit9 = nullptr;     // TestHigh
    QLineEdit* Edit10 = nullptr;    // PointsHigh
    QLineEdit* Edit11 = nullptr;    // GradeScale
    QLineEdit* Edit12 = nullptr;    // JournalPath
    QPushButton* Button1 = nullptr; // "..."
    QPushButton* Button2 = nullptr; // "+"
    QPushButton* Button3 = nullptr; // "&OK"

public slots:
    // Counts the levels, loads the fields and opens test.ns2 for editing;
    // false when that failed (the failure was reported).
    bool FormShow();
    void Button1Click();
    void Button2Click();
    // The OK action; true when the record was saved.
    bool Button3Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Closing saves nothing.
    void reject() override;

private:
    struct Level {
        const char16_t* inFileLabel;
        const char16_t* countLabel;
        const char16_t* pointsLabel;
        const char16_t* inFileName;
        const char16_t* countName;
        const char16_t* pointsName;
        const char16_t* points; // initial text
    };
    // One level's block: the file's count, the run's count and the points.
    void levelBlock(int no, int left, int top, const Level& level, QLineEdit*& inFile,
                    QLineEdit*& count, QLineEdit*& points);

    ParamEditor<Ns2Record> editor_;
    bool running_ = false;
    bool loaded_ = false;
};

} // namespace zorvik

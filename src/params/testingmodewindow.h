// TestingModeWindow: the testing mode of the current parameter record. Only OK leaves it.
#pragma once

#include "paramform.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zorvik {

class TestingModeWindow : public ParamForm {
    Q_OBJECT
public:
    TestingModeWindow(AppContext& ctx, QWidget* parent);

    QGroupBox* GroupBox1 = nullptr; // "На запитання"
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QComboBox* ComboBox1 = nullptr; // seconds per question
    QGroupBox* GroupBox2 = nullptr; // "На тест"
    QCheckBox* CheckBox1 = nullptr; // InputOrder
    QCheckBox* CheckBox4 = nullptr; // ShuffleAnswers
    QCheckBox* CheckBox3 = nullptr; // GoBack
    QCheckBox* CheckBox2 = nullptr; // TestTimeOn
    QComboBox* ComboBox2 = nullptr; // minutes for the whole test
    QPushButton* Button1 = nullptr; // "&OK"

public slots:
    // Loads the controls from the current record's testing mode.
    void FormShow();
    // Stores the controls into the current record; true when it passed and
    // the window closed.
    bool Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Neither Escape nor the window manager closes it.
    void reject() override {}

private:
    void questionTimeOff();
    void questionTimeOn();
    void CheckBox2Click(bool checked);
    int selectedMode() const;
};

} // namespace zorvik

#include "testingmodewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

template <typename W>
W* placed(W* w, const QString& name, const Scale& s, int left, int top, int width, int height) {
    w->setObjectName(name);
    s.place(w, left, top, width, height);
    return w;
}

QComboBox* timeBox(QWidget* parent, const QString& name, const QStringList& items,
                   const QString& hint) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // What the teacher types is what is stored: "1" is not completed to "10".
    box->setCompleter(nullptr);
    box->addItems(items);
    box->setToolTip(hint);
    box->setEnabled(false);
    return box;
}

} // namespace

TestingModeWindow::TestingModeWindow(AppContext& ctx, QWidget* parent)
    : ParamForm(ctx, parent, u"TForm11"_s) {
    // No close box: the checks of OK are the only way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(u"Режим тестування"_s);
    setDesignSize(420, 336);
    const Scale s = ctx_.scale();

    GroupBox1 = placed(new QGroupBox(u"На запитання"_s, this), u"GroupBox1"_s, s, 8, 8, 404, 152);
    RadioButton1 = placed(new QRadioButton(u"    Без обмежень часу і підказки"_s, GroupBox1),
                          u"RadioButton1"_s, s, 16, 24, 370, 20);
    RadioButton2 = placed(new QRadioButton(u"    Без обмежень часу з підказкою"_s, GroupBox1),
                          u"RadioButton2"_s, s, 16, 46, 370, 20);
    RadioButton3 = placed(new QRadioButton(u"    З обмеженням часу та  без підказки"_s, GroupBox1),
                          u"RadioButton3"_s, s, 16, 68, 370, 20);
    RadioButton4 = placed(new QRadioButton(u"   З обмеженням часу  та з підказкою"_s, GroupBox1),
                          u"RadioButton4"_s, s, 16, 90, 370, 20);
    RadioButton1->setChecked(true);
    placed(new QLabel(u"Час на 1-е запитання:"_s, GroupBox1), u"Label1"_s, s, 16, 122, 170, 20);
    QStringList seconds{QString()};
    for (int v : {15, 30, 45, 60, 75, 90, 105, 120})
        seconds.append(QString::number(v));
    ComboBox1 = placed(timeBox(GroupBox1, u"ComboBox1"_s, seconds, u"Час від 1хв до  32564 с"_s),
                       u"ComboBox1"_s, s, 190, 120, 90, 23);
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setEditText(QString());
    placed(new QLabel(u"с."_s, GroupBox1), u"Label2"_s, s, 286, 122, 40, 20);

    GroupBox2 = placed(new QGroupBox(u"На тест"_s, this), u"GroupBox2"_s, s, 8, 166, 404, 124);
    CheckBox1 = placed(new QCheckBox(u"Вивід запитань у порядку їх вводу"_s, GroupBox2),
                       u"CheckBox1"_s, s, 16, 22, 370, 20);
    CheckBox4 = placed(new QCheckBox(u"Перемішувати відповіді"_s, GroupBox2), u"CheckBox4"_s, s, 16,
                       44, 370, 20);
    CheckBox3 = placed(new QCheckBox(u"Повертатись до попередніх запитань"_s, GroupBox2),
                       u"CheckBox3"_s, s, 16, 66, 370, 20);
    CheckBox2 = placed(new QCheckBox(u"Задати час на весь тест"_s, GroupBox2), u"CheckBox2"_s, s,
                       16, 94, 200, 20);
    QStringList minutes;
    for (int v : {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 60, 70, 80, 90, 120})
        minutes.append(QString::number(v));
    ComboBox2 = placed(timeBox(GroupBox2, u"ComboBox2"_s, minutes, u"Час від 1хв до  1439 хв."_s),
                       u"ComboBox2"_s, s, 220, 92, 90, 23);
    ComboBox2->setEditText(QString());
    placed(new QLabel(u"хв."_s, GroupBox2), u"Label3"_s, s, 316, 94, 40, 20);

    Button1 = button(u"Button1"_s, u"&OK"_s, 160, 298, 100, 30);
    Button1->setDefault(true);

    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            questionTimeOff();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            questionTimeOff();
    });
    connect(RadioButton3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            questionTimeOn();
    });
    connect(RadioButton4, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            questionTimeOn();
    });
    connect(CheckBox2, &QCheckBox::toggled, this, &TestingModeWindow::CheckBox2Click);
    connect(Button1, &QPushButton::clicked, this, &TestingModeWindow::Button1Click);
}

void TestingModeWindow::questionTimeOff() {
    ComboBox1->clearEditText();
    ComboBox1->setEnabled(false);
}

void TestingModeWindow::questionTimeOn() {
    ComboBox1->setEnabled(true);
    // The stored time, not one typed meanwhile.
    if (const TestingMode* m = currentTestingMode(ctx_.state); m && m->QuestionTime != -1)
        ComboBox1->setEditText(QString::number(m->QuestionTime));
}

void TestingModeWindow::CheckBox2Click(bool checked) {
    ComboBox2->setEnabled(checked);
    if (checked)
        ComboBox2->setEditText(u"15"_s);
    else
        ComboBox2->clearEditText();
}

int TestingModeWindow::selectedMode() const {
    if (RadioButton2->isChecked())
        return 2;
    if (RadioButton3->isChecked())
        return 3;
    if (RadioButton4->isChecked())
        return 4;
    return 1;
}

void TestingModeWindow::FormShow() {
    const TestingMode* m = currentTestingMode(ctx_.state);
    if (!m)
        return;
    CheckBox1->setChecked(m->InputOrder);
    CheckBox3->setChecked(m->GoBack);
    CheckBox4->setChecked(m->ShuffleAnswers);
    if (m->QuestionTime != -1)
        ComboBox1->setEditText(QString::number(m->QuestionTime));
    else
        questionTimeOff();
    CheckBox2->setChecked(m->TestTimeOn);
    if (m->TestTime != -1) {
        ComboBox2->setEditText(QString::number(m->TestTime));
    } else {
        ComboBox2->clearEditText();
        ComboBox2->setEnabled(false);
    }
    switch (m->Mode) {
    case 2:
        RadioButton2->setChecked(true);
        break;
    case 3:
        RadioButton3->setChecked(true);
        break;
    case 4:
        RadioButton4->setChecked(true);
        break;
    default:
        RadioButton1->setChecked(true);
        break;
    }
    if (selectedMode() <= 2)
        questionTimeOff();
    Button1->setFocus(Qt::OtherFocusReason);
}

bool TestingModeWindow::Button1Click() {
    ModeFields f;
    f.inputOrder = CheckBox1->isChecked();
    f.goBack = CheckBox3->isChecked();
    f.shuffleAnswers = CheckBox4->isChecked();
    f.questionTime = ComboBox1->currentText().trimmed();
    f.testTimeOn = CheckBox2->isChecked();
    f.testTime = ComboBox2->currentText().trimmed();
    f.mode = selectedMode();

    TestingMode scratch;
    TestingMode* m = currentTestingMode(ctx_.state);
    if (const auto p = applyTestingMode(f, m ? *m : scratch)) {
        ctx_.services.error(this, p->message);
        QComboBox* box = p->field == u"ComboBox2"_s ? ComboBox2 : ComboBox1;
        if (p->enable)
            box->setEnabled(true);
        if (p->clear)
            box->clearEditText();
        focusField(box);
        return false;
    }
    accept();
    return true;
}

void TestingModeWindow::showEvent(QShowEvent* event) {
    ParamForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

} // namespace zorvik

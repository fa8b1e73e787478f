#include "parameterswindowtsr.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

constexpr int kBlockWidth = 306;
constexpr int kBlockHeight = 126;
} // namespace

void ParametersWindowTsr::levelBlock(int no, int left, int top, const Level& level,
                                     QLineEdit*& inFile, QLineEdit*& count, QLineEdit*& points) {
    auto* frame = new QFrame(this);
    frame->setObjectName(u"Bevel%1"_s.arg(no));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    ctx_.scale().place(frame, left, top, kBlockWidth, kBlockHeight);
    frame->lower();

    const int labelNo = 2 + (no - 1) * 4;
    const int fieldLeft = left + kBlockWidth - 48;
    label(u"Label%1"_s.arg(labelNo), QString::fromUtf16(level.inFileLabel), left + 8, top + 8, 248,
          18, kNavy, false);
    inFile = edit(QString::fromUtf16(level.inFileName), u"0"_s, fieldLeft, top + 6, 40);
    inFile->setEnabled(false);
    label(u"Label%1"_s.arg(labelNo + 1), u"Задайте для тесту"_s, left + 8, top + 32,
          kBlockWidth - 16, 18, {}, true)
        ->setAlignment(Qt::AlignCenter);
    label(u"Label%1"_s.arg(labelNo + 2), QString::fromUtf16(level.countLabel), left + 8, top + 56,
          248, 18, kNavy, true);
    count = edit(QString::fromUtf16(level.countName), u"0"_s, fieldLeft, top + 54, 40);
    label(u"Label%1"_s.arg(labelNo + 3), QString::fromUtf16(level.pointsLabel), left + 8, top + 82,
          248, 36, kRed, true);
    points = edit(QString::fromUtf16(level.pointsName), QString::fromUtf16(level.points), fieldLeft,
                  top + 90, 40);
}

ParametersWindowTsr::ParametersWindowTsr(AppContext& ctx, QWidget* parent)
    : ParamForm(ctx, parent, u"TForm16"_s, 12) {
    setDesignSize(632, 410);
    setWindowTitle(u"Задайте параметри тестування"_s);

    label(u"Label1"_s, u"Всього запитань у тестовому файлі:"_s, 12, 12, 260, 18, kNavy, true);
    Edit1 = edit(u"Edit1"_s, u"0"_s, 264, 10, 46);
    Edit1->setEnabled(false);

    // Levels in the order low, medium, sufficient, high.
    levelBlock(1, 8, 40,
               {u"З них запитань низького рівня:", u"Кількість запитань низького рівня :",
                u"Кількість балів за 1-е запитання низького рівня:", u"Edit2", u"Edit3", u"Edit4",
                u"1"},
               Edit2, Edit3, Edit4);
    levelBlock(2, 318, 40,
               {u"З них запитань середнього рівня:", u"Кількість запитань середнього рівня :",
                u"Кількість балів за 1-е запитання середнього рівня:", u"Edit5", u"Edit6", u"Edit7",
                u"2"},
               Edit5, Edit6, Edit7);
    levelBlock(3, 8, 174,
               {u"З них запитань достатнього рівня:", u"Кількість запитань достатнього рівня:",
                u"Кількість балів за 1-е запитання достатнього рівня:", u"Edit13", u"Edit14",
                u"Edit15", u"3"},
               Edit13, Edit14, Edit15);
    levelBlock(4, 318, 174,
               {u"З них запитань високого рівня:", u"Кількість запитань високого рівня :",
                u"Кількість балів за 1-е запитання високого рівня:", u"Edit8", u"Edit9", u"Edit10",
                u"4"},
               Edit8, Edit9, Edit10);

    label(u"Label18"_s, u"Система оцінювання (балів):"_s, 12, 314, 220, 18, kBlue, true);
    Edit11 = edit(u"Edit11"_s, u"12"_s, 232, 312, 46);

    label(u"Label19"_s, u"Журнал:"_s, 12, 344, 64, 18, {}, true);
    Edit12 = edit(u"Edit12"_s, QString(), 80, 342, 470);
    Edit12->setEnabled(false);
    Button1 = button(u"Button1"_s, u"..."_s, 556, 341, 30, 23);
    Button1->setToolTip(u"Вибрати файл журналу"_s);

    label(u"Label20"_s, u"Режим тестування:"_s, 12, 376, 150, 18, {}, true);
    Button2 = button(u"Button2"_s, u"+"_s, 164, 373, 30, 23);
    Button2->setToolTip(u"Режим тестування"_s);

    Button3 = button(u"Button3"_s, u"&OK"_s, 516, 370, 100, 30);
    Button3->setDefault(true);

    connect(Button1, &QPushButton::clicked, this, &ParametersWindowTsr::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ParametersWindowTsr::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &ParametersWindowTsr::Button3Click);
}

bool ParametersWindowTsr::FormShow() {
    AppState& st = ctx_.state;
    loaded_ = false;
    setWindowTitle(u"Задайте параметри тестування - "_s + st.TestFileName);
    try {
        const qint32 questions = static_cast<qint32>(st.TsrFile.count() - 1);
        Edit1->setText(QString::number(questions));
        const LevelCounts c = countLevels(st.TsrFile, st.TsrBuffer);
        const struct {
            QLineEdit* inFile;
            QLineEdit* count;
            qint32 n;
        } levels[] = {{Edit2, Edit3, c.low},
                      {Edit5, Edit6, c.medium},
                      {Edit13, Edit14, c.sufficient},
                      {Edit8, Edit9, c.high}};
        for (const auto& l : levels) {
            l.inFile->setText(QString::number(l.n));
            l.inFile->setEnabled(false);
            l.count->setEnabled(l.n > 0);
        }

        Ns2Record& r = st.Ns2Record;
        if (editor_.open(st.ns2Path(), st.TestFileName, questions, r, *st.storage)) {
            Edit3->setText(QString::number(r.TestLow));
            Edit4->setText(QString::number(r.PointsLow));
            Edit6->setText(QString::number(r.TestMedium));
            Edit7->setText(QString::number(r.PointsMedium));
            Edit9->setText(QString::number(r.TestHigh));
            Edit10->setText(QString::number(r.PointsHigh));
            Edit14->setText(QString::number(r.TestSufficient));
            Edit15->setText(QString::number(r.PointsSufficient));
            Edit11->setText(QString::number(r.GradeScale));
            Edit12->setText(r.JournalPath);
        } else if (pointsAllZero(fieldTexts())) {
            Edit4->setText(u"1"_s);
            Edit7->setText(u"2"_s);
            Edit15->setText(u"3"_s);
            Edit10->setText(u"4"_s);
        }
        // A level without questions in the file can only be asked 0 times,
        // and its field cannot be typed into.
        for (const auto& l : levels)
            if (l.n == 0)
                l.count->setText(u"0"_s);
    } catch (const FileError& e) {
        reportFailure(e.message());
        return false;
    }
    Edit12->setToolTip(Edit12->text());
    loaded_ = true;
    focusField(Edit3);
    return true;
}

void ParametersWindowTsr::Button1Click() {
    chooseJournal(Edit12);
    Edit12->setToolTip(Edit12->text());
}

void ParametersWindowTsr::Button2Click() {
    showTestingMode();
}

bool ParametersWindowTsr::Button3Click() {
    if (running_ || !loaded_)
        return false;
    running_ = true;
    const auto done = qScopeGuard([this] { running_ = false; });

    if (!saveFields(editor_, ctx_.state.Ns2Record, Edit12->text()))
        return false;
    loaded_ = false;
    accept();
    return true;
}

void ParametersWindowTsr::showEvent(QShowEvent* event) {
    ParamForm::showEvent(event);
    if (!event->spontaneous() && !FormShow())
        QMetaObject::invokeMethod(
            this, [this] { reject(); }, Qt::QueuedConnection);
}

void ParametersWindowTsr::reject() {
    if (running_)
        return;
    closeUnsaved(editor_);
    loaded_ = false;
    ParamForm::reject();
}

} // namespace zorvik

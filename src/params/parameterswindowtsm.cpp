#include "parameterswindowtsm.h"

#include <QEvent>
#include <QFocusEvent>
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
} // namespace

ParametersWindowTsm::ParametersWindowTsm(AppContext& ctx, QWidget* parent)
    : ParamForm(ctx, parent, u"TForm5"_s) {
    setDesignSize(420, 290);
    setWindowTitle(u"Задайте параметри тестування"_s);

    label(u"Label1"_s, u"Всього запитань у тестовому файлі"_s, 16, 18, 310, 18, kNavy, true);
    Edit1 = edit(u"Edit1"_s, u"0"_s, 336, 16, 64);
    Edit1->setEnabled(false);

    label(u"Label2"_s, u"Задайте:"_s, 16, 48, 200, 18, {}, true);
    label(u"Label3"_s, u"Кількість запитань тесту:"_s, 16, 76, 310, 18, kNavy, true);
    Edit2 = edit(u"Edit2"_s, u"2"_s, 336, 74, 64);
    label(u"Label4"_s, u"Система оцінювання (балів):"_s, 16, 106, 310, 18, kBlue, true);
    Edit3 = edit(u"Edit3"_s, u"12"_s, 336, 104, 64);
    label(u"Label5"_s, u"Кількість балів за одне запитання:"_s, 16, 136, 310, 18, kRed, true);
    Edit4 = edit(u"Edit4"_s, u"1"_s, 336, 134, 64);

    label(u"Label6"_s, u"Журнал:"_s, 16, 171, 64, 18, {}, true);
    Edit5 = edit(u"Edit5"_s, QString(), 84, 169, 280);
    Edit5->setEnabled(false);
    Button1 = button(u"Button1"_s, u"..."_s, 370, 168, 30, 23);
    Button1->setToolTip(u"Вибрати файл журналу"_s);

    label(u"Label7"_s, u"Режим тестування:"_s, 16, 205, 200, 18, {}, true);
    Button2 = button(u"Button2"_s, u"+"_s, 370, 202, 30, 23);
    Button2->setToolTip(u"Режим тестування"_s);

    BitBtn1 = button(u"BitBtn1"_s, u"OK"_s, 160, 244, 100, 30);
    BitBtn1->setDefault(true);
    BitBtn1->installEventFilter(this);

    connect(Button1, &QPushButton::clicked, this, &ParametersWindowTsm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ParametersWindowTsm::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &ParametersWindowTsm::BitBtn1Click);
}

bool ParametersWindowTsm::FormShow() {
    AppState& st = ctx_.state;
    saved_ = false;
    loaded_ = false;
    setWindowTitle(u"Задайте параметри тестування - "_s + st.TestFileName);
    try {
        const qint32 questions = static_cast<qint32>(st.TsmFile.count() - 1);
        Edit1->setText(QString::number(questions));
        Ns1Record& r = st.Ns1Record;
        if (editor_.open(st.ns1Path(), st.TestFileName, questions, r, *st.storage)) {
            Edit2->setText(QString::number(r.TestQuestions));
            Edit3->setText(QString::number(r.GradeScale));
            Edit4->setText(QString::number(r.QuestionPoints));
            Edit5->setText(r.JournalPath);
        }
    } catch (const FileError& e) {
        reportFailure(e.message());
        return false;
    }
    Edit5->setToolTip(Edit5->text());
    loaded_ = true;
    Edit2->setFocus(Qt::OtherFocusReason);
    return true;
}

void ParametersWindowTsm::Button1Click() {
    chooseJournal(Edit5);
    Edit5->setToolTip(Edit5->text());
}

void ParametersWindowTsm::Button2Click() {
    showTestingMode();
}

bool ParametersWindowTsm::BitBtn1Click() {
    if (saved_) {
        // Saved once already in this showing: nothing more to write.
        if (isVisible())
            accept();
        return true;
    }
    if (running_ || !loaded_)
        return false;
    running_ = true;
    const auto done = qScopeGuard([this] { running_ = false; });

    if (!saveFields(editor_, ctx_.state.Ns1Record, Edit5->text()))
        return false;
    saved_ = true;
    accept();
    return true;
}

void ParametersWindowTsm::showEvent(QShowEvent* event) {
    ParamForm::showEvent(event);
    if (!event->spontaneous() && !FormShow())
        QMetaObject::invokeMethod(
            this, [this] { reject(); }, Qt::QueuedConnection);
}

bool ParametersWindowTsm::eventFilter(QObject* watched, QEvent* event) {
    // Tabbing onto OK is the same as pressing it.
    if (watched == BitBtn1 && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            QMetaObject::invokeMethod(
                this, [this] { BitBtn1Click(); }, Qt::QueuedConnection);
    }
    return ParamForm::eventFilter(watched, event);
}

void ParametersWindowTsm::reject() {
    if (running_)
        return;
    if (loaded_ && !saved_)
        BitBtn1Click();
    if (!isVisible())
        return;
    if (!saved_)
        closeUnsaved(editor_);
    loaded_ = false;
    ParamForm::reject();
}

} // namespace zorvik

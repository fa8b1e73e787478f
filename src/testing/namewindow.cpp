#include "namewindow.h"
#include "testingwindow.h"

#include "core/bytes.h"
#include "core/fileerror.h"
#include "core/runengine.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
constexpr int kNameCapacity = 40;
constexpr int kGroupCapacity = 19;
const QString kOpenError = u"     ПОМИЛКА ВВОДУ/ВИВОДУ!\rПомилка при відкритті тестового файлу"_s;
} // namespace

NameWindow::NameWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm6"_s);
    setWindowTitle(u"Введіть дані про себе"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const Scale scale = ctx.scale();
    const QFont font = arialFont(scale.fontHeight(13));
    Label1 = new QLabel(u"Прізвище, ім'я, по-батькові:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Label2 = new QLabel(u"Група (клас)"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Button1 = new QPushButton(u"&OK"_s, this);
    Button1->setObjectName(u"Button1"_s);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Edit1, Label2, Edit2, Button1})
        w->setFont(font);
    scale.place(Label1, 16, 12, 288, 18);
    scale.place(Edit1, 16, 32, 288, 24);
    scale.place(Label2, 16, 64, 288, 18);
    scale.place(Edit2, 16, 84, 140, 24);
    scale.place(Button1, 112, 120, 96, 28);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &NameWindow::Button1Click);

    setFixedSize(scale.width(320), scale.height(160));
    const QSize screen = ctx.services.screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void NameWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void NameWindow::FormActivate() {
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

void NameWindow::Button1Click() {
    AppState& state = ctx_.state;
    RunState& run = state.Run;
    run.StudentName = cutToCapacity(Edit1->text(), kNameCapacity);
    run.QuestionCounter = 1;
    run.StudentGroup = cutToCapacity(Edit2->text(), kGroupCapacity);
    run.RunMaxPoints = 0;
    if (Edit1->text().trimmed().isEmpty()) {
        ctx_.services.error(this, u"Введіть дані про себе!"_s);
        Edit1->setFocus();
        return;
    }
    if (Edit2->text().trimmed().isEmpty()) {
        ctx_.services.error(this, u"Введіть номер групи (клас)!"_s);
        Edit2->setFocus();
        return;
    }
    // Parameters that cannot give a run are refused before anything is written.
    QString problem;
    try {
        problem = RunEngine::checkParameters(state);
    } catch (const FileError&) {
        ctx_.services.error(this, kOpenError);
        return;
    }
    if (!problem.isEmpty()) {
        ctx_.services.error(this, problem);
        reject();
        return;
    }
    const bool goBack = state.TestFileExt == u".tsr"_s ? state.Ns2Record.TestingMode.GoBack
                                                       : state.Ns1Record.TestingMode.GoBack;
    QDialog* window = goBack ? static_cast<QDialog*>(ctx_.windows.find<GoBackTestingWindow>())
                             : static_cast<QDialog*>(ctx_.windows.find<PlainTestingWindow>());
    if (!window) {
        ctx_.services.error(this, kOpenError);
        return;
    }
    try {
        RunEngine::writeLogHeader(state, ctx_.services.clock());
    } catch (const FileError&) {
        ctx_.services.error(this, kOpenError);
        return;
    }
    ctx_.services.showModal(window);
    accept();
}

} // namespace zorvik

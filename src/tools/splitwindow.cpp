#include "splitwindow.h"

#include "toolsupport.h"

#include "ui/fonts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
constexpr int kFontPixels = 13;
} // namespace

SplitWindow::SplitWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm14"_s);
    setWindowTitle(u"Розбити файл - "_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);

    Label2 = new QLabel(u"Файл буде розбито на два!"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(u"color: maroon;"_s);
    Label1 = new QLabel(u"Всього запитань у тестовому файлі"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setEnabled(false);
    readableWhenDisabled(Edit1);
    Edit1->setAlignment(Qt::AlignRight);
    Label3 = new QLabel(u"Задайте кількість запитань  у першому  тестовому файлі:"_s, this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setWordWrap(true);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Edit2->setAlignment(Qt::AlignRight);
    Label3->setBuddy(Edit2);
    BitBtn1 = new QPushButton(u"&ОК"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(u"&Відміна"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn2->setAutoDefault(false);
    for (QPushButton* b : {BitBtn1, BitBtn2})
        b->setCursor(Qt::PointingHandCursor);
    layOut();

    connect(BitBtn1, &QPushButton::clicked, this, &SplitWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void SplitWindow::layOut() {
    const Scale s = ctx_.scale();
    setFixedSize(s.width(400), s.height(168));
    s.place(Label2, 8, 10, 384, 22);
    s.place(Label1, 16, 46, 280, 20);
    s.place(Edit1, 304, 44, 76, 24);
    s.place(Label3, 16, 78, 280, 36);
    s.place(Edit2, 304, 84, 76, 24);
    s.place(BitBtn1, 100, 128, 92, 28);
    s.place(BitBtn2, 208, 128, 92, 28);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(arialFont(s.fontHeight(kFontPixels)));
    Label2->setFont(arialFont(s.fontHeight(15), true));
}

bool SplitWindow::openSource(const QString& source) {
    const TestKind kind = testKindOfPath(source);
    if (kind == TestKind::None)
        return false;
    source_ = source;
    kind_ = kind;
    try {
        countQuestions();
    } catch (const FileError& e) {
        source_.clear();
        kind_ = TestKind::None;
        ctx_.services.error(parentWidget(), failureText(e));
        return false;
    }
    // A new source starts with an empty answer.
    Edit2->clear();
    setWindowTitle(u"Розбити файл - "_s + source_);
    // Already open for another file: brought to the front again.
    if (isVisible())
        raise();
    show();
    activateWindow();
    Edit2->setFocus();
    return true;
}

void SplitWindow::countQuestions() {
    Edit1->setText(
        QString::number(questionsOf(testRecordCount(source_, kind_, *ctx_.state.storage))));
}

void SplitWindow::FormActivate() {
    if (source_.isEmpty())
        return;
    setWindowTitle(u"Розбити файл - "_s + source_);
    // The file may have changed while the window stood open; a file that can
    // no longer be read is reported by the split itself.
    try {
        countQuestions();
    } catch (const FileError&) {
    }
}

void SplitWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void SplitWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void SplitWindow::refuse(const QString& text) {
    ctx_.services.error(this, text);
    Edit2->clear();
    Edit2->setFocus();
}

void SplitWindow::BitBtn1Click() {
    const QString text = Edit2->text().trimmed();
    if (text.isEmpty()) {
        ctx_.services.error(this, u"Задайте кількість запитань у першому файлі!"_s);
        Edit2->setFocus();
        return;
    }
    bool ok = false;
    const int a = text.toInt(&ok);
    if (!ok) {
        refuse(u"Неправильний тип значення!"_s);
        return;
    }
    try {
        countQuestions();
    } catch (const FileError& e) {
        ctx_.services.error(this, u"Розбиття файлу не виконано!\r"_s + failureText(e));
        return;
    }
    const int n = Edit1->text().toInt();
    if (a > n) {
        refuse(u"Запитань у першому файлі більше, ніж у вихідному!"_s);
        return;
    }
    if (a == n || a == 0) {
        refuse(u"Недоцільне розбиття!"_s);
        return;
    }
    if (a < 0) {
        refuse(u"Неправильне введене значення!"_s);
        return;
    }
    const SplitNames names = nextSplitNames(source_);
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Будуть створені файли\r "_s + names.first + u" та "_s + u"\r"_s +
                                  u" "_s + names.second) != MsgAnswer::Yes)
        return;
    // A file of that name is another test: replaced only when the teacher says so.
    for (const QString& name : {names.first, names.second})
        if (ctx_.state.storage->status(name).exists &&
            ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo,
                                  u"Файл "_s + name +
                                      u" вже існує!\rЙого буде замінено. Замінити?"_s) !=
                MsgAnswer::Yes)
            return;
    try {
        splitTestFile(source_, a, names, *ctx_.state.storage);
    } catch (const ToolRefusal& e) {
        ctx_.services.error(this, u"Розбиття файлу не виконано!\r"_s + refusalText(e));
        return;
    } catch (const FileError& e) {
        ctx_.services.error(this, u"Розбиття файлу не виконано!\r"_s + failureText(e));
        return;
    }
    accept();
}

} // namespace zorvik

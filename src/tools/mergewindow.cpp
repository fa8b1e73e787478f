#include "mergewindow.h"

#include "toolsupport.h"

#include "ui/filechoice.h"
#include "ui/fonts.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
constexpr int kFontPixels = 13;
} // namespace

MergeWindow::MergeWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm13"_s);
    setWindowTitle(u"Об'єднання тестових файлів"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    auto edit = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setEnabled(false);
        readableWhenDisabled(e);
        return e;
    };
    auto button = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        return b;
    };
    Label1 = label(u"Label1"_s, u"Об'єднання двох тестових файлів"_s);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(u"color: navy;"_s);
    Label2 = label(u"Label2"_s, u"Виберіть перший файл:"_s);
    Edit1 = edit(u"Edit1"_s);
    Button1 = button(u"Button1"_s, u"..."_s);
    Label3 = label(u"Label3"_s, u"Виберіть другий файл:"_s);
    Edit2 = edit(u"Edit2"_s);
    Button2 = button(u"Button2"_s, u"..."_s);
    Label4 = label(u"Label4"_s, u"Збережіть результуючий файл:"_s);
    Edit3 = edit(u"Edit3"_s);
    Button3 = button(u"Button3"_s, u"..."_s);
    BitBtn1 = button(u"BitBtn1"_s, u"OK"_s);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn2 = button(u"BitBtn2"_s, u"&Відміна"_s);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    Label2->setBuddy(Button1);
    Label3->setBuddy(Button2);
    Label4->setBuddy(Button3);

    // Shown empty, with only the first file to choose.
    Button2->setEnabled(false);
    Button3->setEnabled(false);
    layOut();

    connect(Button1, &QPushButton::clicked, this, &MergeWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &MergeWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &MergeWindow::Button3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &MergeWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void MergeWindow::layOut() {
    const Scale s = ctx_.scale();
    setFixedSize(s.width(384), s.height(236));
    s.place(Label1, 8, 10, 368, 22);
    s.place(Label2, 16, 42, 320, 18);
    s.place(Edit1, 16, 60, 316, 24);
    s.place(Button1, 338, 60, 30, 24);
    s.place(Label3, 16, 92, 320, 18);
    s.place(Edit2, 16, 110, 316, 24);
    s.place(Button2, 338, 110, 30, 24);
    s.place(Label4, 16, 142, 320, 18);
    s.place(Edit3, 16, 160, 316, 24);
    s.place(Button3, 338, 160, 30, 24);
    s.place(BitBtn1, 92, 198, 92, 28);
    s.place(BitBtn2, 200, 198, 92, 28);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(arialFont(s.fontHeight(kFontPixels)));
    Label1->setFont(arialFont(s.fontHeight(15), true));
}

void MergeWindow::Button1Click() {
    Edit2->clear();
    Edit3->clear();
    second_.clear();
    result_.clear();
    FileDialogSpec request;
    request.title = u"Об'єднання: перший тестовий файл"_s;
    request.filter = allTestFilesFilter();
    request.defaultExt = u"tsm"_s;
    request.initialDir = ctx_.state.TestDir;
    const QString chosen = openExistingFile(ctx_.services, this, request);
    if (chosen.isEmpty())
        return;
    first_ = chosen;
    Edit1->setText(QFileInfo(first_).fileName());
    ctx_.state.TestFileExt = testFileExtOf(first_);
    Button2->setEnabled(true);
    Button3->setEnabled(true);
    switch (testKindOfExt(ctx_.state.TestFileExt)) {
    case TestKind::Tsm:
        kindFilter_ = oneLevelFilter();
        break;
    case TestKind::Tsr:
        kindFilter_ = fourLevelFilter();
        break;
    case TestKind::None:
        Button2->setEnabled(false);
        Button3->setEnabled(false);
        Edit2->clear();
        Edit3->clear();
        break;
    }
}

void MergeWindow::Button2Click() {
    FileDialogSpec request;
    request.title = u"Об'єднання: другий тестовий файл"_s;
    request.filter = kindFilter_;
    request.defaultExt = ctx_.state.TestFileExt.mid(1);
    request.initialDir = ctx_.state.TestDir;
    const QString chosen = openExistingFile(ctx_.services, this, request);
    if (chosen.isEmpty())
        return;
    // A file of the other kind would be read with the wrong record size.
    if (testKindOfPath(chosen) != testKindOfExt(ctx_.state.TestFileExt)) {
        ctx_.services.error(this, refusalText(ToolRefusal(ToolRefusal::Reason::OtherKind, chosen)));
        return;
    }
    second_ = chosen;
    Edit2->setText(QFileInfo(second_).fileName());
}

void MergeWindow::Button3Click() {
    FileDialogSpec request;
    request.title = u"Новий файл (об'єднаний)"_s;
    request.filter = kindFilter_;
    request.initialDir = ctx_.state.TestDir;
    const FileDialogResult chosen = ctx_.services.saveFile(this, request);
    if (!chosen.accepted())
        return;
    // The kind's extension is always appended: abc.tsm becomes abc.tsm.tsm.
    result_ = chosen.fileName + ctx_.state.TestFileExt;
    Edit3->setText(result_);
}

void MergeWindow::BitBtn1Click() {
    if (Edit1->text().trimmed().isEmpty()) {
        ctx_.services.error(this, u"Введіть перший тестовий файл!"_s);
        Button1->setFocus();
        return;
    }
    if (Edit2->text().trimmed().isEmpty()) {
        ctx_.services.error(this, u"Введіть другий тестовий файл!"_s);
        Button2->setFocus();
        return;
    }
    if (Edit3->text().trimmed().isEmpty()) {
        ctx_.services.error(this, u"Введіть результуючий тестовий файл!"_s);
        Button3->setFocus();
        return;
    }
    if (testKindOfExt(ctx_.state.TestFileExt) == TestKind::None) {
        accept();
        return;
    }
    try {
        // Refused before the replacement question: a result that is one of
        // the inputs must not even be offered for replacing.
        checkMerge(first_, second_, result_);
        if (QFileInfo::exists(result_) &&
            ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                                  u"Файл "_s + result_ + u" вже існує! Замінити?"_s) !=
                MsgAnswer::Yes) {
            accept();
            return;
        }
        mergeTestFiles(first_, second_, result_, *ctx_.state.storage);
    } catch (const ToolRefusal& e) {
        ctx_.services.error(this, refusalText(e));
        (e.reason() == ToolRefusal::Reason::OutputIsInput ? Button3 : Button2)->setFocus();
        return;
    } catch (const FileError& e) {
        // Nothing was written: the window stays for another try.
        ctx_.services.error(this, u"Об'єднання файлів не виконано!\r"_s + failureText(e));
        return;
    }
    ctx_.services.info(this, u"Об'єднання файлів виконано!"_s);
    accept();
}

} // namespace zorvik

#include "openjournaldialog.h"

#include "journalwindow.h"

#include "core/bytes.h"
#include "core/records.h"
#include "ui/fonts.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}
} // namespace

OpenJournalDialog::OpenJournalDialog(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm10"_s);
    setWindowTitle(u"Відкрити журнал"_s);
    const Scale s = ctx_.scale();
    setFixedSize(s.width(400), s.height(110));
    setFont(arialFont(s.fontHeight(12)));

    Label1 = new QLabel(u"Журнал"_s, this);
    Label1->setObjectName(u"Label1"_s);
    s.place(Label1, 12, 10, 120, 18);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setMaxLength(kShortStringCapacity);
    s.place(Edit1, 12, 30, 340, 24);

    Button1 = new QPushButton(u"..."_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setAutoDefault(false);
    s.place(Button1, 358, 30, 30, 24);

    Button2 = new QPushButton(u"&ТАК"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setDefault(true);
    s.place(Button2, 96, 70, 96, 28);

    BitBtn1 = new QPushButton(u"&ЗАКРИТИ"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setAutoDefault(false);
    s.place(BitBtn1, 208, 70, 96, 28);

    connect(Button1, &QPushButton::clicked, this, &OpenJournalDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &OpenJournalDialog::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &OpenJournalDialog::BitBtn1Click);
}

void OpenJournalDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void OpenJournalDialog::FormShow() {
    journalFile_ =
        isFile(ctx_.state.JournalPath) ? ctx_.state.JournalPath : ctx_.state.defaultJournalPath();
    Edit1->setText(journalFile_);
}

void OpenJournalDialog::Button1Click() {
    FileDialogSpec request;
    request.title = u"Журнал успішності"_s;
    request.filter = u"Журнал успішності (*.ocn)|*.ocn"_s;
    request.defaultExt = u"ocn"_s;
    request.initialDir = QFileInfo(journalFile_).absolutePath();
    const FileDialogResult chosen = ctx_.services.openFile(this, request);
    // Cancelling the dialog leaves everything as it was.
    if (!chosen.accepted())
        return;
    Edit1->setText(chosen.fileName);
    ctx_.state.JournalPath = cutToCapacity(Edit1->text(), kShortStringCapacity);
    if (isFile(ctx_.state.JournalPath)) {
        journalFile_ = ctx_.state.JournalPath;
        Edit1->setText(journalFile_);
        openJournal();
        return;
    }
    journalFile_ = ctx_.state.defaultJournalPath();
    refuse();
    Edit1->setText(journalFile_);
}

void OpenJournalDialog::Button2Click() {
    journalFile_ = cutToCapacity(Edit1->text(), kShortStringCapacity);
    if (isFile(journalFile_))
        openJournal();
    else
        refuse();
}

void OpenJournalDialog::BitBtn1Click() {
    reject();
}

void OpenJournalDialog::refuse() {
    ctx_.services.error(this, u"Файла  журналу не існує або помилка в назві файлу!"_s);
    Edit1->setFocus();
}

void OpenJournalDialog::openJournal() {
    accept();
    if (auto* journal = ctx_.windows.find<JournalWindow>())
        journal->showJournal(journalFile_);
}

} // namespace zorvik

// The journal windows driven by their controls, as a teacher would use them.
#include "journal/journalwindow.h"
#include "journal/openjournaldialog.h"

#include "core/atomicfile.h"
#include "core/journalfile.h"
#include "support/scriptedservices.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvik;
using zorvik::testing::ScriptedServices;

namespace {

JournalRecord entry(int no, double points = 7.5) {
    JournalRecord e;
    e.EntryNo = no;
    e.Date = u"08.12.26"_s;
    e.Time = u"10:00:00"_s;
    e.StudentName = u"Учень %1"_s.arg(no + 1);
    e.Group = u"9-А"_s;
    e.TestName = u"фізика.tsm"_s;
    e.GradeScale = 12;
    e.QuestionCount = 10;
    e.MaxPoints = 20;
    e.Points = points;
    e.Grade = 8;
    return e;
}

const QString kNoEntries = u"Записи у журналі відсутні!"_s;
const QString kDeleteEntry = u"Запис буде знищено!"_s;
const QString kNoFile = u"Файла  журналу не існує або помилка в назві файлу!"_s;

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<ScriptedServices> services_;
    std::unique_ptr<AppContext> ctx_;
    std::unique_ptr<JournalWindow> form8_;
    std::unique_ptr<OpenJournalDialog> form10_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString writeJournal(int count, const QString& name = u"j.ocn"_s) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += entry(i, 7.5 + i).encode();
        writeFileAtomically(path(name), bytes);
        return path(name);
    }
    QStringList column(int col) const {
        QStringList texts;
        for (int r = 0; r < form8_->model()->rowCount(); ++r)
            texts.append(form8_->model()->text(r, col));
        return texts;
    }
    QList<int> entryNos(const QString& file) const {
        QList<int> nos;
        for (const auto& e : readJournal(file))
            nos.append(e.EntryNo);
        return nos;
    }
    template <typename T> T* child(QWidget* w, const QString& name) const {
        return w->findChild<T*>(name);
    }
    void click(QWidget* w, const QString& name) {
        auto* b = child<QPushButton>(w, name);
        QVERIFY2(b, qPrintable(name));
        b->click();
    }
    // The journal window showing `count` entries.
    QString open(int count) {
        const QString file = writeJournal(count);
        form8_->showJournal(file);
        return file;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine)); }

    void init() {
        state_ = std::make_unique<AppState>();
        state_->ProgramDir = dir_.path();
        state_->ScaleX = 1.6;
        state_->ScaleY = 1.6;
        services_ = std::make_unique<ScriptedServices>();
        ctx_.reset(new AppContext{*state_, *services_, {}});
        form8_ = std::make_unique<JournalWindow>(*ctx_, nullptr);
        form10_ = std::make_unique<OpenJournalDialog>(*ctx_, nullptr);
        ctx_->windows.add(form8_.get());
        ctx_->windows.add(form10_.get());
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(path(f));
    }
    void cleanup() {
        QVERIFY(services_->allUsed());
        form10_.reset();
        form8_.reset();
    }

    void openDialogStartsFromJournalPath() {
        QCOMPARE(form10_->windowTitle(), u"Відкрити журнал"_s);
        QCOMPARE(child<QPushButton>(form10_.get(), u"Button2"_s)->text(), u"&ТАК"_s);
        QCOMPARE(child<QPushButton>(form10_.get(), u"BitBtn1"_s)->text(), u"&ЗАКРИТИ"_s);
        auto* edit = child<QLineEdit>(form10_.get(), u"Edit1"_s);
        state_->JournalPath = writeJournal(1, u"class.ocn"_s);
        form10_->FormShow();
        QCOMPARE(edit->text(), path(u"class.ocn"_s));
        state_->JournalPath = path(u"gone.ocn"_s);
        form10_->FormShow();
        QCOMPARE(edit->text(), path(u"jurnal.ocn"_s));
    }

    void yesOpensTheJournalWindow() {
        const QString file = writeJournal(3);
        form10_->FormShow();
        child<QLineEdit>(form10_.get(), u"Edit1"_s)->setText(path(u"none.ocn"_s));
        services_->answers.push_back(MsgAnswer::Ok);
        click(form10_.get(), u"Button2"_s);
        QCOMPARE(services_->messageTexts(), QStringList{kNoFile});
        QCOMPARE(services_->messages[0].icon, MsgIcon::Error);
        QVERIFY(!form8_->isVisible());

        child<QLineEdit>(form10_.get(), u"Edit1"_s)->setText(file);
        click(form10_.get(), u"Button2"_s);
        QCOMPARE(form10_->result(), int(QDialog::Accepted));
        QVERIFY(form8_->isVisible());
        QVERIFY(form8_->windowState() & Qt::WindowMaximized);
        QCOMPARE(form8_->journalFile(), file);
        QCOMPARE(form8_->model()->rowCount(), 3);
        QCOMPARE(form8_->windowTitle(), u"Журнал успішності - "_s + file);
    }

    void browsingForAJournal() {
        const QString file = writeJournal(2, u"chosen.ocn"_s);
        form10_->FormShow();
        services_->fileAnswers.push_back({});
        click(form10_.get(), u"Button1"_s); // cancelled: nothing happens
        QVERIFY(services_->messages.isEmpty());
        QCOMPARE(services_->fileDialogs.size(), 1);
        const FileDialogSpec& request = services_->fileDialogs[0];
        QCOMPARE(request.title, u"Журнал успішності"_s);
        QCOMPARE(request.filter, u"Журнал успішності (*.ocn)|*.ocn"_s);
        QCOMPARE(request.defaultExt, u"ocn"_s);
        QCOMPARE(request.initialDir, dir_.path());
        QCOMPARE(request.fileName, QString());

        services_->fileAnswers.push_back({path(u"typo.ocn"_s)});
        services_->answers.push_back(MsgAnswer::Ok);
        click(form10_.get(), u"Button1"_s);
        QCOMPARE(services_->messageTexts(), QStringList{kNoFile});
        QCOMPARE(child<QLineEdit>(form10_.get(), u"Edit1"_s)->text(), path(u"jurnal.ocn"_s));
        QVERIFY(!form8_->isVisible());

        services_->fileAnswers.push_back({file});
        click(form10_.get(), u"Button1"_s);
        QCOMPARE(state_->JournalPath, file);
        QVERIFY(form8_->isVisible());
        QCOMPARE(form8_->model()->rowCount(), 2);
    }

    void gridShowsTheEntries() {
        QByteArray bytes = entry(7, 12).encode(); // a stored EntryNo of 7
        JournalRecord second = entry(3, 3.25);
        second.Group = u"1234567890123456789"_s; // 19 characters, shown in full
        second.Interrupted = u"Пер."_s;
        bytes += second.encode();
        writeFileAtomically(path(u"j.ocn"_s), bytes);
        form8_->showJournal(path(u"j.ocn"_s));
        auto* grid = child<QTableView>(form8_.get(), u"StringGrid1"_s);
        QVERIFY(grid);
        QCOMPARE(grid->model()->columnCount(), 12);
        QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(),
                 u"      Прізвище, ім'я, по-батькові"_s);
        QCOMPARE(column(JournalModel::ColNo), QStringList({u"1"_s, u"2"_s}));
        QCOMPARE(column(JournalModel::ColPoints), QStringList({u"12"_s, u"3,25"_s}));
        QCOMPARE(column(JournalModel::ColGroup)[1], u"1234567890123456789"_s);
        QCOMPARE(column(JournalModel::ColInterrupted)[1], u"Пер."_s);
        const int widths[] = {21, 42, 40, 180, 55, 82, 30, 27, 37, 37, 22, 30};
        // The number and the group grow to their longest text; the rest as designed.
        for (int c = 0; c < 12; ++c)
            if (c == JournalModel::ColNo || c == JournalModel::ColGroup)
                QVERIFY(grid->columnWidth(c) >= qRound(widths[c] * 1.6));
            else
                QCOMPARE(grid->columnWidth(c), qRound(widths[c] * 1.6));
        QVERIFY(grid->columnWidth(JournalModel::ColGroup) >=
                grid->fontMetrics().horizontalAdvance(u"1234567890123456789"_s));
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    void missingJournalIsCreated() {
        services_->answers.push_back(MsgAnswer::Ok);
        form8_->showJournal(path(u"lost.ocn"_s));
        QCOMPARE(services_->messageTexts(),
                 QStringList{u"Був відсутній файл журналу! Створено!"_s});
        QCOMPARE(services_->messages[0].icon, MsgIcon::Error);
        QVERIFY(QFileInfo(path(u"lost.ocn"_s)).isFile());
        QCOMPARE(QFileInfo(path(u"lost.ocn"_s)).size(), 0);
        QCOMPARE(form8_->windowTitle(), u" Журнал успішності"_s);
        QCOMPARE(form8_->model()->rowCount(), 0);
        form8_->FormActivate(); // now it exists: no second message
    }

    void unusableJournalIsReportedOnce() {
        QDir(dir_.path()).mkpath(u"folder.ocn"_s); // a folder cannot be a journal
        services_->answers.push_back(MsgAnswer::Ok);
        form8_->showJournal(path(u"folder.ocn"_s));
        QCOMPARE(services_->messages.size(), 1);
        QCOMPARE(services_->messages[0].icon, MsgIcon::Error);
        QVERIFY(services_->messages[0].text.contains(u"folder.ocn"_s));
        // Coming back from the message does not ask again.
        form8_->FormActivate();
        QCOMPARE(form8_->model()->rowCount(), 0);
        QDir(dir_.path()).rmdir(u"folder.ocn"_s);
    }

    void activationShowsNewEntries() {
        const QString file = open(3);
        QSignalSpy resets(form8_->model(), &QAbstractItemModel::modelReset);
        form8_->FormActivate(); // unchanged: the grid keeps its place
        QCOMPARE(resets.size(), 0);
        // A run appends an entry meanwhile.
        writeFileAtomically(file, readWholeFile(file) + entry(3).encode());
        form8_->FormActivate();
        QCOMPARE(form8_->model()->rowCount(), 4);
        writeFileAtomically(file, readWholeFile(file) + entry(4).encode());
        click(form8_.get(), u"BitBtn5"_s);
        QCOMPARE(form8_->model()->rowCount(), 5);
        QCOMPARE(resets.size(), 0);
    }

    void clockLabels() {
        open(0);
        auto* timer = child<QTimer>(form8_.get(), u"Timer1"_s);
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(child<QLabel>(form8_.get(), u"Label3"_s)->text(), u"08.12.26"_s);
        QCOMPARE(child<QLabel>(form8_.get(), u"Label4"_s)->text(), u"09:00:00"_s);
        services_->fakeClock.advance(1000);
        form8_->Timer1Timer();
        QCOMPARE(child<QLabel>(form8_.get(), u"Label4"_s)->text(), u"09:00:01"_s);
    }

    void deletingTheOnlyEntry() {
        const QString file = open(1);
        services_->answers.push_back(MsgAnswer::Yes);
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(services_->messageTexts(), QStringList{kDeleteEntry});
        QCOMPARE(services_->messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(QFileInfo(file).size(), 0);
        QCOMPARE(form8_->model()->rowCount(), 0);
    }

    void deletingEntryTwoOfFive() {
        const QString file = open(5);
        form8_->selectRow(1);
        services_->answers.push_back(MsgAnswer::Yes);
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(entryNos(file), QList<int>({0, 2, 3, 4}));
        QCOMPARE(column(JournalModel::ColNo), QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
        QCOMPARE(column(JournalModel::ColName)[1], u"Учень 3"_s);
        QCOMPARE(form8_->selectedRow(), 1);
    }

    void deletingAnsweredNo() {
        const QString file = open(2);
        services_->answers.push_back(MsgAnswer::No);
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(entryNos(file), QList<int>({0, 1}));
        QCOMPARE(form8_->model()->rowCount(), 2);
    }

    void deletingWithNoEntries() {
        const QString file = open(0);
        services_->answers.push_back(MsgAnswer::Ok);
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(services_->messageTexts(), QStringList{kNoEntries});
        QCOMPARE(services_->messages[0].icon, MsgIcon::Confirmation);
        QCOMPARE(services_->messages[0].buttons, MsgButtons::Yes);
        QCOMPARE(QFileInfo(file).size(), 0);
    }

    // Five-digit row numbers and a 19-character group are shown whole.
    void longestTextsFitTheirColumns() {
        QByteArray bytes;
        for (int i = 0; i < 10000; ++i) {
            JournalRecord e = entry(i);
            if (i == 9999)
                e.Group = u"11-Б фізико-матем."_s + u'!';
            bytes += e.encode();
        }
        const QString file = dir_.filePath(u"big.ocn"_s);
        writeFileAtomically(file, bytes);
        form8_->showJournal(file);
        auto* grid = form8_->findChild<QTableView*>(u"StringGrid1"_s);
        const QFontMetrics fm(grid->font());
        for (int c : {0, 4}) {
            const QString text = form8_->model()->index(9999, c).data().toString();
            QVERIFY2(grid->columnWidth(c) >= fm.horizontalAdvance(text), qPrintable(text));
        }
    }

    void deletingWhatTheFileNoLongerHolds() {
        const QString file = open(3);
        form8_->selectRow(2);
        writeFileAtomically(file, entry(0).encode()); // shortened behind the window's back
        services_->answers = {MsgAnswer::Yes, MsgAnswer::Ok};
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(entryNos(file), QList<int>({0}));
        QCOMPARE(form8_->model()->rowCount(), 1); // the grid shows the file again
        QCOMPARE(services_->messageTexts().last(), u"Журнал змінився. Перевірте вибраний запис."_s);
        // Nothing chosen: pressing again deletes no one.
        services_->answers = {MsgAnswer::Ok};
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(entryNos(file), QList<int>({0}));
        // Chosen again, it is deleted.
        form8_->selectRow(0);
        services_->answers = {MsgAnswer::Yes};
        click(form8_.get(), u"Button1"_s);
        QCOMPARE(entryNos(file), QList<int>());
    }

    void deleteKeyAsksTwice_data() {
        QTest::addColumn<MsgAnswer>("second");
        QTest::addColumn<int>("left");
        QTest::newRow("yes twice") << MsgAnswer::Yes << 2;
        QTest::newRow("yes, then no") << MsgAnswer::No << 3;
    }
    void deleteKeyAsksTwice() {
        QFETCH(MsgAnswer, second);
        const QString file = open(3);
        services_->answers = {MsgAnswer::Yes, second};
        QTest::keyRelease(child<QTableView>(form8_.get(), u"StringGrid1"_s), Qt::Key_Delete);
        QCOMPARE(services_->messageTexts(), QStringList({kDeleteEntry, kDeleteEntry}));
        QTEST(int(readJournal(file).size()), "left");
    }

    void clearing_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("yes") << MsgAnswer::Yes << 0;
        QTest::newRow("no") << MsgAnswer::No << 4;
    }
    void clearing() {
        QFETCH(MsgAnswer, answer);
        QFETCH(int, left);
        const QString file = open(4);
        services_->answers.push_back(answer);
        click(form8_.get(), u"Button2"_s);
        QCOMPARE(services_->messageTexts(), QStringList{u"Всі записи будуть знищені!"_s});
        QCOMPARE(QFileInfo(file).size(), left * JournalRecord::Size);
        QCOMPARE(form8_->model()->rowCount(), left);
    }

    void clearingAnEmptyJournal() {
        open(0);
        services_->answers.push_back(MsgAnswer::Ok);
        click(form8_.get(), u"Button2"_s);
        QCOMPARE(services_->messageTexts(), QStringList{kNoEntries});
    }

    void exitHides() {
        open(2);
        state_->JournalPath = path(u"j.ocn"_s);
        click(form8_.get(), u"BitBtn1"_s);
        QVERIFY(!form8_->isVisible());
        QVERIFY(state_->JournalPath.isEmpty());
        QVERIFY(!child<QTimer>(form8_.get(), u"Timer1"_s)->isActive());
    }

    void printingTheWindow() {
        open(2);
        auto* grid = child<QTableView>(form8_.get(), u"StringGrid1"_s);
        auto* exit = child<QPushButton>(form8_.get(), u"BitBtn1"_s);
        const int height = grid->height();
        const QPoint exitCentre = exit->geometry().center();
        click(form8_.get(), u"BitBtn2"_s);
        QCOMPARE(services_->printedImages.size(), 1);
        const QImage image = services_->printedImages[0];
        QCOMPARE(image.size(), form8_->size());
        // The buttons were hidden: the (white) grid reaches over their place.
        QCOMPARE(QColor(image.pixel(exitCentre)), QColor(Qt::white));
        QVERIFY(exit->isVisible());
        QCOMPARE(grid->height(), height);
        QVERIFY(!form8_->autoFillBackground());
    }

    void printingTheJournal() {
        open(3);
        click(form8_.get(), u"BitBtn3"_s);
        QCOMPARE(services_->printJobs.size(), 1);
        const PrintJob& job = services_->printJobs[0];
        QCOMPARE(job.title, u"Журнал успішності - "_s + path(u"j.ocn"_s));
        QCOMPARE(job.layout.orientation(), QPageLayout::Landscape);
        QVERIFY(zorvik::testing::renderToPdf(job, path(u"j.pdf"_s)));
    }

    void excelExport() {
        open(3);
        const QString out = path(u"export.xlsx"_s);
        services_->fileAnswers.push_back({out});
        click(form8_.get(), u"BitBtn4"_s);
        const FileDialogSpec& request = services_->fileDialogs.at(0);
        QCOMPARE(request.fileName, u"j.xlsx"_s);
        QCOMPARE(request.initialDir, dir_.path());
        QCOMPARE(request.defaultExt, u"xlsx"_s);
        QVERIFY(request.overwritePrompt);
        QVERIFY(readWholeFile(out).startsWith("PK"));
        QCOMPARE(services_->opened, QStringList{out});

        services_->fileAnswers.push_back({}); // cancelled
        click(form8_.get(), u"BitBtn4"_s);
        QCOMPARE(services_->opened.size(), 1);
    }

    void excelExportFailures() {
        open(0);
        click(form8_.get(), u"BitBtn4"_s); // no entries: no dialog at all
        QVERIFY(services_->fileDialogs.isEmpty());

        writeJournal(1);
        form8_->FormActivate();
        services_->fileAnswers.push_back({path(u"no/dir/x.xlsx"_s)});
        services_->answers.push_back(MsgAnswer::Ok);
        click(form8_.get(), u"BitBtn4"_s);
        QCOMPARE(services_->messages.size(), 1);
        QVERIFY(services_->messages[0].text.contains(u"no/dir/x.xlsx"_s));
        QVERIFY(services_->opened.isEmpty());
    }
};

QTEST_MAIN(JournalWindowTest)
#include "tst_journalwindow.moc"

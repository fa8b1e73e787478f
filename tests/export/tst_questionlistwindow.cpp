// The question list QuestionListWindow beside a real editor: its rows, the hint, the
// jump to a question, the reload, and the document and workbook it writes.
#include "exportfixture.h"

#include "core/recordfile.h"
#include "editor/editorwindow.h"
#include "export/questionlistwindow.h"
#include "support/rtfreader.h"
#include "support/scriptedservices.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class TForm23Test : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    AppState state_;
    ScriptedServices services_;
    AppContext ctx_{state_, services_, {}};
    std::unique_ptr<EditorWindow> editor_;
    QPointer<QuestionListWindow> list_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // The editor on `file` at question `at`, and the list opened from it.
    void openList(const QString& file, TestKind kind, int at) {
        QVERIFY(editor_->startEditing(path(file), kind));
        editor_->Edit2->setText(QString::number(at));
        editor_->Edit2GoTo();
        list_ = openQuestionList(ctx_, editor_.get());
    }
    QString cell(int row, int col) const {
        const QTableWidgetItem* item = list_->StringGrid1->item(row, col);
        return item ? item->text() : QString();
    }
    QString editorQuestion() const { return editor_->Memo1->toPlainText(); }
    bool listGone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return list_.isNull();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        writeFileAtomically(path(u"long.txt"_s), toCp1251(u"Довге запитання\r\n"_s));
    }

    void init() {
        services_ = {};
        state_ = AppState();
        state_.ProgramDir = dir_.path();
        Question q1 = makeQuestion(TestKind::Tsr, u"   Перше"_s, {u"a1"_s, u"a2"_s}, {1});
        q1.LevelHigh = true;
        Question q2 = makeQuestion(TestKind::Tsr, u"Друге"_s,
                                   {u"b1"_s, u"b2"_s, u"b3"_s, u"b4"_s, u"b5"_s}, {2});
        q2.LevelSufficient = true;
        Question q3 = makeQuestion(TestKind::Tsr, path(u"long.txt"_s), {u"c1"_s}, {1});
        q3.QuestionInTextFile = true;
        writeTest(path(u"four.tsr"_s), TestKind::Tsr, {q1, q2, q3});
        Question p = makeQuestion(TestKind::Tsm, u"Одне"_s, {u"x"_s}, {1});
        writeTest(path(u"one.tsm"_s), TestKind::Tsm, {p, p, p});
        for (const QString& name : QDir(dir_.path()).entryList({u"*_список.*"_s}))
            QDir(dir_.path()).remove(name);

        editor_ = std::make_unique<EditorWindow>(ctx_, nullptr);
        ctx_.windows = WindowRegistry();
        ctx_.windows.add(editor_.get());
    }
    void cleanup() {
        delete list_.data();
        editor_.reset();
        QVERIFY2(services_.allUsed(), "an answer was left unused");
    }

    void rowsOfAFourLevelFile() {
        openList(u"four.tsr"_s, TestKind::Tsr, 2);
        QCOMPARE(list_->windowTitle(), u"Список запитань       "_s + path(u"four.tsr"_s));
        QTableWidget* grid = list_->StringGrid1;
        QCOMPARE(grid->rowCount(), 4); // three questions and the empty row
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), u"      №"_s);
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), u"        Рівень"_s);
        QCOMPARE(grid->horizontalHeaderItem(2)->text(), u"                      Запитання"_s);
        QCOMPARE(QStringList({cell(0, 0), cell(0, 1), cell(0, 2)}),
                 QStringList({u"1"_s, u"високий"_s, u"Перше"_s}));
        QCOMPARE(cell(1, 1), u"достатній"_s);
        QCOMPARE(cell(2, 1), QString()); // no level flag
        QCOMPARE(cell(2, 2), path(u"long.txt"_s));
        QCOMPARE(QStringList({cell(3, 0), cell(3, 1), cell(3, 2)}), QStringList(3));
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        // The editor's question is marked, and its answers are the hint.
        QCOMPARE(list_->selectedQuestion(), 2);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(list_->hintText(), u"1) b1\r2) b2\r3) b3\r4) b4\r5) b5"_s);
        QVERIFY(grid->toolTip().contains(u"5) b5"_s));
        QVERIFY(list_->isVisible());
        QVERIFY(!list_->isModal());
    }

    void rowsOfAOneLevelFile() {
        state_.ScaleX = 1.6;
        state_.ScaleY = 1.6;
        openList(u"one.tsm"_s, TestKind::Tsm, 1);
        QCOMPARE(list_->windowTitle(), u"Список запитань     "_s + path(u"one.tsm"_s));
        QCOMPARE(list_->StringGrid1->rowCount(), 4);
        QCOMPARE(cell(0, 1), u"       -"_s);
        // Design widths 41, 60 and 515 times ScaleX, halves to even.
        QCOMPARE(list_->StringGrid1->columnWidth(0), 66);
        QCOMPARE(list_->StringGrid1->columnWidth(1), 96);
        QCOMPARE(list_->StringGrid1->columnWidth(2), 824);
    }

    void selectingARowShowsItsAnswers() {
        openList(u"four.tsr"_s, TestKind::Tsr, 1);
        list_->StringGrid1->setCurrentCell(2, 2);
        QCOMPARE(list_->selectedQuestion(), 3);
        QCOMPARE(list_->hintText(), u"1) c1\r2) \r3) \r4) \r5) "_s);
        list_->StringGrid1->setCurrentCell(1, 0);
        QCOMPARE(list_->hintText(), u"1) b1\r2) b2\r3) b3\r4) b4\r5) b5"_s);
    }

    void openJumpsTheEditor_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("button") << false;
        QTest::newRow("double click") << true;
    }
    void openJumpsTheEditor() {
        QFETCH(bool, doubleClick);
        openList(u"four.tsr"_s, TestKind::Tsr, 1);
        QCOMPARE(editorQuestion(), u"   Перше"_s);
        list_->StringGrid1->setCurrentCell(1, 2);
        if (doubleClick)
            emit list_->StringGrid1->cellDoubleClicked(1, 2);
        else
            list_->BitBtn1->click();
        QCOMPARE(editor_->Edit2->text(), u"2"_s);
        QCOMPARE(editorQuestion(), u"Друге"_s);
        QVERIFY(listGone());
    }

    void openWithoutSelectingKeepsTheEditorsQuestion() {
        openList(u"four.tsr"_s, TestKind::Tsr, 3);
        list_->BitBtn1->click();
        QCOMPARE(editor_->Edit2->text(), u"3"_s);
        QCOMPARE(editorQuestion(), u"Довге запитання"_s);
        QVERIFY(listGone());
    }

    // "Ви&хід": the editor shows its question as the file now holds it.
    void exitReloadsTheEditor() {
        openList(u"four.tsr"_s, TestKind::Tsr, 2);
        RecordFile file;
        file.openExisting(path(u"four.tsr"_s), TsrRecord::Size);
        Question changed = makeQuestion(TestKind::Tsr, u"Друге, змінене"_s, {u"b1"_s});
        file.seek(2);
        file.writeRecord(changed);
        file.close();
        list_->BitBtn3->click();
        QCOMPARE(editorQuestion(), u"Друге, змінене"_s);
        QVERIFY(listGone());
    }

    void closeBoxDestroysTheList() {
        openList(u"four.tsr"_s, TestKind::Tsr, 2);
        list_->close();
        QVERIFY(listGone());
        QCOMPARE(editorQuestion(), u"Друге"_s);
    }

    // Each activation reads the editor's file again and marks its question.
    void reloadsOnEachActivation() {
        openList(u"four.tsr"_s, TestKind::Tsr, 1);
        RecordFile file;
        file.openExisting(path(u"four.tsr"_s), TsrRecord::Size);
        file.seek(file.count());
        file.writeRecord(makeQuestion(TestKind::Tsr, u"Четверте"_s, {u"d1"_s}));
        file.close();
        editor_->Edit2->setText(u"3"_s);
        editor_->Edit2GoTo();
        state_.TestFileName = path(u"one.tsm"_s); // the editor's file counts
        state_.TestFileExt = u".tsm"_s;
        list_->FormActivate();
        QCOMPARE(list_->StringGrid1->rowCount(), 5);
        QCOMPARE(cell(3, 2), u"Четверте"_s);
        QCOMPARE(list_->selectedQuestion(), 3);
        QCOMPARE(list_->StringGrid1->currentRow(), 2);
    }

    void wordDocument() {
        openList(u"four.tsr"_s, TestKind::Tsr, 1);
        const QString doc = path(u"four_список.doc"_s);
        services_.fileAnswers.push_back({doc, 1});
        list_->BitBtn2->click();
        // Where to save is asked, that name proposed, a file there confirmed.
        QCOMPARE(services_.fileDialogs.size(), 1);
        QCOMPARE(services_.fileDialogs[0].fileName, u"four_список.doc"_s);
        QCOMPARE(services_.fileDialogs[0].initialDir, dir_.path());
        QVERIFY(services_.fileDialogs[0].overwritePrompt);
        QCOMPARE(services_.opened, QStringList{doc});
        const RtfText text = readRtf(readWholeFile(doc));
        QCOMPARE(text.paragraphs.mid(0, 5),
                 QStringList({u"Тести"_s, path(u"four.tsr"_s), u"1. (рівень: високий) Перше"_s,
                              u"2. (рівень: достатній) Друге"_s,
                              u"3. (рівень: достатній) "_s + path(u"long.txt"_s)}));
        QCOMPARE(text.paragraphs.last(), QString(100, u'-'));
        QCOMPARE(text.footer, QStringList{u"[PAGE]"_s});
        QVERIFY(list_->isVisible());
    }

    void excelWorkbook() {
        QVERIFY2(WorkbookText::canRead(), "unzip is needed: it is not installed");
        openList(u"one.tsm"_s, TestKind::Tsm, 1);
        // Another name chosen: written there, an earlier list left alone.
        writeFileAtomically(path(u"one_список.xlsx"_s), "an earlier list");
        const QString xlsx = path(u"мій список.xlsx"_s);
        services_.fileAnswers.push_back({xlsx, 1});
        list_->BitBtn4->click();
        QCOMPARE(services_.fileDialogs.at(0).fileName, u"one_список.xlsx"_s);
        QCOMPARE(readWholeFile(path(u"one_список.xlsx"_s)), QByteArray("an earlier list"));
        QCOMPARE(services_.opened, QStringList{xlsx});
        const WorkbookText book = WorkbookText::read(xlsx);
        QCOMPARE(book.sheets, QStringList{u"Jurnal"_s});
        QCOMPARE(book.cells.size(), size_t(15)); // A1:C5
        QCOMPARE(book.cells.at(u"C1"_s), u"                      Запитання"_s);
        QCOMPARE(book.cells.at(u"A4"_s), u"3"_s);
        QVERIFY(book.numbers.contains(u"A4"_s));
        QVERIFY(!book.numbers.contains(u"A1"_s));
        QCOMPARE(book.cells.at(u"C4"_s), u"Одне"_s);
        QCOMPARE(book.cells.at(u"C5"_s), QString());
    }

    void excelOfAnEmptyListDoesNothing() {
        writeTest(path(u"none.tsm"_s), TestKind::Tsm, {});
        state_.TestFileName = path(u"none.tsm"_s);
        state_.TestFileExt = u".tsm"_s;
        list_ =
            new QuestionListWindow(ctx_, nullptr); // no file in the editor: the current test file
        list_->FormActivate();
        QCOMPARE(list_->StringGrid1->rowCount(), 1);
        list_->BitBtn4->click();
        QVERIFY(services_.opened.isEmpty());
        QVERIFY(!QFile::exists(path(u"none_список.xlsx"_s)));
    }

    void cancelledSaveWritesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("word") << u"BitBtn2"_s;
        QTest::newRow("excel") << u"BitBtn4"_s;
    }
    void cancelledSaveWritesNothing() {
        QFETCH(QString, button);
        openList(u"one.tsm"_s, TestKind::Tsm, 1);
        services_.fileAnswers.push_back({});
        list_->findChild<QPushButton*>(button)->click();
        QVERIFY(services_.opened.isEmpty());
        QCOMPARE(QDir(dir_.path()).entryList({u"*_список.*"_s}), QStringList());
    }

    void failuresAreTold_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        QTest::newRow("word") << u"BitBtn2"_s << u"one_список.doc"_s;
        QTest::newRow("excel") << u"BitBtn4"_s << u"one_список.xlsx"_s;
    }
    void failuresAreTold() {
        QFETCH(QString, button);
        QFETCH(QString, target);
        openList(u"one.tsm"_s, TestKind::Tsm, 1);

        // Written, but nothing could open it: where it is.
        services_.openWithSystemResult = false;
        services_.answers = {MsgAnswer::Ok};
        services_.fileAnswers.push_back({path(target), 1});
        list_->findChild<QPushButton*>(button)->click();
        QCOMPARE(services_.messageTexts(),
                 QStringList{u"Список записано у файл\r"_s + path(target) +
                             u"\rале відкрити його не вдалося!"_s});
        QVERIFY(QFile::exists(path(target)));

        // Not written: the reason, in one message.
        QFile::remove(path(target));
        QDir(dir_.path()).mkpath(target);
        services_.messages.clear();
        services_.opened.clear();
        services_.answers = {MsgAnswer::Ok};
        services_.fileAnswers.push_back({path(target), 1});
        list_->findChild<QPushButton*>(button)->click();
        QCOMPARE(services_.messages.size(), 1);
        QCOMPARE(services_.messages[0].icon, MsgIcon::Error);
        QVERIFY2(services_.messageTexts()[0].contains(path(target)),
                 qPrintable(services_.messageTexts()[0]));
        QVERIFY(services_.opened.isEmpty());
        QDir(path(target)).removeRecursively();
    }
};

QTEST_MAIN(TForm23Test)
#include "tst_questionlistwindow.moc"

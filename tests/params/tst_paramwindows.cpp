#include "paramfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtEndian>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {

QLineEdit* field(QWidget* w, const QString& name) {
    auto* e = w->findChild<QLineEdit*>(name);
    if (!e)
        qFatal("no field %s", qPrintable(name));
    return e;
}
void type(QWidget* w, const QString& name, const QString& text) {
    field(w, name)->setText(text);
}
QString text(QWidget* w, const QString& name) {
    return field(w, name)->text();
}
void click(QWidget* w, const QString& name) {
    QTest::mouseClick(w->findChild<QPushButton*>(name), Qt::LeftButton);
}
qint32 i32At(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

class ParamWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ParamFixture> fx;

    // ParametersWindowTsm shown for a file of `questions` questions, a journal chosen.
    QWidget* showForm5(int questions, const QString& journal = u"j.ocn"_s) {
        fx->openTsm(u"алгебра.tsm"_s, questions);
        fx->form5->show();
        if (!journal.isEmpty()) {
            fx->chooseJournal(fx->journal(journal));
            click(fx->form5.get(), u"Button1"_s);
        }
        return fx->form5.get();
    }

    QWidget* showForm16(Levels levels, const QString& journal = u"j.ocn"_s) {
        fx->openTsr(u"фізика.tsr"_s, levels);
        fx->form16->show();
        if (!journal.isEmpty()) {
            fx->chooseJournal(fx->journal(journal));
            click(fx->form16.get(), u"Button1"_s);
        }
        return fx->form16.get();
    }

private slots:
    void init() { fx = std::make_unique<ParamFixture>(); }
    void cleanup() {
        QVERIFY(fx->services.allUsed());
        fx.reset();
    }

    void form5ShowsTheFileAndItsStoredRecord() {
        QWidget* w = showForm5(7, QString());
        QCOMPARE(w->windowTitle(),
                 u"Задайте параметри тестування - "_s + fx->path(u"алгебра.tsm"_s));
        QCOMPARE(text(w, u"Edit1"_s), u"7"_s);
        QVERIFY(!field(w, u"Edit1"_s)->isEnabled());
        QVERIFY(!field(w, u"Edit5"_s)->isEnabled());
        // No record yet: the initial texts stay.
        QCOMPARE(text(w, u"Edit2"_s), u"2"_s);
        QCOMPARE(text(w, u"Edit3"_s), u"12"_s);
        QCOMPARE(text(w, u"Edit4"_s), u"1"_s);
        QCOMPARE(fx->ns1Bytes().size(), 0); // created empty at showing

        Ns1Record stored;
        stored.TestName = u"алгебра.tsm"_s;
        stored.QuestionsInFile = 7;
        stored.TestQuestions = 5;
        stored.GradeScale = 10;
        stored.QuestionPoints = 3;
        stored.JournalPath = u"/school/7-А.ocn"_s;
        writeFileAtomically(fx->state.ns1Path(), stored.encode());
        w->hide();
        w->show();
        QCOMPARE(text(w, u"Edit2"_s), u"5"_s);
        QCOMPARE(text(w, u"Edit3"_s), u"10"_s);
        QCOMPARE(text(w, u"Edit4"_s), u"3"_s);
        QCOMPARE(text(w, u"Edit5"_s), u"/school/7-А.ocn"_s);
    }

    void form5QuestionCount_data() {
        QTest::addColumn<QString>("questions");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << u"1"_s << QString();
        QTest::newRow("all ten") << u"10"_s << QString();
        QTest::newRow("eleven") << u"11"_s
                                << u"Кількість тестових запитань більша, ніж наявна у файлі!"_s;
        QTest::newRow("none") << u"0"_s
                              << u"Неправильне значення для кількості тестових запитань!"_s;
    }
    void form5QuestionCount() {
        QFETCH(QString, questions);
        QFETCH(QString, message);
        QWidget* w = showForm5(10);
        type(w, u"Edit2"_s, questions);
        type(w, u"Edit3"_s, u"12"_s);
        type(w, u"Edit4"_s, u"2"_s);
        if (!message.isEmpty())
            fx->expectMessages(1);
        click(w, u"BitBtn1"_s);

        if (!message.isEmpty()) {
            QCOMPARE(fx->services.messageTexts(), QStringList{message});
            QCOMPARE(fx->services.messages[0].icon, MsgIcon::Error);
            QCOMPARE(fx->services.messages[0].buttons, MsgButtons::Ok);
            QVERIFY(w->isVisible());
            QCOMPARE(text(w, u"Edit2"_s), QString());
            QCOMPARE(w->focusWidget(), field(w, u"Edit2"_s));
            QCOMPARE(fx->ns1Bytes().size(), 0);
            return;
        }
        QVERIFY(fx->services.messages.isEmpty());
        QVERIFY(!w->isVisible());
        Ns1Record expected = fx->state.Ns1Record; // keeps the zero-filled mode flags
        expected.TestName = u"алгебра.tsm"_s;
        expected.QuestionsInFile = 10;
        expected.TestQuestions = questions.toInt();
        expected.GradeScale = 12;
        expected.QuestionPoints = 2;
        expected.JournalPath = fx->journal(u"j.ocn"_s);
        expected.TestingMode.Mode = 1;
        expected.TestingMode.QuestionTime = -1;
        const QByteArray bytes = fx->ns1Bytes();
        QCOMPARE(bytes, expected.encode());
        QCOMPARE(bytes.size(), 540);
        QCOMPARE(i32At(bytes, 0x100), 10);
        QCOMPARE(i32At(bytes, 0x104), questions.toInt());
        QCOMPARE(i32At(bytes, 0x108), 12);
        QCOMPARE(i32At(bytes, 0x10C), 2);
        QCOMPARE(bytes.mid(0x210, 3), QByteArray::fromHex("ffff01")); // no time, mode 1
        QCOMPARE(fx->state.JournalPath, fx->journal(u"j.ocn"_s));
    }

    void gradeScaleMustBePositive_data() {
        QTest::addColumn<bool>("fourLevel");
        QTest::addColumn<QString>("scale");
        QTest::newRow("one-level 0") << false << u"0"_s;
        QTest::newRow("one-level -12") << false << u"-12"_s;
        QTest::newRow("four-level 0") << true << u"0"_s;
        QTest::newRow("four-level -1") << true << u"-1"_s;
    }
    void gradeScaleMustBePositive() {
        QFETCH(bool, fourLevel);
        QFETCH(QString, scale);
        fx->expectMessages(1);
        if (fourLevel) {
            QWidget* w = showForm16({3, 0, 0, 0});
            type(w, u"Edit3"_s, u"2"_s);
            type(w, u"Edit11"_s, scale);
            click(w, u"Button3"_s);
            QCOMPARE(fx->services.messageTexts(),
                     QStringList{u"Неправильне значення для системи оцінювання (балів)!"_s});
            QCOMPARE(text(w, u"Edit11"_s), QString());
            QCOMPARE(w->focusWidget(), field(w, u"Edit11"_s));
            QCOMPARE(fx->ns2Bytes().size(), 0);
        } else {
            QWidget* w = showForm5(5);
            type(w, u"Edit3"_s, scale);
            click(w, u"BitBtn1"_s);
            QCOMPARE(fx->services.messageTexts(),
                     QStringList{u"Неправильне значення для системи оцінювання!"_s});
            QCOMPARE(text(w, u"Edit3"_s), QString());
            QCOMPARE(w->focusWidget(), field(w, u"Edit3"_s));
            QCOMPARE(fx->ns1Bytes().size(), 0);
        }
    }

    void form5PointsJournalAndWrongType() {
        QWidget* w = showForm5(5, QString());
        type(w, u"Edit4"_s, u"0"_s);
        fx->expectMessages(3);
        click(w, u"BitBtn1"_s);
        QCOMPARE(text(w, u"Edit4"_s), QString());

        type(w, u"Edit4"_s, u"1"_s);
        click(w, u"BitBtn1"_s); // no journal chosen
        QCOMPARE(w->focusWidget(), w->findChild<QWidget*>(u"Button1"_s));

        type(w, u"Edit3"_s, u"12 балів"_s);
        click(w, u"BitBtn1"_s);
        QCOMPARE(fx->services.messageTexts(),
                 (QStringList{u"Неправильне значення для кількості балів\rза одне запитання!"_s,
                              u"Вкажіть місцезнаходження файлу журналу!"_s,
                              u"Неправильний тип значення!"_s}));
        for (const QString& f : {u"Edit2"_s, u"Edit3"_s, u"Edit4"_s})
            QCOMPARE(text(w, f), QString());
        QCOMPARE(w->focusWidget(), field(w, u"Edit2"_s));
        QVERIFY(w->isVisible());
        QCOMPARE(fx->ns1Bytes().size(), 0);
    }

    void journalChooser() {
        QWidget* w = showForm5(5, QString());
        fx->services.fileAnswers.push_back({}); // cancelled: nothing changes
        click(w, u"Button1"_s);
        QCOMPARE(text(w, u"Edit5"_s), QString());
        const FileDialogSpec request = fx->services.fileDialogs.at(0);
        QCOMPARE(request.title, u"Задайте шлях до журналу"_s);
        QCOMPARE(request.filter, u"Журнал оцінок (*.ocn)|*.ocn"_s);
        QCOMPARE(request.defaultExt, u"ocn"_s);
        QCOMPARE(request.initialDir, fx->testDir());
        QCOMPARE(request.fileName, QString());

        // A path the record cannot hold as it is would name another file.
        fx->chooseJournal(u"/"_s + QString(255, u'ж'));
        fx->expectMessages(1);
        click(w, u"Button1"_s);
        QCOMPARE(fx->services.messages.size(), 1);
        QCOMPARE(text(w, u"Edit5"_s), QString());
        QCOMPARE(fx->state.JournalPath, QString());

        // Not a journal: its end would be overwritten by the next entry.
        const QString notes = fx->journal(u"notes.txt"_s);
        writeFileAtomically(notes, "a teacher's notes");
        fx->chooseJournal(notes);
        fx->expectMessages(1);
        click(w, u"Button1"_s);
        QCOMPARE(fx->services.messages.size(), 2);
        QVERIFY(fx->services.messages.back().text.contains(u"не є журналом оцінок"_s));
        QCOMPARE(text(w, u"Edit5"_s), QString());

        fx->chooseJournal(fx->journal(u"новий.ocn"_s));
        click(w, u"Button1"_s);
        QCOMPARE(text(w, u"Edit5"_s), fx->journal(u"новий.ocn"_s));
        QCOMPARE(fx->state.JournalPath, fx->journal(u"новий.ocn"_s));
        QVERIFY(!QFileInfo::exists(fx->journal(u"новий.ocn"_s))); // only at OK
    }

    void newJournalCreatedEvenWhenRefused_data() {
        QTest::addColumn<bool>("fourLevel");
        QTest::newRow("one-level") << false;
        QTest::newRow("four-level") << true;
    }
    void newJournalCreatedEvenWhenRefused() {
        QFETCH(bool, fourLevel);
        fx->expectMessages(1);
        if (fourLevel) {
            QWidget* w = showForm16({2, 0, 0, 0}, u"новий.ocn"_s);
            type(w, u"Edit3"_s, u"0"_s); // nothing asked: refused after the journal
            click(w, u"Button3"_s);
            QCOMPARE(fx->ns2Bytes().size(), 0);
        } else {
            QWidget* w = showForm5(3, u"новий.ocn"_s);
            type(w, u"Edit2"_s, u"4"_s);
            click(w, u"BitBtn1"_s);
            QCOMPARE(fx->ns1Bytes().size(), 0);
        }
        QCOMPARE(fx->services.messages.size(), 1);
        QVERIFY(QFileInfo(fx->journal(u"новий.ocn"_s)).isFile());
        QCOMPARE(QFileInfo(fx->journal(u"новий.ocn"_s)).size(), 0);
    }

    void existingJournalKeepsItsEntries() {
        const QByteArray entries(2 * JournalRecord::Size, '\1');
        writeFileAtomically(fx->journal(u"j.ocn"_s), entries);
        QWidget* w = showForm5(3);
        type(w, u"Edit2"_s, u"3"_s);
        click(w, u"BitBtn1"_s);
        QVERIFY(!w->isVisible());
        QCOMPARE(ParamFixture::fileBytes(fx->journal(u"j.ocn"_s)), entries);
    }

    void form5SavesOnClosingOnce() {
        QWidget* w = showForm5(6);
        type(w, u"Edit2"_s, u"4"_s);
        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QVERIFY(fx->services.messages.isEmpty());
        const QByteArray bytes = fx->ns1Bytes();
        QCOMPARE(bytes.size(), 540);
        QCOMPARE(i32At(bytes, 0x104), 4);
        // A further OK in the same showing writes nothing.
        QVERIFY(fx->form5->BitBtn1Click());
        QCOMPARE(fx->ns1Bytes(), bytes);
    }

    void form5ClosingWithInvalidValuesSavesNothing() {
        QWidget* w = showForm5(6);
        type(w, u"Edit2"_s, u"7"_s);
        fx->expectMessages(1);
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(fx->services.messageTexts(),
                 QStringList{u"Кількість тестових запитань більша, ніж наявна у файлі!"_s});
        QCOMPARE(fx->ns1Bytes().size(), 0);
        // Escape is a close as well.
        w->show();
        type(w, u"Edit2"_s, u"6"_s);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(i32At(fx->ns1Bytes(), 0x104), 6);
    }

    void form5TabbingOntoOkSaves() {
        QWidget* w = showForm5(6);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        field(w, u"Edit4"_s)->setFocus();
        type(w, u"Edit2"_s, u"3"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // "..."
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // "+"
        QVERIFY(w->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // OK
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(fx->services.messages.isEmpty());
        QCOMPARE(i32At(fx->ns1Bytes(), 0x104), 3);
    }

    void form5IoFailureIsSaid() {
        QWidget* w = showForm5(5, QString());
        fx->chooseJournal(fx->journal(u"немає/j.ocn"_s));
        click(w, u"Button1"_s);
        type(w, u"Edit2"_s, u"3"_s);
        fx->expectMessages(1);
        click(w, u"BitBtn1"_s);
        // Which journal, and the system's reason.
        QCOMPARE(fx->services.messageTexts(),
                 QStringList{u"Журнал "_s + fx->journal(u"немає/j.ocn"_s) + u" недоступний: "_s +
                             systemReason(ENOENT)});
        QVERIFY(w->isVisible());
        QCOMPARE(text(w, u"Edit2"_s), u"3"_s); // the teacher's values stay
        QCOMPARE(fx->ns1Bytes().size(), 0);
    }

    void form5LoadFailureIsReportedAndCloses() {
        fx->state.ProgramDir = fx->dir.filePath(u"немає/prog"_s);
        fx->expectMessages(1);
        showForm5(5, QString());
        QCOMPARE(fx->services.messages.size(), 1);
        QVERIFY(fx->services.messages[0].text.contains(u"test.ns1"_s));
        QTRY_VERIFY(!fx->form5->isVisible());
    }

    // Records for A and B exist: a new record for C starts with B's mode.
    void newRecordInheritsTheLastRecordsMode() {
        Ns1Record a;
        a.TestName = u"a.tsm"_s;
        a.QuestionsInFile = 3;
        a.TestQuestions = 3;
        a.GradeScale = 5;
        a.QuestionPoints = 1;
        a.JournalPath = u"/j.ocn"_s;
        a.TestingMode = {45, 3, false, false, 0, false, false};
        Ns1Record b = a;
        b.TestName = u"b.tsm"_s;
        b.TestingMode = {-1, 2, true, true, 20, true, true};
        writeFileAtomically(fx->state.ns1Path(), a.encode() + b.encode());

        fx->openTsm(u"c.tsm"_s, 4);
        fx->form5->show();
        fx->chooseJournal(fx->journal(u"c.ocn"_s));
        click(fx->form5.get(), u"Button1"_s);
        type(fx->form5.get(), u"Edit2"_s, u"4"_s);
        click(fx->form5.get(), u"BitBtn1"_s);

        const QByteArray bytes = fx->ns1Bytes();
        QCOMPARE(bytes.size(), 3 * 540);
        QCOMPARE(bytes.first(1080), a.encode() + b.encode());
        const Ns1Record c = Ns1Record::decode(bytes.sliced(1080));
        QCOMPARE(c.TestName, u"c.tsm"_s);
        QCOMPARE(c.TestingMode, (TestingMode{-1, 1, true, true, 20, true, true}));
    }

    void plusEditsTheModeOfTheRecordSaved() {
        QWidget* w = showForm5(5);
        fx->services.modalHandlers.push_back([](QDialog* d) {
            d->show();
            d->findChild<QWidget*>(u"RadioButton4"_s)->setProperty("checked", true);
            d->findChild<QComboBox*>(u"ComboBox1"_s)->setEditText(u"90"_s);
            // The zero-filled record of a first use shows a whole-test time of
            // "0", refused once.
            QTest::mouseClick(d->findChild<QPushButton*>(u"Button1"_s), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QPushButton*>(u"Button1"_s), Qt::LeftButton);
            return d->result();
        });
        fx->expectMessages(1);
        click(w, u"Button2"_s);
        QCOMPARE(fx->services.modalShown, QStringList{u"TForm11"_s});
        QCOMPARE(fx->ns1Bytes().size(), 0); // only the OK of ParametersWindowTsm writes
        type(w, u"Edit2"_s, u"2"_s);
        click(w, u"BitBtn1"_s);
        const QByteArray bytes = fx->ns1Bytes();
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 0x210), 90);
        QCOMPARE(quint8(bytes[0x212]), 4);
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 0x216), -1);
    }

    // ---- four-level

    void form16CountsLevels() {
        Ns2Record stored; // a record from when the file still had high questions
        stored.TestName = u"фізика.tsr"_s;
        stored.TestLow = 2;
        stored.TestMedium = 1;
        stored.TestHigh = 2;
        stored.PointsLow = 1;
        stored.PointsMedium = 2;
        stored.PointsHigh = 5;
        stored.PointsSufficient = 3;
        stored.GradeScale = 12;
        stored.JournalPath = fx->journal(u"j.ocn"_s);
        stored.TestingMode = {-1, 1, false, false, -1, false, false};
        writeFileAtomically(fx->state.ns2Path(), stored.encode());

        QWidget* w = showForm16({3, 1, 2, 0}, QString());
        QCOMPARE(w->windowTitle(),
                 u"Задайте параметри тестування - "_s + fx->path(u"фізика.tsr"_s));
        QCOMPARE(text(w, u"Edit1"_s), u"6"_s);
        QCOMPARE(text(w, u"Edit2"_s), u"3"_s);
        QCOMPARE(text(w, u"Edit5"_s), u"1"_s);
        QCOMPARE(text(w, u"Edit13"_s), u"2"_s);
        QCOMPARE(text(w, u"Edit8"_s), u"0"_s);
        for (const QString& f :
             {u"Edit1"_s, u"Edit2"_s, u"Edit5"_s, u"Edit13"_s, u"Edit8"_s, u"Edit12"_s, u"Edit9"_s})
            QVERIFY2(!field(w, f)->isEnabled(), qPrintable(f));
        for (const QString& f : {u"Edit3"_s, u"Edit6"_s, u"Edit14"_s})
            QVERIFY2(field(w, f)->isEnabled(), qPrintable(f));
        QCOMPARE(text(w, u"Edit3"_s), u"2"_s);
        QCOMPARE(text(w, u"Edit6"_s), u"1"_s);
        QCOMPARE(text(w, u"Edit10"_s), u"5"_s);
        QCOMPARE(text(w, u"Edit12"_s), fx->journal(u"j.ocn"_s));
        // No high questions now: the disabled field can only ask for none.
        QCOMPARE(text(w, u"Edit9"_s), u"0"_s);

        click(w, u"Button3"_s);
        QVERIFY(!w->isVisible());
        const QByteArray bytes = fx->ns2Bytes();
        QCOMPARE(bytes.size(), 580);
        // Stored low, medium, high, sufficient.
        QCOMPARE(i32At(bytes, 0x100), 6);
        QCOMPARE(i32At(bytes, 0x104), 3);
        QCOMPARE(i32At(bytes, 0x108), 1);
        QCOMPARE(i32At(bytes, 0x10C), 0);
        QCOMPARE(i32At(bytes, 0x110), 2);
        QCOMPARE(i32At(bytes, 0x114), 2);
        QCOMPARE(i32At(bytes, 0x118), 1);
        QCOMPARE(i32At(bytes, 0x11C), 0);
        QCOMPARE(i32At(bytes, 0x120), 0);
        QCOMPARE(i32At(bytes, 0x124), 1);
        QCOMPARE(i32At(bytes, 0x128), 2);
        QCOMPARE(i32At(bytes, 0x12C), 5);
        QCOMPARE(i32At(bytes, 0x130), 3);
        QCOMPARE(i32At(bytes, 0x134), 12);
        Ns2Record expected = stored;
        expected.QuestionsInFile = 6;
        expected.InFileLow = 3;
        expected.InFileMedium = 1;
        expected.InFileSufficient = 2;
        expected.TestHigh = 0;
        QCOMPARE(bytes, expected.encode());
    }

    void pointsRule_data() {
        QTest::addColumn<QStringList>("points"); // low, medium, sufficient, high
        QTest::addColumn<QString>("cleared");
        QTest::newRow("0,0,0,0") << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s} << QString();
        QTest::newRow("2,1,3,4") << QStringList{u"2"_s, u"1"_s, u"3"_s, u"4"_s} << u"Edit4"_s;
        QTest::newRow("1,3,2,4") << QStringList{u"1"_s, u"3"_s, u"2"_s, u"4"_s} << u"Edit7"_s;
        QTest::newRow("1,2,4,3") << QStringList{u"1"_s, u"2"_s, u"4"_s, u"3"_s} << u"Edit15"_s;
    }
    void pointsRule() {
        QFETCH(QStringList, points);
        QFETCH(QString, cleared);
        QWidget* w = showForm16({2, 2, 2, 2});
        type(w, u"Edit3"_s, u"1"_s);
        type(w, u"Edit9"_s, u"2"_s);
        const QStringList fields{u"Edit4"_s, u"Edit7"_s, u"Edit15"_s, u"Edit10"_s};
        for (int i = 0; i < 4; ++i)
            type(w, fields[i], points[i]);
        if (!cleared.isEmpty())
            fx->expectMessages(1);
        click(w, u"Button3"_s);
        if (cleared.isEmpty()) {
            QVERIFY(!w->isVisible());
            const QByteArray bytes = fx->ns2Bytes();
            QCOMPARE(bytes.size(), 580);
            QCOMPARE(bytes.mid(0x124, 16), QByteArray(16, '\0'));
            return;
        }
        QCOMPARE(
            fx->services.messageTexts(),
            QStringList{u"Неправильно задано кількість балів за запитання для різних рівнів!"_s});
        QCOMPARE(text(w, cleared), QString());
        QCOMPARE(w->focusWidget(), field(w, cleared));
        for (const QString& f : fields)
            if (f != cleared)
                QVERIFY(!text(w, f).isEmpty());
        QCOMPARE(fx->ns2Bytes().size(), 0);
    }

    void form16ClosingSavesNothing() {
        QWidget* w = showForm16({1, 1, 0, 0});
        type(w, u"Edit3"_s, u"1"_s);
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(fx->ns2Bytes().size(), 0);
        QVERIFY(fx->services.messages.isEmpty());
        // The next showing opens the file afresh and saves normally.
        w->show();
        click(w, u"Button3"_s);
        QCOMPARE(fx->ns2Bytes().size(), 580);
    }

    // A level without questions: its field is disabled and stays "0"; a
    // message about it sends the focus to a field that can take it.
    void form16DisabledFieldIsNeverATrap() {
        QWidget* w = showForm16({0, 3, 0, 0});
        QVERIFY(!field(w, u"Edit3"_s)->isEnabled());
        type(w, u"Edit6"_s, u"0"_s);
        fx->expectMessages(2);
        click(w, u"Button3"_s);
        QCOMPARE(fx->services.messageTexts().last(),
                 u"Не вказано для тесту кількості запитань\rхоча б одного рівня!"_s);
        QCOMPARE(text(w, u"Edit3"_s), u"0"_s);
        QWidget* focused = w->focusWidget();
        QVERIFY(focused && focused->isEnabled());

        type(w, u"Edit7"_s, u"два"_s);
        click(w, u"Button3"_s);
        QCOMPARE(fx->services.messageTexts().last(), u"Неправильний тип значення!"_s);
        QCOMPARE(text(w, u"Edit3"_s), u"0"_s);
        for (const QString& f :
             {u"Edit4"_s, u"Edit6"_s, u"Edit7"_s, u"Edit10"_s, u"Edit11"_s, u"Edit15"_s})
            QCOMPARE(text(w, f), QString());

        const QStringList values{u"1"_s, u"2"_s, u"2"_s, u"3"_s, u"4"_s, u"12"_s};
        const QStringList names{u"Edit6"_s,  u"Edit4"_s,  u"Edit7"_s,
                                u"Edit15"_s, u"Edit10"_s, u"Edit11"_s};
        for (int i = 0; i < names.size(); ++i)
            type(w, names[i], values[i]);
        click(w, u"Button3"_s);
        QVERIFY(!w->isVisible());
        QCOMPARE(i32At(fx->ns2Bytes(), 0x118), 1);
    }

    void form16NewRecordPoints() {
        // A saved record with 0,0,0,0 leaves those texts behind ...
        QWidget* w = showForm16({2, 0, 0, 0});
        type(w, u"Edit3"_s, u"2"_s);
        for (const QString& f : {u"Edit4"_s, u"Edit7"_s, u"Edit15"_s, u"Edit10"_s})
            type(w, f, u"0"_s);
        click(w, u"Button3"_s);
        QVERIFY(!w->isVisible());
        // ... and a file without a record then starts from 1, 2, 3, 4.
        fx->openTsr(u"хімія.tsr"_s, {1, 0, 0, 0});
        w->show();
        QCOMPARE(text(w, u"Edit4"_s), u"1"_s);
        QCOMPARE(text(w, u"Edit7"_s), u"2"_s);
        QCOMPARE(text(w, u"Edit15"_s), u"3"_s);
        QCOMPARE(text(w, u"Edit10"_s), u"4"_s);
        QCOMPARE(text(w, u"Edit12"_s), fx->journal(u"j.ocn"_s)); // kept from before
        QCOMPARE(fx->state.Ns2Record.GradeScale, 12);
        QCOMPARE(fx->state.Ns2Record.TestingMode.Mode, quint8(1));
    }

    void form16IoFailure() {
        QWidget* w = showForm16({2, 2, 0, 0}, u"немає/j.ocn"_s);
        type(w, u"Edit14"_s, u"0"_s);
        fx->expectMessages(1);
        click(w, u"Button3"_s);
        // Which journal, and the system's reason.
        QCOMPARE(fx->services.messageTexts(),
                 QStringList{u"Журнал "_s + fx->journal(u"немає/j.ocn"_s) + u" недоступний: "_s +
                             systemReason(ENOENT)});
        // The numbers stay for the teacher to keep.
        QCOMPARE(text(w, u"Edit15"_s), u"3"_s);
        QVERIFY(w->isVisible());
        QCOMPARE(fx->ns2Bytes().size(), 0);
    }
};

QTEST_MAIN(ParamWindowsTest)
#include "tst_paramwindows.moc"

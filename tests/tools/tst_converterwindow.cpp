// The converter window, opened from the main window's menu.
#include "toolfixture.h"

#include "tools/converterwindow.h"

#include "ui/statusbar.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
const QString kToFour = u"Конвертувати файл одного рівня в чотирьохрівневий файл"_s;
const QString kToOne = u"Конвертувати чотирьохрівневий файл в файл одного рівня"_s;
} // namespace

class ConverterWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ToolShell> shell_;
    ConverterWindow* form_ = nullptr;

    // Opens the converter from the menu; `drive` works it.
    void runConverter(const std::function<void()>& drive) {
        shell_->services.modalHandlers.push_back([drive](QDialog* d) {
            drive();
            return d->result();
        });
        form_->setResult(0);
        shell_->trigger(u"MenuConverter"_s);
    }
    // Converts `name`, one-level to four-level unless `toOne`.
    void convert(const QString& name, bool toOne = false) {
        runConverter([&] {
            if (toOne)
                form_->RadioButton1->click();
            shell_->chooseFile(shell_->path(name));
            form_->Button1->click();
        });
    }
    QString doneToFour(const QString& source, const QString& target) const {
        return u"Виконано конвертування файлу "_s + shell_->path(source) + u"\r"_s + u"у файл "_s +
               shell_->path(target) + u" !"_s + u"\r"_s +
               u"УВАГА! Всі запитання в файлі - НИЗЬКОГО рівня!"_s + u"\r"_s +
               u"ВІДКОРЕГУЙТЕ РІВЕНЬ ЗАПИТАНЬ У ФАЙЛІ!"_s;
    }

private slots:
    void init() {
        shell_ = std::make_unique<ToolShell>();
        form_ = new ConverterWindow(shell_->ctx, &shell_->main);
        shell_->ctx.windows.add(form_);
    }
    void cleanup() {
        QVERIFY(shell_->services.allUsed());
        shell_.reset();
    }

    void directionFollowsTheRadioButtons() {
        QCOMPARE(form_->windowTitle(), u"Конвертор"_s);
        QCOMPARE(form_->Label1->text(), u"Файли одного рівня"_s);
        QCOMPARE(form_->Label2->text(), u"Файли чотирьох рівнів"_s);
        QCOMPARE(form_->Label3->text(), u".tsm"_s);
        QCOMPARE(form_->Label4->text(), u".tsr"_s);
        QCOMPARE(form_->Button1->text(), u"&Конвертувати"_s);
        QCOMPARE(form_->BitBtn1->text(), u"&Вийти"_s);
        form_->RadioButton1->click(); // left so from an earlier showing
        runConverter([&] {
            QVERIFY(form_->RadioButton2->isChecked());
            QCOMPARE(form_->Label5->text(), u"====>"_s);
            QCOMPARE(form_->StatusBar1->panelText(0), kToFour);
            form_->RadioButton1->click();
            QCOMPARE(form_->Label5->text(), u"<===="_s);
            QCOMPARE(form_->StatusBar1->panelText(0), kToOne);
            form_->RadioButton2->click();
            QCOMPARE(form_->Label5->text(), u"====>"_s);
            QCOMPARE(form_->StatusBar1->panelText(0), kToFour);
            form_->BitBtn1->click();
        });
        QCOMPARE(shell_->services.modalShown, QStringList{u"TForm17"_s});
        QCOMPARE(form_->result(), int(QDialog::Rejected));
    }

    void oneLevelToFourLevel() {
        shell_->makeTest(u"math.tsm"_s, 5);
        shell_->services.answers = {MsgAnswer::Ok};
        convert(u"math.tsm"_s);

        const FileDialogSpec& request = shell_->services.fileDialogs.at(0);
        QCOMPARE(request.filter, u"Тестові файли одного рівня (*.tsm)|*.tsm"_s);
        QCOMPARE(request.defaultExt, u"tsm"_s);
        QVERIFY(request.fileName.isEmpty());
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{doneToFour(u"math.tsm"_s, u"math.tsr"_s)});
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Information);
        QCOMPARE(form_->result(), int(QDialog::Accepted));

        QCOMPARE(shell_->recordsOf(u"math.tsr"_s), 6);
        const QByteArray tsr = shell_->bytesOf(u"math.tsr"_s);
        for (int i = 0; i < 6; ++i) {
            const TsrRecord r = TsrRecord::decode(tsr.mid(i * TsrRecord::Size));
            QVERIFY(r.LevelLow && !r.LevelMedium && !r.LevelHigh && !r.LevelSufficient);
        }
        QCOMPARE(shell_->questionOf(u"math.tsr"_s, 5), u"Q 5"_s);
        QCOMPARE(shell_->state.TestFileName, shell_->path(u"math.tsm"_s));
        QCOMPARE(shell_->state.TestFileExt, u".tsm"_s);
        QCOMPARE(shell_->state.TestDir, shell_->dir.path());
    }

    void fourLevelToOneLevelAndBack() {
        shell_->makeTest(u"math.tsr"_s, 4); // question 3 is of level high
        shell_->services.answers = {MsgAnswer::Ok};
        convert(u"math.tsr"_s, true);
        const FileDialogSpec& request = shell_->services.fileDialogs.at(0);
        QCOMPARE(request.filter, u"Тестові файли чотирьох рівнів (*.tsr)|*.tsr"_s);
        QCOMPARE(request.defaultExt, u"tsr"_s);
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Виконано конвертування файлу "_s + shell_->path(u"math.tsr"_s) +
                             u"\r"_s + u"у файл "_s + shell_->path(u"math.tsm"_s) + u" !"_s});
        QCOMPARE(shell_->recordsOf(u"math.tsm"_s), 5);

        QFile::remove(shell_->path(u"math.tsr"_s));
        shell_->services.answers = {MsgAnswer::Ok};
        convert(u"math.tsm"_s);
        const QByteArray q3 = shell_->bytesOf(u"math.tsr"_s).mid(3 * TsrRecord::Size);
        QVERIFY(TsrRecord::decode(q3).LevelLow);
        QVERIFY(!TsrRecord::decode(q3).LevelHigh);
        QCOMPARE(TsrRecord::decode(q3).Question, u"Q 3"_s);
    }

    void wrongExtensionIsExplained_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("toOne");
        QTest::addColumn<QString>("wanted");
        QTest::newRow("MATH.TSM") << u"MATH.TSM"_s << false << u".tsm"_s;
        QTest::newRow("four-level file for one-level") << u"math.tsr"_s << false << u".tsm"_s;
        QTest::newRow("MATH.TSR") << u"MATH.TSR"_s << true << u".tsr"_s;
    }
    void wrongExtensionIsExplained() {
        QFETCH(QString, name);
        QFETCH(bool, toOne);
        QFETCH(QString, wanted);
        shell_->makeTest(name, 2);
        const QStringList files = shell_->listing();
        shell_->services.answers = {MsgAnswer::Ok};
        convert(name, toOne);
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Файл "_s + shell_->path(name) +
                             u" не конвертовано!\rКонвертувати можна лише файл з розширенням \""_s +
                             wanted + u"\" (малими літерами)."_s});
        QCOMPARE(shell_->listing(), files);
        QCOMPARE(form_->result(), 0); // still open
    }

    void missingSourceIsAnError() {
        shell_->services.answers = {MsgAnswer::Ok};
        convert(u"gone.tsm"_s);
        QCOMPARE(shell_->services.messageTexts(), QStringList{u"Помилка в назві файлу!"_s});
    }

    void existingTargetIsReplacedOnlyAfterYes_data() {
        QTest::addColumn<MsgAnswer>("reply");
        QTest::newRow("No") << MsgAnswer::No;
        QTest::newRow("Cancel") << MsgAnswer::Cancel;
        QTest::newRow("Yes") << MsgAnswer::Yes;
    }
    void existingTargetIsReplacedOnlyAfterYes() {
        QFETCH(MsgAnswer, reply);
        shell_->makeTest(u"math.tsm"_s, 5);
        shell_->makeTest(u"math.tsr"_s, 9, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"math.tsr"_s);
        shell_->services.answers = {reply};
        if (reply == MsgAnswer::Yes)
            shell_->services.answers.push_back(MsgAnswer::Ok);
        convert(u"math.tsm"_s);
        QCOMPARE(shell_->services.messageTexts().first(), u"Файл "_s + shell_->path(u"math.tsr"_s) +
                                                              u" вже існує!"_s + u"\r"_s +
                                                              u" Замінити?"_s);
        QCOMPARE(shell_->services.messages[0].buttons, MsgButtons::YesNoCancel);
        if (reply == MsgAnswer::Yes) {
            QCOMPARE(shell_->recordsOf(u"math.tsr"_s), 6);
            QCOMPARE(form_->result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(shell_->bytesOf(u"math.tsr"_s), old);
            QCOMPARE(shell_->services.messages.size(), 1);
            QCOMPARE(form_->result(), 0); // the window stays open
        }
    }

    void failureHalfWayLeavesTheOldTarget_data() {
        QTest::addColumn<bool>("oldTarget");
        QTest::newRow("new target") << false;
        QTest::newRow("old target") << true;
    }
    void failureHalfWayLeavesTheOldTarget() {
        QFETCH(bool, oldTarget);
        shell_->makeTest(u"math.tsm"_s, 5);
        if (oldTarget)
            shell_->makeTest(u"math.tsr"_s, 9, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"math.tsr"_s);
        const QStringList files = shell_->listing();
        const QString target = shell_->path(u"math.tsr"_s);
        ScopedWriteFault fault(*shell_, target);
        if (oldTarget)
            shell_->services.answers.push_back(MsgAnswer::Yes);
        shell_->services.answers.push_back(MsgAnswer::Ok);
        convert(u"math.tsm"_s);
        QCOMPARE(shell_->services.messageTexts().last(),
                 u"Конвертування файлу не виконано!\rНе вдалося записати файл "_s + target +
                     u":\rNo space left on device"_s);
        QCOMPARE(shell_->services.messages.last().icon, MsgIcon::Error);
        QCOMPARE(shell_->listing(), files);
        QCOMPARE(shell_->bytesOf(u"math.tsr"_s), old);
        QCOMPARE(form_->result(), 0);
    }
};

QTEST_MAIN(ConverterWindowTest)
#include "tst_converterwindow.moc"

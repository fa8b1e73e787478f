#include "paramfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
const TestingMode kUnset{-1, 1, false, false, -1, false, false};
}

class TestingModeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ParamFixture> fx;
    QWidget* w = nullptr;

    template <typename T> T* get(const QString& name) {
        auto* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QComboBox* box(int n) { return get<QComboBox>(u"ComboBox%1"_s.arg(n)); }
    QCheckBox* check(int n) { return get<QCheckBox>(u"CheckBox%1"_s.arg(n)); }
    QRadioButton* radio(int n) { return get<QRadioButton>(u"RadioButton%1"_s.arg(n)); }
    TestingMode& mode() { return fx->state.Ns1Record.TestingMode; }

    // Shown on the current one-level record holding `m`.
    void showWith(const TestingMode& m) {
        fx->state.TestFileExt = u".tsm"_s;
        mode() = m;
        w->show();
    }
    // OK; `message` is expected when it is not empty.
    void ok(const QString& message = {}) {
        const qsizetype before = fx->services.messages.size();
        if (!message.isEmpty())
            fx->expectMessages(1);
        QTest::mouseClick(get<QPushButton>(u"Button1"_s), Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(fx->services.messages.size(), before);
            QVERIFY(!w->isVisible());
        } else {
            QCOMPARE(fx->services.messages.size(), before + 1);
            QCOMPARE(fx->services.messages.last().text, message);
            QCOMPARE(fx->services.messages.last().icon, MsgIcon::Error);
            QVERIFY(w->isVisible());
        }
    }

private slots:
    void init() {
        fx = std::make_unique<ParamFixture>();
        w = fx->form11.get();
    }
    void cleanup() {
        QVERIFY(fx->services.allUsed());
        fx.reset();
    }

    void controlsAsCreated() {
        QCOMPARE(w->windowTitle(), u"Режим тестування"_s);
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(radio(1)->text(), u"    Без обмежень часу і підказки"_s);
        QCOMPARE(radio(2)->text(), u"    Без обмежень часу з підказкою"_s);
        QCOMPARE(radio(3)->text(), u"    З обмеженням часу та  без підказки"_s);
        QCOMPARE(radio(4)->text(), u"   З обмеженням часу  та з підказкою"_s);
        QVERIFY(radio(1)->isChecked());
        QCOMPARE(get<QGroupBox>(u"GroupBox1"_s)->title(), u"На запитання"_s);
        QCOMPARE(get<QGroupBox>(u"GroupBox2"_s)->title(), u"На тест"_s);
        QCOMPARE(check(1)->text(), u"Вивід запитань у порядку їх вводу"_s);
        QCOMPARE(check(2)->text(), u"Задати час на весь тест"_s);
        QCOMPARE(check(3)->text(), u"Повертатись до попередніх запитань"_s);
        QCOMPARE(check(4)->text(), u"Перемішувати відповіді"_s);
        QCOMPARE(get<QPushButton>(u"Button1"_s)->text(), u"&OK"_s);

        QStringList seconds, minutes;
        for (int i = 0; i < box(1)->count(); ++i)
            seconds << box(1)->itemText(i);
        for (int i = 0; i < box(2)->count(); ++i)
            minutes << box(2)->itemText(i);
        QCOMPARE(seconds.join(u','), u",15,30,45,60,75,90,105,120"_s);
        QCOMPARE(minutes.join(u','), u"5,10,15,20,25,30,35,40,45,50,60,70,80,90,120"_s);
        QVERIFY(box(1)->isEditable() && box(2)->isEditable());
        QVERIFY(!box(1)->isEnabled() && !box(2)->isEnabled());
        QCOMPARE(box(1)->currentText(), QString());
        QCOMPARE(box(1)->toolTip(), u"Час від 1хв до  32564 с"_s);
        QCOMPARE(box(2)->toolTip(), u"Час від 1хв до  1439 хв."_s);
    }

    void loadsTheRecord() {
        showWith({45, 4, true, true, 30, false, true});
        QVERIFY(radio(4)->isChecked());
        QCOMPARE(box(1)->currentText(), u"45"_s);
        QVERIFY(box(1)->isEnabled());
        QVERIFY(check(1)->isChecked());
        QVERIFY(!check(3)->isChecked());
        QVERIFY(check(4)->isChecked());
        QVERIFY(check(2)->isChecked());
        QCOMPARE(box(2)->currentText(), u"30"_s);
        QVERIFY(box(2)->isEnabled());
        // Switching between the timed modes shows the stored time again.
        box(1)->setEditText(u"50"_s);
        radio(3)->setChecked(true);
        QCOMPARE(box(1)->currentText(), u"45"_s);
        radio(2)->setChecked(true);
        QCOMPARE(box(1)->currentText(), QString());
        QVERIFY(!box(1)->isEnabled());
        w->hide();

        // The next showing reloads everything.
        showWith(kUnset);
        QVERIFY(radio(1)->isChecked());
        QVERIFY(!check(1)->isChecked() && !check(2)->isChecked() && !check(4)->isChecked());
        QVERIFY(!box(1)->isEnabled() && !box(2)->isEnabled());
        QCOMPARE(box(2)->currentText(), QString());
    }

    void untimedModesStoreNoTime_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("mode 1") << 1;
        QTest::newRow("mode 2") << 2;
    }
    void untimedModesStoreNoTime() {
        QFETCH(int, mode);
        showWith({60, 3, false, false, -1, false, false});
        radio(mode)->setChecked(true);
        QVERIFY(!box(1)->isEnabled());
        check(3)->setChecked(true);
        ok();
        QCOMPARE(this->mode(), (TestingMode{-1, quint8(mode), false, false, -1, true, false}));
    }

    void timedModeNeedsATime() {
        showWith(kUnset);
        radio(3)->setChecked(true);
        QVERIFY(box(1)->isEnabled());
        QCOMPARE(box(1)->currentText(), QString());
        ok(u"Не задано час на 1-е запитання!"_s);
        QCOMPARE(w->focusWidget(), box(1));
        box(1)->setEditText(u"600"_s); // no bound below the field's width
        ok();
        QCOMPARE(mode().QuestionTime, 600);
        QCOMPARE(mode().Mode, 3);
    }

    void questionTimeBounds_data() {
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << u"1"_s << true;
        QTest::newRow("32767") << u"32767"_s << true;
        QTest::newRow("0") << u"0"_s << false;
        QTest::newRow("-15") << u"-15"_s << false;
        QTest::newRow("32768") << u"32768"_s << false;
        QTest::newRow("40000") << u"40000"_s << false;
    }
    void questionTimeBounds() {
        QFETCH(QString, seconds);
        QFETCH(bool, accepted);
        showWith(kUnset);
        radio(4)->setChecked(true);
        box(1)->setEditText(seconds);
        if (accepted) {
            ok();
            QCOMPARE(mode().QuestionTime, seconds.toInt());
            return;
        }
        ok(u"Недопустиме значення на 1-е запитання!"_s);
        QCOMPARE(box(1)->currentText(), QString());
        QVERIFY(box(1)->isEnabled());
        QCOMPARE(w->focusWidget(), box(1));
        QCOMPARE(mode().QuestionTime, -1); // as it was
    }

    void testTimeBounds_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << u"1"_s << true;
        QTest::newRow("1439") << u"1439"_s << true;
        QTest::newRow("1440") << u"1440"_s << false;
        QTest::newRow("0") << u"0"_s << false;
    }
    void testTimeBounds() {
        QFETCH(QString, minutes);
        QFETCH(bool, accepted);
        showWith(kUnset);
        check(2)->setChecked(true);
        QVERIFY(box(2)->isEnabled());
        QCOMPARE(box(2)->currentText(), u"15"_s);
        box(2)->setEditText(minutes);
        if (accepted) {
            ok();
            QCOMPARE(mode().TestTime, minutes.toInt());
            QVERIFY(mode().TestTimeOn);
            return;
        }
        ok(u"Недопустиме значення на обмеження часу тестування!"_s);
        QCOMPARE(box(2)->currentText(), QString());
        QCOMPARE(w->focusWidget(), box(2));
        ok(u"Не задано обмеження на час тестування!"_s);
        QCOMPARE(w->focusWidget(), box(2));
    }

    // Typed key by key, a time is stored as typed: the drop-down's items
    // ("10", "15", "30", ...) do not complete it.
    void typedTimesAreNotCompleted_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("1 second") << 1 << u"1"_s;
        QTest::newRow("10 seconds") << 1 << u"10"_s;
        QTest::newRow("3 minutes") << 2 << u"3"_s;
        QTest::newRow("1 minute, blanks around") << 2 << u" 1 "_s;
    }
    void typedTimesAreNotCompleted() {
        QFETCH(int, box);
        QFETCH(QString, typed);
        showWith(kUnset);
        radio(4)->setChecked(true);
        check(2)->setChecked(true);
        for (int b : {1, 2})
            this->box(b)->setEditText(u"20"_s);
        QLineEdit* edit = this->box(box)->lineEdit();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        ok();
        const int stored = box == 1 ? mode().QuestionTime : mode().TestTime;
        QCOMPARE(stored, typed.trimmed().toInt());
    }

    void uncheckingTheTestTimeStoresNone() {
        showWith({-1, 1, false, true, 40, false, false});
        QCOMPARE(box(2)->currentText(), u"40"_s);
        check(2)->setChecked(false);
        QCOMPARE(box(2)->currentText(), QString());
        QVERIFY(!box(2)->isEnabled());
        ok();
        QVERIFY(!mode().TestTimeOn);
        QCOMPARE(mode().TestTime, -1);
    }

    // The zero-filled record of a first use: "0" in the disabled box.
    void zeroFilledRecordRefusedOnce() {
        showWith({-1, 1, false, false, 0, false, false});
        QCOMPARE(box(2)->currentText(), u"0"_s);
        QVERIFY(!box(2)->isEnabled());
        ok(u"Недопустиме значення на обмеження часу тестування!"_s);
        QVERIFY(box(2)->isEnabled());
        QCOMPARE(box(2)->currentText(), QString());
        ok();
        QCOMPARE(mode(), kUnset);
    }

    void notANumber() {
        showWith({30, 3, false, false, -1, false, false});
        box(1)->setEditText(u"пів хвилини"_s);
        check(2)->setChecked(true);
        check(1)->setChecked(true);
        ok(u"Помилка введення значення!"_s);
        QCOMPARE(w->focusWidget(), box(1));
        QVERIFY(mode().InputOrder);  // stored before the failing step
        QVERIFY(!mode().TestTimeOn); // not after it
        QCOMPARE(mode().QuestionTime, 30);

        // Untimed mode: the question time cannot take the focus.
        box(1)->setEditText(u"30"_s);
        box(2)->setEditText(u"x"_s);
        radio(1)->setChecked(true);
        ok(u"Помилка введення значення!"_s);
        QWidget* focused = w->focusWidget();
        QVERIFY(focused && focused->isEnabled());
        box(2)->setEditText(u"45"_s);
        ok();
        QCOMPARE(mode(), (TestingMode{-1, 1, true, true, 45, false, false}));
    }

    void onlyOkCloses() {
        showWith(kUnset);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        w->close();
        QVERIFY(w->isVisible());
        ok();
    }

    void fourLevelRecordWhenTsr() {
        fx->state.TestFileExt = u".tsr"_s;
        fx->state.Ns2Record.TestingMode = {20, 4, false, false, -1, false, false};
        w->show();
        QCOMPARE(box(1)->currentText(), u"20"_s);
        check(4)->setChecked(true);
        ok();
        QVERIFY(fx->state.Ns2Record.TestingMode.ShuffleAnswers);
        QCOMPARE(fx->state.Ns1Record.TestingMode, TestingMode{});
    }
};

QTEST_MAIN(TestingModeTest)
#include "tst_testingmode.moc"

// The program's dialogs and its system opener, as the teacher meets them.
#include "ui/realservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvik;

class RealServicesTest : public QObject {
    Q_OBJECT

    // Runs `act` on the dialog once it is up; closes whatever is left.
    static void whenShown(std::function<void(QFileDialog*)> act) {
        QTimer::singleShot(200, [act] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                act(dialog);
        });
        QTimer::singleShot(3000, [] {
            while (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
    }

private slots:
    // A name that names nothing is handed back: the program's own check
    // ("Помилка в назві файлу!") follows, not the dialog's.
    void openTakesAMissingName() {
        QTemporaryDir dir;
        RealServices services;
        FileDialogSpec request;
        request.title = u"Відкрити"_s;
        request.filter = u"Тестові файли одного рівня (*.tsm)|*.tsm"_s;
        request.defaultExt = u"tsm"_s;
        request.initialDir = dir.path();
        const QString missing = dir.filePath(u"немає.tsm"_s);
        whenShown([](QFileDialog* d) {
            // Typed by the teacher, then Enter.
            auto* name = d->findChild<QLineEdit*>(u"fileNameEdit"_s);
            name->setText(u"немає.tsm"_s);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(services.openFile(nullptr, request).fileName, missing);
    }

    // The font dialog opens on the fields' font as it is drawn.
    void fontDialogStartsOnTheFieldsFont() {
        QFont fields(u"Arial"_s);
        fields.setPixelSize(19);
        const QFontInfo real(fields);
        QFont shown;
        QTimer::singleShot(200, [&shown] {
            if (auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
                shown = d->currentFont();
                d->reject();
            }
        });
        RealServices services;
        QCOMPARE(services.chooseFont(nullptr, fields), std::nullopt);
        QCOMPARE(shown.family(), real.family());
        QCOMPARE(qRound(shown.pointSizeF()), qRound(real.pointSizeF()));
    }

    // The help document is handed to the system's opener without holding the
    // window; a failure is told when the opener gives up.
    void openerDoesNotHoldTheWindow() {
        QTemporaryDir dir;
        const QString doc = dir.filePath(u"test.doc"_s);
        QFile(doc).open(QIODevice::WriteOnly);
        const QString opener = dir.filePath(u"xdg-open"_s);
        QFile script(opener);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nsleep 1\nexit 3\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + path);
        RealServices services;
        std::optional<bool> started;
        QElapsedTimer clock;
        clock.start();
        services.openWithSystemLater(doc, [&started](bool ok) { started = ok; });
        QVERIFY(clock.elapsed() < 500);
        QVERIFY(!started);
        QTRY_VERIFY_WITH_TIMEOUT(started.has_value(), 4000);
        QCOMPARE(*started, false);
        qputenv("PATH", path);
    }

    // Printing a window with no printer says so instead of doing nothing.
    void printingWithoutAPrinterIsTold() {
        QString told;
        QTimer::singleShot(200, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->accept();
            }
        });
        RealServices services([] { return false; }); // whatever this machine has
        QImage window(200, 100, QImage::Format_RGB32);
        window.fill(Qt::white);
        services.printImage(nullptr, window);
        QCOMPARE(told, u"Друк неможливий: у системі не встановлено жодного принтера."_s);
    }

    // The program's "description|patterns|…" filters become Qt's name filters,
    // whose patterns Qt reads from the last parentheses: odd blanks included.
    void nameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<QStringList>>("patterns");
        QTest::newRow("test files")
            << u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли одного рівня (*.tsm)|*.tsm"_s
            << QList<QStringList>{{u"*.tsm"_s, u"*.tsr"_s}, {u"*.tsm"_s}};
        QTest::newRow("blanks around a pattern")
            << u"Video MPG (*.mpg)|*.mpg| Video MP4 (*.mp4)|*.mp4 | Video WMV (*.wmv)|*.wmv"_s
            << QList<QStringList>{{u"*.mpg"_s}, {u"*.mp4"_s}, {u"*.wmv"_s}};
        QTest::newRow("a description without its pair")
            << u"Усі файли (*.*)|*.*|Зайве"_s << QList<QStringList>{{u"*.*"_s}};
    }
    void nameFilters() {
        QFETCH(QString, filter);
        QFETCH(QList<QStringList>, patterns);
        QList<QStringList> seen;
        for (const QString& f : qtNameFilters(filter)) {
            const qsizetype open = f.lastIndexOf(u'(');
            QVERIFY(f.endsWith(u')') && open >= 0);
            seen << f.mid(open + 1, f.size() - open - 2).split(u' ', Qt::SkipEmptyParts);
        }
        QCOMPARE(seen, patterns);
    }
};

QTEST_MAIN(RealServicesTest)
#include "tst_realservices.moc"

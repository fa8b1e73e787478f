// The program's file dialogs, as the teacher meets them.
#include "ui/realservices.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvik;

class FileDialogsTest : public QObject {
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
};

QTEST_MAIN(FileDialogsTest)
#include "tst_filedialogs.moc"

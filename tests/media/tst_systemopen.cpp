// The system's "open with" is the only way a media or text file leaves the
// program, and it never starts a program: not one renamed to a media name,
// not a script with its executable bit, not one the name alone makes a
// program. Only refusals are tried here: an accepted file would really open.
#include "media/mediafiles.h"
#include "ui/realservices.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class SystemOpenTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void programsAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("executable");
        const QString marker = dir_.filePath(u"ran"_s);
        const QByteArray touch = "touch " + QFile::encodeName(marker) + "\n";
        QFile self(QCoreApplication::applicationFilePath());
        QVERIFY(self.open(QIODevice::ReadOnly));
        QTest::newRow("program named .mp4") << u"clip.mp4"_s << self.readAll() << true;
        QTest::newRow("script named .mp3") << u"song.mp3"_s << "#!/bin/sh\n" + touch << true;
        QTest::newRow("python named .txt")
            << u"notes.txt"_s << QByteArray("#!/usr/bin/env python3\nprint(1)\n") << false;
        QTest::newRow("desktop entry named .txt")
            << u"entry.txt"_s << "[Desktop Entry]\nType=Application\nExec=" + touch << false;
        QTest::newRow("dos program named .avi")
            << u"film.avi"_s << QByteArray("MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff\0\0", 16) << false;
        QTest::newRow("archive that runs by its name")
            << u"tool.jar"_s << QByteArray("PK\x03\x04 not really", 15) << false;
        QTest::newRow("script by its name") << u"run.sh"_s << touch << true;
    }
    void programsAreRefused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        const QString path = dir_.filePath(name);
        QVERIFY(writeBytes(path, content));
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        RealServices services;
        QVERIFY(!services.openWithSystem(path));
        QVERIFY(!QFile::exists(dir_.filePath(u"ran"_s)));
    }

    void missingFileOrFolderIsRefused() {
        RealServices services;
        QVERIFY(!services.openWithSystem(dir_.filePath(u"nothing.mp4"_s)));
        QVERIFY(!services.openWithSystem(dir_.path()));
    }
};

QTEST_MAIN(SystemOpenTest)
#include "tst_systemopen.moc"

// The system's "open with" is the only way a media or text file leaves the
// program, and it never starts a program: not one renamed to a media name,
// not a script with its executable bit, not one the name alone makes a
// program. Only refusals are tried here: an accepted file would really open;
// what would be accepted is asked of mayOpenWithSystem, which opens nothing.
#include "core/questionlist.h"
#include "core/spreadsheet.h"
#include "media/mediafiles.h"
#include "ui/realservices.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray pictureBytes(const char* format) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray pdfBytes() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        QPainter painter(&pdf);
        painter.drawText(100, 100, QStringLiteral("Список"));
    }
    return bytes;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

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

    // Allowed only when both the content and the name are a picture, a sound,
    // a video or a document of the kinds the program writes.
    void kindsByContentAndName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("allowed");
        QTemporaryDir made;
        QVERIFY(made.isValid());
        // The documents as the program writes them.
        const QByteArray rtf =
            rtf::write(questionListDocument(u"алгебра.tsm"_s, TestKind::Tsm, {}));
        xlsx::Workbook book;
        book.addSheet(u"Test"_s).setRows({{u"1"_s, u"Учень"_s}});
        book.save(made.filePath(u"j.xlsx"_s));
        const QByteArray workbook = fileBytes(made.filePath(u"j.xlsx"_s));
        QVERIFY(writeWav(made.filePath(u"s.wav"_s)));
        const QByteArray wav = fileBytes(made.filePath(u"s.wav"_s));
        const QString help = QFINDTESTDATA("../../data/test.doc");
        QVERIFY2(!help.isEmpty(), "data/test.doc is not found");
        const QByteArray svg = "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\">"
                               "<script>alert(1)</script></svg>\n";
        const QByteArray html = "<!DOCTYPE html>\n<html><body><script>alert(1)</script></body>"
                                "</html>\n";
        const QByteArray php = "<?php system('touch ran'); ?>\n";
        const QByteArray mp4("\0\0\0\x18"
                             "ftypmp42\0\0\0\0mp42isom"
                             "\0\0\0\x08"
                             "free",
                             32);
        const QByteArray avi("RIFF\x24\0\0\0"
                             "AVI LIST\x04\0\0\0"
                             "hdrl",
                             24);

        QTest::newRow("list written as .doc") << u"список.doc"_s << rtf << true;
        QTest::newRow("help document") << u"test.doc"_s << fileBytes(help) << true;
        QTest::newRow("workbook") << u"журнал.xlsx"_s << workbook << true;
        QTest::newRow("text in UTF-8") << u"поле.txt"_s << u"Відповідь: так\n"_s.toUtf8() << true;
        QTest::newRow("text in Windows-1251")
            << u"поле.txt"_s << QByteArray("\xc2\xb3\xe4\xef\xee\xe2\xb3\xe4\xfc\r\n") << true;
        QTest::newRow("empty text") << u"empty.txt"_s << QByteArray() << true;
        QTest::newRow("pdf") << u"друк.pdf"_s << pdfBytes() << true;
        QTest::newRow("png") << u"a.png"_s << pictureBytes("PNG") << true;
        QTest::newRow("jpeg") << u"a.jpg"_s << pictureBytes("JPEG") << true;
        QTest::newRow("bmp") << u"a.bmp"_s << pictureBytes("BMP") << true;
        QTest::newRow("wav") << u"a.wav"_s << wav << true;
        QTest::newRow("mp4") << u"a.mp4"_s << mp4 << true;
        QTest::newRow("avi") << u"a.avi"_s << avi << true;

        QTest::newRow("batch file")
            << u"run.bat"_s << QByteArray("@echo off\r\ndel *.*\r\n") << false;
        QTest::newRow("powershell") << u"run.ps1"_s << QByteArray("Remove-Item *\r\n") << false;
        QTest::newRow("internet shortcut")
            << u"site.url"_s << QByteArray("[InternetShortcut]\r\nURL=http://example.org/\r\n")
            << false;
        QTest::newRow("flatpak reference")
            << u"app.flatpakref"_s << QByteArray("[Flatpak Ref]\nName=org.example.App\n") << false;
        QTest::newRow("debian package")
            << u"tool.deb"_s
            << QByteArray(
                   "!<arch>\ndebian-binary   0           0     0     100644  4         `\n2.0\n")
            << false;
        QTest::newRow("web page") << u"page.html"_s << html << false;
        QTest::newRow("web page named .doc") << u"page.doc"_s << html << false;
        QTest::newRow("svg picture") << u"a.svg"_s << svg << false;
        QTest::newRow("svg named .png") << u"a.png"_s << svg << false;
        QTest::newRow("php named .doc") << u"list.doc"_s << php << false;
        QTest::newRow("rtf named .html") << u"list.html"_s << rtf << false;
        QTest::newRow("workbook named .jar") << u"tool.jar"_s << workbook << false;
        QTest::newRow("zip named .doc") << u"list.doc"_s << workbook << false;
        QTest::newRow("text without an extension") << u"README"_s << QByteArray("text\n") << false;
        QTest::newRow("desktop entry")
            << u"a.desktop"_s << QByteArray("[Desktop Entry]\nType=Application\nExec=true\n")
            << false;
    }
    void kindsByContentAndName() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, allowed);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeBytes(path, content));
        QCOMPARE(mayOpenWithSystem(path), allowed);
        if (allowed)
            return;
        // A fake opener on the path tells whether the file got as far as it.
        const QString log = dir.filePath(u"opened.log"_s);
        QFile opener(dir.filePath(u"xdg-open"_s));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$1\" >> '" + QFile::encodeName(log) + "'\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + oldPath);
        RealServices services;
        const bool opened = services.openWithSystem(path);
        std::optional<bool> later;
        services.openWithSystemLater(path, [&later](bool ok) { later = ok; });
        qputenv("PATH", oldPath);
        QVERIFY(!opened);
        QCOMPARE(later, std::optional<bool>(false)); // told at once
        QVERIFY(!QFile::exists(log));
    }

    void missingFileOrFolderIsRefused() {
        RealServices services;
        QVERIFY(!services.openWithSystem(dir_.filePath(u"nothing.mp4"_s)));
        QVERIFY(!services.openWithSystem(dir_.path()));
    }
};

QTEST_MAIN(SystemOpenTest)
#include "tst_systemopen.moc"

// Zorvik: the program for the teacher.
#include "application.h"
#include "mainwindow.h"

#include "core/storage.h"
#include "core/workfolder.h"
#include "ui/fonts.h"
#include "ui/realservices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    // The windows scale themselves by the screen, as designed for 640 x 480.
    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::system());
    zorvik::installFontSubstitutions();
    QApplication::setFont(zorvik::arialFont(13));

    // The toolkit's own texts (dialog buttons) in Ukrainian where the system has them.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Ukrainian), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // A test file named on the command line (opened from the file manager),
    // as named from where the program was started.
    const QStringList args = QCoreApplication::arguments();
    const QString named = args.size() > 1 ? QFileInfo(args.at(1)).absoluteFilePath() : QString();

    // Started from the desktop menu there is no folder to work in: the
    // user's own, made and seeded on first start.
    const zorvik::WorkFolder work = zorvik::chooseWorkFolder(
        QDir::currentPath(), QDir::homePath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/zorvik"_s,
        [](const QString& dir) { return ::access(QFile::encodeName(dir).constData(), W_OK) == 0; });
    if (work.perUser) {
        try {
            zorvik::seedWorkFolder(work.dir, QCoreApplication::applicationDirPath() +
                                                 u"/../share/zorvik/samples"_s);
        } catch (const zorvik::FileError&) {
            // Seeding is a help, not a need: the program still starts there.
        }
        QDir::setCurrent(work.dir);
    }

    zorvik::RealServices services;
    zorvik::Application program(services, QDir::currentPath());
    program.state().ProgramDirIsPerUser = work.perUser;
    program.createWindows();
    // A file whose rewrite a crash cut off is finished from its side copy on
    // its next open; the teacher is told which.
    zorvik::Storage& storage = zorvik::Storage::system();
    storage.setNoticeHandler([&](const QString& text) {
        services.message(program.mainWindow(), zorvik::MsgIcon::Information, zorvik::MsgButtons::Ok,
                         text);
    });
    storage.removeStaleTemporaries();
    QApplication::setWindowIcon(program.mainWindow()->windowIcon());
    program.start();
    if (!named.isEmpty())
        program.openNamed(named);
    return app.exec();
}

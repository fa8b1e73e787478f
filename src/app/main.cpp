// Zorvik: the program for the teacher.
#include "application.h"
#include "mainwindow.h"

#include "core/storage.h"
#include "ui/fonts.h"
#include "ui/realservices.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

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

    zorvik::RealServices services;
    zorvik::Application program(services, QDir::currentPath());
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
    return app.exec();
}

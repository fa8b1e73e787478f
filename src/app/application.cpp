#include "application.h"

#include "commands.h"
#include "mainwindow.h"
#include "splashwindow.h"

#include "editor/editorwindow.h"
#include "export/exportcommands.h"
#include "export/questionlistwindow.h"
#include "journal/journalwindow.h"
#include "journal/openjournaldialog.h"
#include "params/parameterswindowtsm.h"
#include "params/parameterswindowtsr.h"
#include "params/testingmodewindow.h"
#include "testing/namewindow.h"
#include "testing/testingwindow.h"
#include "tools/converterwindow.h"
#include "tools/splitwindow.h"
#include "tools/toolcommands.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace zorvik {

QString programDirFrom(const QString& currentDir) {
    QString dir = currentDir;
    if (dir.endsWith(u'/') || dir.endsWith(u'\\'))
        dir.chop(1);
    return dir;
}

Application::Application(Services& services, const QString& programDir)
    : ctx_{state_, services, {}} {
    state_.ProgramDir = programDirFrom(programDir);
}

Application::~Application() {
    delete main_;
}

void Application::createWindows() {
    splash_ = std::make_unique<SplashWindow>(ctx_);
    QApplication::setApplicationName(u"Zorvik"_s);

    // The main window computes the screen factors the others scale by.
    main_ = new MainWindow(ctx_);
    ctx_.windows.add(main_);

    // The long-lived windows, in the order of creation.
    auto* editor = new EditorWindow(ctx_, main_);
    // "Список": a new question list beside the editor on each click.
    editor->setQuestionListOpener([this](EditorWindow* e) { openQuestionList(ctx_, e); });
    ctx_.windows.add(editor);
    ctx_.windows.add(new PlainTestingWindow(ctx_, main_));
    ctx_.windows.add(new ParametersWindowTsm(ctx_, main_));
    ctx_.windows.add(new NameWindow(ctx_, main_));
    ctx_.windows.add(new JournalWindow(ctx_, main_));
    ctx_.windows.add(new OpenJournalDialog(ctx_, main_));
    ctx_.windows.add(new TestingModeWindow(ctx_, main_));
    ctx_.windows.add(new SplitWindow(ctx_, main_));
    ctx_.windows.add(new ParametersWindowTsr(ctx_, main_));
    ctx_.windows.add(new ConverterWindow(ctx_, main_));
    ctx_.windows.add(new GoBackTestingWindow(ctx_, main_));

    // Commands wired to the main window's buttons and menu.
    commands_ = new Commands(ctx_, main_);
    installToolCommands(ctx_, main_);
    installExportCommands(ctx_, main_);
}

void Application::start() {
    ctx_.services.showModal(splash_.get());
    main_->show();
}

void Application::openNamed(const QString& path) {
    commands_->openNamed(path);
}

} // namespace zorvik

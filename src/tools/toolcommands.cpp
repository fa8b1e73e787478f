#include "toolcommands.h"

#include "converterwindow.h"
#include "mergewindow.h"
#include "splitwindow.h"
#include "toolsupport.h"

#include "ui/filechoice.h"

#include <QAction>
#include <QMainWindow>

using namespace Qt::StringLiterals;

namespace zorvik {

void installToolCommands(AppContext& ctx, QMainWindow* main) {
    auto wire = [&](const QString& name, void (*command)(AppContext&, QWidget*)) {
        if (QAction* action = main->findChild<QAction*>(name))
            QObject::connect(action, &QAction::triggered, main,
                             [&ctx, main, command] { command(ctx, main); });
    };
    wire(u"MenuMerge"_s, runMergeCommand);
    wire(u"MenuSplit"_s, runSplitCommand);
    wire(u"MenuConverter"_s, runConverterCommand);
}

void runMergeCommand(AppContext& ctx, QWidget* parent) {
    MergeWindow form(ctx, parent);
    ctx.services.showModal(&form);
}

void runSplitCommand(AppContext& ctx, QWidget* parent) {
    FileDialogSpec request;
    request.title = u"Розбиття файла"_s;
    request.filter = allTestFilesFilter();
    request.defaultExt = u"tsm"_s;
    request.initialDir = currentDialogDir(ctx.state);
    const QString chosen = openExistingFile(ctx.services, parent, request);
    if (chosen.isEmpty())
        return;
    setCurrentTestFile(ctx.state, chosen);
    if (testKindOfExt(ctx.state.TestFileExt) == TestKind::None)
        return;
    if (auto* form = ctx.windows.find<SplitWindow>())
        form->openSource(chosen);
}

void runConverterCommand(AppContext& ctx, QWidget*) {
    if (auto* form = ctx.windows.find<ConverterWindow>()) {
        form->FormActivate();
        ctx.services.showModal(form);
    }
}

} // namespace zorvik

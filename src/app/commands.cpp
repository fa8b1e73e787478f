#include "commands.h"

#include "core/recordfile.h"
#include "core/runengine.h"

#include "mainwindow.h"

#include "core/testfilecheck.h"
#include "editor/editorwindow.h"
#include "journal/openjournaldialog.h"
#include "params/parameterswindowtsm.h"
#include "params/parameterswindowtsr.h"
#include "testing/namewindow.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kF1 = u"Тестові файли одного рівня (*.tsm)|*.tsm|"
                    u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr|"
                    u"Всі тестові файли (*.tsm,*.tsr)|*.tsm;*.tsr"_s;
const QString kF2 = u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|"
                    u"Тестові файли одного рівня (*.tsm)|*.tsm|"
                    u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr|Всі файли (*.*)|*.*"_s;
const QString kF3 = u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|"
                    u"Тестові файли одного рівня (*.tsm)|*.tsm|"
                    u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s;
} // namespace

Commands::Commands(AppContext& ctx, MainWindow* main) : QObject(main), ctx_(ctx), main_(main) {
    const struct {
        QPushButton* button;
        const char16_t* menu;
        void (Commands::*slot)();
    } wiring[] = {
        {main->Button1, u"MenuCreate", &Commands::createClick},
        {main->Button3, u"MenuOpen", &Commands::openClick},
        {main->Button2, u"MenuParams", &Commands::paramsClick},
        {main->Button4, u"MenuTesting", &Commands::testingClick},
        {main->Button5, u"MenuJournal", &Commands::journalClick},
    };
    for (const auto& w : wiring) {
        if (w.button)
            connect(w.button, &QPushButton::clicked, this, w.slot);
        if (QAction* action = main->menuAction(QString::fromUtf16(w.menu)))
            connect(action, &QAction::triggered, this, w.slot);
    }
}

TestKind Commands::chooseTestFile(const Dialog& dialog, bool create) {
    AppState& st = ctx_.state;
    main_->setStatusText(0, dialog.status);
    FileDialogSpec request;
    request.title = dialog.title;
    request.filter = dialog.filter;
    request.defaultExt = u"tsm"_s;
    // The folder of the file chosen last stands for the current directory.
    request.initialDir = st.TestDir.isEmpty() ? st.ProgramDir : st.TestDir;
    request.overwritePrompt = create;
    request.createPrompt = create;
    const FileDialogResult chosen =
        create ? ctx_.services.saveFile(main_, request) : ctx_.services.openFile(main_, request);
    if (!chosen.accepted())
        return TestKind::None;
    if (!create && !QFileInfo(chosen.fileName).isFile()) {
        ctx_.services.error(main_, u"Помилка в назві файлу!"_s);
        return TestKind::None;
    }
    st.TestFileExt = testFileExtOf(chosen.fileName);
    st.TestFileName = chosen.fileName;
    st.TestDir = folderOf(chosen.fileName);
    return testKindOfExt(st.TestFileExt);
}

void Commands::createClick() {
    const TestKind kind =
        chooseTestFile({u" Створення тестового тестового файла"_s, u"Новий файл"_s, kF1}, true);
    if (kind != TestKind::None)
        newFile(kind);
}

void Commands::newFile(TestKind kind) {
    const QString path = ctx_.state.TestFileName;
    auto* editor = ctx_.windows.find<EditorWindow>();
    // The editor lets go of the file first if it works on this very one.
    if (editor && !editor->releaseFile(path))
        return;
    try {
        createNewTestFile(path, kind, *ctx_.state.storage);
    } catch (const FileError& e) {
        reportFailure(e);
        return;
    }
    if (ctx_.services.message(main_, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Будете вносити запитання?"_s) != MsgAnswer::Yes ||
        path.isEmpty())
        return;
    if (editor)
        editor->startNewFile(path, kind);
}

void Commands::openClick() {
    const TestKind kind = chooseTestFile(
        {u" Редагування тестового файла"_s, u"Редагувати тестовий файл"_s, kF2}, false);
    if (kind == TestKind::None)
        return;
    if (auto* editor = ctx_.windows.find<EditorWindow>())
        editor->startEditing(ctx_.state.TestFileName, kind);
}

void Commands::openNamed(const QString& path) {
    AppState& st = ctx_.state;
    const TestKind kind = testKindOfExt(testFileExtOf(path));
    if (kind == TestKind::None || !QFileInfo(path).isFile()) {
        ctx_.services.error(main_, u"Помилка в назві файлу!"_s);
        return;
    }
    st.TestFileExt = testFileExtOf(path);
    st.TestFileName = QFileInfo(path).absoluteFilePath();
    st.TestDir = folderOf(st.TestFileName);
    if (auto* editor = ctx_.windows.find<EditorWindow>())
        editor->startEditing(st.TestFileName, kind);
}

void Commands::paramsClick() {
    const TestKind kind =
        chooseTestFile({u"Задайте параметри тестування"_s, u"Параметри тестування"_s, kF3}, false);
    if (kind != TestKind::None)
        paramsFile(kind);
}

void Commands::paramsFile(TestKind kind) {
    AppState& st = ctx_.state;
    if (st.TestFileName.trimmed().isEmpty())
        return;
    RecordFile& file = kind == TestKind::Tsm ? st.TsmFile : st.TsrFile;
    try {
        file.setStorage(*st.storage);
        file.openExisting(st.TestFileName, recordSizeOf(kind));
        if (file.count() >= 1) {
            if (kind == TestKind::Tsm)
                showWindow(ctx_.windows.find<ParametersWindowTsm>());
            else
                showWindow(ctx_.windows.find<ParametersWindowTsr>());
            return;
        }
        file.close();
    } catch (const FileError& e) {
        reportFailure(e);
        return;
    }
    ctx_.services.error(main_, u"Тестовий файл не містить записів!\r"
                               u"Заповніть файл, а потім задайте параметри тестування!"_s);
    st.TestFileName.clear();
    st.TestFileExt.clear();
}

void Commands::testingClick() {
    ctx_.state.ParamsFound = false;
    const TestKind kind = chooseTestFile({u" Провести тестування"_s, u"Тестування"_s, kF3}, false);
    if (kind != TestKind::None)
        checkParams(kind);
}

void Commands::checkParams(TestKind kind) {
    const QString& file = ctx_.state.TestFileName;
    if (partialTailBytes(file, recordSizeOf(kind)) != 0)
        ctx_.services.message(main_, MsgIcon::Warning, MsgButtons::Ok,
                              damagedFileText(file, recordSizeOf(kind)));
    ParamsCheck outcome;
    try {
        outcome = kind == TestKind::Tsm ? checkParamsTsm(ctx_.state) : checkParamsTsr(ctx_.state);
    } catch (const FileError& e) {
        reportFailure(e);
        return;
    }
    if (outcome == ParamsCheck::Ok) {
        // Parameters no run can be given with are refused now, before the
        // student types a name.
        QString problem;
        try {
            problem = RunEngine::checkParameters(ctx_.state);
        } catch (const FileError& e) {
            reportFailure(e);
            return;
        }
        if (!problem.isEmpty()) {
            ctx_.services.error(main_, problem);
            return;
        }
        showWindow(ctx_.windows.find<NameWindow>());
        return;
    }
    ctx_.services.message(
        main_, paramsCheckIsInformation(outcome, kind) ? MsgIcon::Information : MsgIcon::Error,
        MsgButtons::Ok, paramsCheckMessage(outcome, kind, ctx_.state));
}

void Commands::journalClick() {
    main_->setStatusText(0, u" Журнал оцінювання"_s);
    showWindow(ctx_.windows.find<OpenJournalDialog>());
}

void Commands::showWindow(QDialog* window) {
    if (window)
        ctx_.services.showModal(window);
}

void Commands::reportFailure(const std::exception& e) {
    const auto* fileError = dynamic_cast<const FileError*>(&e);
    ctx_.services.error(main_,
                        u"Помилка вводу/виводу!\r"_s +
                            (fileError ? fileError->message() : QString::fromLocal8Bit(e.what())));
}

} // namespace zorvik

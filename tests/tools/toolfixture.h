// A main window with the tool commands wired, scripted services, and test
// files made and read back in a temporary folder.
#pragma once

#include "support/faultyfs.h"
#include "support/scriptedservices.h"
#include "tools/toolcommands.h"

#include "core/filetools.h"
#include "core/records.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

namespace zorvik::testing {

struct ToolShell {
    ScriptedServices services;
    FaultyFileSystem fs;
    Storage storage{fs};
    AppState state;
    AppContext ctx{state, services, {}};
    QMainWindow main;
    QTemporaryDir dir;

    ToolShell() {
        using namespace Qt::StringLiterals;
        main.setObjectName(u"TForm2"_s);
        for (const QString& name : {u"MenuMerge"_s, u"MenuSplit"_s, u"MenuConverter"_s}) {
            auto* action = new QAction(name, &main);
            action->setObjectName(name);
        }
        ctx.windows.add(&main);
        state.storage = &storage;
        state.TestDir = dir.path();
        installToolCommands(ctx, &main);
    }

    void trigger(const QString& menu) { main.findChild<QAction*>(menu)->trigger(); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList listing() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A test file of `questions` questions "tag 1", "tag 2", …; in a
    // four-level file question 3 is of level high, the others low.
    QString makeTest(const QString& name, int questions, const QString& tag = QStringLiteral("Q")) {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly))
            return {};
        const bool tsr = testKindOfPath(name) == TestKind::Tsr;
        for (int q = 0; q <= questions; ++q) {
            const QString text = q ? QStringLiteral("%1 %2").arg(tag).arg(q) : QString();
            if (tsr) {
                TsrRecord r = TsrRecord::empty();
                r.Question = text;
                r.LevelLow = q != 3;
                r.LevelHigh = q == 3;
                f.write(r.encode());
            } else {
                TsmRecord r;
                r.Question = text;
                f.write(r.encode());
            }
        }
        return path(name);
    }

    int recordsOf(const QString& name) const {
        const int size = testKindOfPath(name) == TestKind::Tsr ? TsrRecord::Size : TsmRecord::Size;
        return static_cast<int>(bytesOf(name).size() / size);
    }

    QString questionOf(const QString& name, int i) const {
        const QByteArray b = bytesOf(name);
        if (testKindOfPath(name) == TestKind::Tsr)
            return TsrRecord::decode(b.mid(i * TsrRecord::Size)).Question;
        return TsmRecord::decode(b.mid(i * TsmRecord::Size)).Question;
    }

    void chooseFile(const QString& name) { services.fileAnswers.push_back({name, 1}); }
};

// Makes every write to `target` (and to the copy written beside it) find
// the disk full while alive.
struct ScopedWriteFault {
    ScopedWriteFault(ToolShell& shell, const QString& target) : fs_(shell.fs) {
        fs_.failWritesTo(QFile::encodeName(QFileInfo(target).fileName()));
    }
    ~ScopedWriteFault() { fs_.failWritesTo({}); }

private:
    FaultyFileSystem& fs_;
};

} // namespace zorvik::testing

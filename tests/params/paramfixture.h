// A program directory, a test file opened as the Parameters command leaves
// it, and the three windows on scripted services.
#pragma once

#include "params/parameterswindowtsm.h"
#include "params/parameterswindowtsr.h"
#include "params/testingmodewindow.h"
#include "support/scriptedservices.h"

#include "core/atomicfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvik::testing {

struct Levels {
    int low = 0, medium = 0, sufficient = 0, high = 0;
};

struct ParamFixture {
    QTemporaryDir dir;
    AppState state;
    ScriptedServices services;
    AppContext ctx{state, services, {}};
    std::unique_ptr<ParametersWindowTsm> form5;
    std::unique_ptr<TestingModeWindow> form11;
    std::unique_ptr<ParametersWindowTsr> form16;

    ParamFixture() {
        state.ProgramDir = dir.filePath(QStringLiteral("prog"));
        QDir().mkpath(state.ProgramDir);
        form5 = std::make_unique<ParametersWindowTsm>(ctx, nullptr);
        form11 = std::make_unique<TestingModeWindow>(ctx, nullptr);
        form16 = std::make_unique<ParametersWindowTsr>(ctx, nullptr);
        ctx.windows.add(form5.get());
        ctx.windows.add(form11.get());
        ctx.windows.add(form16.get());
    }

    QString testDir() const { return dir.filePath(QStringLiteral("tests")); }
    QString path(const QString& name) const { return testDir() + u'/' + name; }

    // A one-level file of `questions` questions, opened at position 0.
    void openTsm(const QString& name, int questions) {
        QDir().mkpath(testDir());
        QByteArray bytes;
        for (int i = 0; i <= questions; ++i)
            bytes += TsmRecord::empty().encode();
        writeFileAtomically(path(name), bytes);
        select(name, QStringLiteral(".tsm"));
        state.TsmFile.openExisting(state.TestFileName, TsmRecord::Size);
    }

    // A four-level file with the given questions per level.
    void openTsr(const QString& name, Levels levels) {
        QDir().mkpath(testDir());
        QByteArray bytes = TsrRecord::empty().encode();
        auto add = [&](int n, bool TsrRecord::*flag) {
            for (int i = 0; i < n; ++i) {
                TsrRecord q;
                q.*flag = true;
                bytes += q.encode();
            }
        };
        add(levels.low, &TsrRecord::LevelLow);
        add(levels.medium, &TsrRecord::LevelMedium);
        add(levels.sufficient, &TsrRecord::LevelSufficient);
        add(levels.high, &TsrRecord::LevelHigh);
        writeFileAtomically(path(name), bytes);
        select(name, QStringLiteral(".tsr"));
        state.TsrFile.openExisting(state.TestFileName, TsrRecord::Size);
    }

    void select(const QString& name, const QString& ext) {
        state.TestFileName = path(name);
        state.TestFileExt = ext;
        state.TestDir = testDir();
    }

    QByteArray ns1Bytes() const { return fileBytes(state.ns1Path()); }
    QByteArray ns2Bytes() const { return fileBytes(state.ns2Path()); }
    static QByteArray fileBytes(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString journal(const QString& name) const { return dir.filePath(name); }

    // The next "..." answers with this journal.
    void chooseJournal(const QString& file) { services.fileAnswers.push_back({file, 1}); }
    // The next messages are answered with OK.
    void expectMessages(int n) {
        for (int i = 0; i < n; ++i)
            services.answers.push_back(MsgAnswer::Ok);
    }
};

} // namespace zorvik::testing

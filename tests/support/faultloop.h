// The fault loop: a command is run again and again, its k-th file-system
// operation failing (then its k-th write cut short, then its k-th sync finding
// the disk full), for k = 1, 2, … until it runs through. After every failure
// each file of the folder must hold either its old bytes or the bytes a
// successful run gives, the failure must carry the system's reason, and no
// temporary file may be left.
#pragma once

#include "support/faultyfs.h"

#include "core/fileerror.h"
#include "core/storage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

#include <functional>
#include <map>
#include <optional>

namespace zorvik::testing {

// Every file under `dir`, hidden ones and lock files included, by relative name.
using Snapshot = std::map<QString, QByteArray>;

inline Snapshot snapshotOf(const QString& dir) {
    Snapshot s;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        s[QDir(dir).relativeFilePath(path)] = f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
    }
    return s;
}

// Each file as before or as after a successful run; "" when it is fine.
inline QString perFileCheck(const Snapshot& before, const Snapshot& done, const Snapshot& now) {
    for (const auto& [name, bytes] : now) {
        const auto b = before.find(name);
        const auto d = done.find(name);
        if ((b == before.end() || b->second != bytes) && (d == done.end() || d->second != bytes))
            return name + QStringLiteral(": neither old nor new (%1 bytes)").arg(bytes.size());
    }
    for (const auto& [name, bytes] : before)
        if (!now.count(name) && done.count(name))
            return name + QStringLiteral(": gone");
    return {};
}

struct FaultCommand {
    QString name;
    std::function<void()> setUp;   // makes the folder as it is before the command
    std::function<void()> command; // throws FileError on failure
    // Given the snapshots before, after a clean run and now; "" when fine.
    std::function<QString(const Snapshot&, const Snapshot&, const Snapshot&)> check = perFileCheck;
    // When the command reports a failure other than by throwing.
    std::function<std::optional<QString>()> reported;
};

struct FaultMode {
    FaultyFileSystem::Fault fault;
    int error;
    const char* name;
};

inline const FaultMode kFaultModes[] = {
    {FaultyFileSystem::Fault::FailOp, ENOSPC, "k-th operation fails, no space"},
    {FaultyFileSystem::Fault::FailOp, EACCES, "k-th operation fails, access denied"},
    {FaultyFileSystem::Fault::ShortWrite, ENOSPC, "k-th write cut short"},
    {FaultyFileSystem::Fault::FullAtSync, ENOSPC, "k-th sync finds the disk full"},
};

// Runs the loop over `dir`; returns the number of (mode, k) cases run. Any
// broken promise fails the calling test.
inline int runFaultLoop(FaultyFileSystem& fs, const QString& dir, const FaultCommand& c) {
    c.setUp();
    fs.disarm();
    c.command();
    const Snapshot done = snapshotOf(dir);
    int cases = 0;
    for (const FaultMode& mode : kFaultModes) {
        for (int k = 1;; ++k) {
            if (k > 500) {
                QTest::qFail(qPrintable(c.name + QStringLiteral(": never ran through")), __FILE__,
                             __LINE__);
                return cases;
            }
            c.setUp();
            const Snapshot before = snapshotOf(dir);
            fs.arm(mode.fault, k, mode.error);
            std::optional<QString> reason;
            try {
                c.command();
            } catch (const FileError& e) {
                reason = e.message();
            }
            fs.disarm();
            if (!reason && c.reported)
                reason = c.reported();
            ++cases;
            const QString where = QStringLiteral("%1, %2, k = %3: ")
                                      .arg(c.name, QString::fromLatin1(mode.name))
                                      .arg(k);
            const Snapshot now = snapshotOf(dir);
            if (!fs.fired()) {
                // Ran through: the run must be the clean one.
                if (reason || !c.check(done, done, now).isEmpty()) {
                    QTest::qFail(qPrintable(where + QStringLiteral("unfaulted run differs")),
                                 __FILE__, __LINE__);
                    return cases;
                }
                break;
            }
            if (const QString bad = c.check(before, done, now); !bad.isEmpty()) {
                QTest::qFail(qPrintable(where + bad), __FILE__, __LINE__);
                return cases;
            }
            if (reason && !reason->contains(systemReason(mode.error))) {
                QTest::qFail(qPrintable(where + QStringLiteral("reason not given: ") + *reason),
                             __FILE__, __LINE__);
                return cases;
            }
            if (!reason && now == before && before != done) {
                QTest::qFail(qPrintable(where + QStringLiteral("failed without saying so")),
                             __FILE__, __LINE__);
                return cases;
            }
            for (const auto& [name, bytes] : now)
                if (name.endsWith(QStringLiteral(".zorvik-tmp"))) {
                    QTest::qFail(qPrintable(where + QStringLiteral("left ") + name), __FILE__,
                                 __LINE__);
                    return cases;
                }
        }
    }
    return cases;
}

} // namespace zorvik::testing

// Every command of zorvik-cli that writes, on a disk that is really full: a
// small tmpfs filled to 0, 4, 8 and 16 KiB free. A command whose output does
// not fit fails with the system's reason and leaves every file as it was; one
// whose output fits writes it whole.
#include "core/cp1251.h"
#include "core/jsonio.h"
#include "core/records.h"
#include "core/storage.h"
#include "support/runparams.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

using Snapshot = std::map<QString, QByteArray>;

const QString kFiller = u".filler"_s;
constexpr int kQuestions = 800; // a run's log block of one line each is over 16 KiB
constexpr int kEntries = 2000;
const QString kName = u"Коваль Марія"_s;

QByteArray testBytes(int questions) {
    QByteArray bytes = TsmRecord::empty().encode();
    for (int i = 1; i <= questions; ++i) {
        TsmRecord q;
        q.Question = u"Запитання %1: скільки буде %2 + %3?"_s.arg(i).arg(i * 7 % 101).arg(i % 13);
        q.Answer1 = QString::number(i * 7 % 101 + i % 13);
        q.Answer2 = QString::number(i * 3 % 89);
        q.Answer3 = u"не знаю"_s;
        q.Correct1 = true;
        bytes += q.encode();
    }
    return bytes;
}

QByteArray journalBytes() {
    QByteArray bytes;
    for (int i = 0; i < kEntries; ++i) {
        JournalRecord e;
        e.EntryNo = i;
        e.Date = u"08.12.26"_s;
        e.Time = u"09:%1:00"_s.arg(i % 60, 2, 10, QChar(u'0'));
        e.StudentName = u"Учень %1"_s.arg(i * 7919 % 100003);
        e.Group = u"%1-А"_s.arg(i % 11 + 1);
        e.TestName = u"long.tsm"_s;
        e.GradeScale = 12;
        e.MaxPoints = 20;
        e.QuestionCount = 20;
        e.Points = i % 21;
        e.Grade = i % 12 + 1;
        bytes += e.encode();
    }
    return bytes;
}

// Every file under `dir` but the filler, by relative name.
Snapshot snapshotOf(const QString& dir) {
    Snapshot s;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QDir(dir).relativeFilePath(it.next());
        QFile f(it.filePath());
        if (name != kFiller)
            s[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
    }
    return s;
}

qint64 freeBytes(const QString& dir) {
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(dir).constData(), &s) != 0)
        return -1;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

struct Result {
    int code = -1;
    QString err;
};

} // namespace

class FullDiskTest : public QObject {
    Q_OBJECT
    QTemporaryDir mountPoint_;
    QTemporaryDir inputs_; // on the roomy disk: what is only read
    bool mounted_ = false;
    QString disk_;
    Snapshot files_; // the folder before every command

    // The command's paths: "@name" is `name` in the folder given.
    static QStringList resolved(QStringList args, const QString& dir) {
        for (QString& a : args)
            if (a.startsWith(u'@'))
                a = dir + u'/' + a.mid(1);
        return args;
    }
    Result cli(const QStringList& args, const QString& dir) {
        QProcess p;
        p.setWorkingDirectory(dir); // the program directory of a run
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QString::fromUtf8(ZORVIK_CLI), resolved(args, dir));
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardError())};
    }
    static void put(const QString& dir, const Snapshot& files) {
        for (const auto& [name, bytes] : files) {
            QFile f(dir + u'/' + name);
            QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(name));
            QCOMPARE(f.write(bytes), bytes.size());
        }
    }
    void emptyDisk() {
        for (const QString& f : QDir(disk_).entryList(QDir::Files | QDir::Hidden | QDir::System))
            QVERIFY(QFile::remove(disk_ + u'/' + f));
    }
    // Leaves exactly `kib` KiB free.
    void fillTo(int kib) {
        const qint64 fill = freeBytes(disk_) - qint64(kib) * 1024;
        QVERIFY(fill >= 0);
        QFile f(disk_ + u'/' + kFiller);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(QByteArray(fill, 'x')), fill);
        f.close();
        QCOMPARE(freeBytes(disk_), qint64(kib) * 1024);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        if (::geteuid() != 0)
            QSKIP("not root: a really full disk needs a small tmpfs mounted, which only root may");
        QVERIFY(mountPoint_.isValid() && inputs_.isValid());
        disk_ = mountPoint_.path();
        if (::mount("tmpfs", QFile::encodeName(disk_).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=8m,mode=0755") != 0)
            QSKIP(qPrintable(u"mounting a tmpfs was refused: "_s + systemReason(errno)));
        mounted_ = true;

        const QByteArray test = testBytes(kQuestions);
        Ns1Record params =
            testing::oneLevelRun(u"long.tsm"_s, kQuestions, kQuestions, disk_ + u"/9a.ocn"_s, 1);
        files_ = {
            {u"long.tsm"_s, test},
            {u"small.tsm"_s, testBytes(20)},
            {u"test.ns1"_s, params.encode()},
            {u"9a.ocn"_s, journalBytes()},
            {u"result.txt"_s, toCp1251(u"          Результат тестування\r\n"_s)},
            // The old targets, with bytes of their own.
            {u"out.tsm"_s, testBytes(2)},
            {u"long2.tsm"_s, testBytes(3)},
            {u"long.tsr"_s, "old four-level file"},
            {u"long_Б.doc"_s, "{\\rtf1 old}"},
            {u"long_Б.txt"_s, "old text"},
            {u"out.pdf"_s, "%PDF-1.4 old"},
            {u"list.doc"_s, "{\\rtf1 old list}"},
            {u"list.xlsx"_s, "PK old list"},
            {u"j.csv"_s, "old;csv"},
            {u"j.xlsx"_s, "PK old journal"},
            {u"j.pdf"_s, "%PDF-1.4 old journal"},
        };
        QFile json(inputs_.filePath(u"long.json"_s));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(recordsToJson(FileKind::Tsm, test).toJson());
        json.close();
        QVERIFY(!systemReason(ENOSPC).isEmpty());
    }

    void cleanupTestCase() {
        if (mounted_)
            QVERIFY2(::umount2(QFile::encodeName(disk_).constData(), MNT_DETACH) == 0,
                     std::strerror(errno));
    }

    void commandOnFullDisk_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("kib");     // free on the disk
        QTest::addColumn<bool>("mayFit"); // the output is small enough to be written
        QString answers = u"1"_s;
        for (int i = 1; i < kQuestions; ++i)
            answers += u";1"_s;
        struct Command {
            const char* name;
            QStringList args;
            bool mayFit = false;
        };
        const Command commands[] = {
            {"load", {u"load"_s, inputs_.filePath(u"long.json"_s), u"@out.tsm"_s}},
            // Two empty records: 4632 bytes.
            {"new", {u"new"_s, u"@out.tsm"_s}, true},
            {"merge", {u"merge"_s, u"@long.tsm"_s, u"@small.tsm"_s, u"@out.tsm"_s, u"--force"_s}},
            // long1.tsm is new, long2.tsm is there.
            {"split", {u"split"_s, u"@long.tsm"_s, u"400"_s, u"--force"_s}},
            {"convert", {u"convert"_s, u"@long.tsm"_s, u"--force"_s}},
            {"export", {u"export"_s, u"@long.tsm"_s}},
            {"print", {u"print"_s, u"@small.tsm"_s, u"--pdf"_s, u"@out.pdf"_s}},
            {"list --doc", {u"list"_s, u"@long.tsm"_s, u"--doc"_s, u"@list.doc"_s}},
            {"list --xlsx", {u"list"_s, u"@long.tsm"_s, u"--xlsx"_s, u"@list.xlsx"_s}},
            {"journal --csv", {u"journal"_s, u"@9a.ocn"_s, u"--csv"_s, u"@j.csv"_s}},
            {"journal --xlsx", {u"journal"_s, u"@9a.ocn"_s, u"--xlsx"_s, u"@j.xlsx"_s}},
            {"journal --pdf", {u"journal"_s, u"@9a.ocn"_s, u"--pdf"_s, u"@j.pdf"_s}},
            {"run",
             {u"run"_s, u"@long.tsm"_s, u"--name"_s, kName, u"--group"_s, u"10-Б"_s, u"--answers"_s,
              answers, u"--seed"_s, u"1"_s, u"--at"_s, u"2026-12-08T09:00:00"_s}},
        };
        for (const Command& c : commands)
            for (int kib : {0, 4, 8, 16})
                QTest::addRow("%s, %d KiB free", c.name, kib) << c.args << kib << c.mayFit;
    }
    void commandOnFullDisk() {
        QFETCH(QStringList, args);
        QFETCH(int, kib);
        QFETCH(bool, mayFit);
        emptyDisk();
        put(disk_, files_);
        fillTo(kib);
        const Snapshot before = snapshotOf(disk_);

        const Result r = cli(args, disk_);
        const Snapshot now = snapshotOf(disk_);
        QFile::remove(disk_ + u'/' + kFiller);
        if (r.code == 0) {
            // It fitted: everything as the same command writes on a roomy disk.
            QVERIFY2(mayFit, "wrote what cannot fit");
            QTemporaryDir roomy;
            put(roomy.path(), files_);
            QCOMPARE(cli(args, roomy.path()).code, 0);
            QVERIFY(now == snapshotOf(roomy.path()));
            return;
        }
        QCOMPARE(r.code, 2);
        // One line of the program's own (Qt may add notes of its platform).
        const QStringList said =
            r.err.split(u'\n').filter(QRegularExpression(u"^zorvik-cli "_s + args[0] + u": "_s));
        QVERIFY2(said.size() == 1 && said[0].endsWith(systemReason(ENOSPC)), qPrintable(r.err));
        // Every file as it was and nothing new, temporary or lock file; a run
        // whose log block did not fit still gives the journal its entry.
        for (const auto& [name, bytes] : now) {
            const auto old = before.find(name);
            QVERIFY2(old != before.end(), qPrintable(u"left "_s + name));
            if (bytes == old->second)
                continue;
            QVERIFY2(args[0] == u"run"_s && name == u"9a.ocn"_s, qPrintable(name));
            QCOMPARE(bytes.size(), old->second.size() + JournalRecord::Size);
            QVERIFY(bytes.startsWith(old->second));
            const JournalRecord e = JournalRecord::decode(bytes.right(JournalRecord::Size));
            QCOMPARE(e.StudentName, kName);
            QCOMPARE(e.Grade, 12);
        }
        QCOMPARE(now.size(), before.size());
    }
};

QTEST_GUILESS_MAIN(FullDiskTest)
#include "tst_fulldisk.moc"

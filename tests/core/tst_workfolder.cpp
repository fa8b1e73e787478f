// Where the program works: the folder it was started in, or, started from the
// desktop menu, the user's own folder, seeded once and never overwritten.
#include "core/atomicfile.h"
#include "core/workfolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class WorkFolderTest : public QObject {
    Q_OBJECT

private slots:
    void choice_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("perUser");
        QTest::newRow("a writable folder") << u"/home/olena/tests"_s << true << false;
        QTest::newRow("the home folder itself") << u"/home/olena"_s << true << true;
        QTest::newRow("the home folder, with a slash") << u"/home/olena/"_s << true << true;
        QTest::newRow("a read-only folder") << u"/usr/share"_s << false << true;
        QTest::newRow("the root") << u"/"_s << false << true;
    }
    void choice() {
        QFETCH(QString, current);
        QFETCH(bool, writable);
        QFETCH(bool, perUser);
        const QString own = u"/home/olena/.local/share/zorvik"_s;
        const WorkFolder w = chooseWorkFolder(current, u"/home/olena"_s, own,
                                              [writable](const QString&) { return writable; });
        QCOMPARE(w.perUser, perUser);
        QCOMPARE(w.dir, perUser ? own : current);
    }

    void seededOnceNeverOverwritten() {
        QTemporaryDir samples;
        writeFileAtomically(samples.filePath(u"math.tsm"_s), "sample math");
        writeFileAtomically(samples.filePath(u"geo.tsr"_s), "sample geo");
        QTemporaryDir home;
        const QString own = home.filePath(u"share/zorvik"_s);
        seedWorkFolder(own, samples.path());
        QCOMPARE(QDir(own).entryList(QDir::Files, QDir::Name),
                 (QStringList{u"geo.tsr"_s, u"math.tsm"_s, u"test.ns1"_s, u"test.ns2"_s}));
        QCOMPARE(readWholeFile(own + u"/test.ns1"_s), QByteArray());
        // The teacher's own work there is left as it is.
        writeFileAtomically(own + u"/math.tsm"_s, "the teacher's math");
        writeFileAtomically(own + u"/test.ns1"_s, "parameters");
        seedWorkFolder(own, samples.path());
        QCOMPARE(readWholeFile(own + u"/math.tsm"_s), QByteArray("the teacher's math"));
        QCOMPARE(readWholeFile(own + u"/test.ns1"_s), QByteArray("parameters"));
    }
};

QTEST_GUILESS_MAIN(WorkFolderTest)
#include "tst_workfolder.moc"

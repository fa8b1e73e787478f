#include "core/selection.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <deque>
#include <set>

using namespace zorvik;

namespace {
// Draws from a queue, then from a seeded generator.
class ScriptRandom final : public RandomSource {
public:
    std::deque<int> queue;
    QRandomGenerator generator{20261208};
    int draws = 0;
    int bounded(int n) override {
        ++draws;
        if (!queue.empty()) {
            const int v = queue.front();
            queue.pop_front();
            return v % n;
        }
        return static_cast<int>(generator.bounded(n));
    }
};

class StuckRandom final : public RandomSource {
public:
    int bounded(int) override { return 0; }
};

std::vector<int> tail(const std::vector<int>& order) {
    return {order.begin() + 1, order.end()};
}
} // namespace

class SelectionTest : public QObject {
    Q_OBJECT
private slots:
    void pickDistinctRedrawsRepeats() {
        ScriptRandom random;
        random.queue = {2, 2, 0, 2, 0, 1};
        QCOMPARE(PickDistinct({10, 20, 30}, 3, 3, random), (std::vector<int>{30, 10, 20}));
        QCOMPARE(random.draws, 6);
    }

    void pickDistinctEndsWithStuckGenerator() {
        StuckRandom random;
        const std::vector<int> picked = PickDistinct({1, 2, 3, 4, 5}, 5, 5, random);
        QCOMPARE(std::set<int>(picked.begin(), picked.end()), (std::set<int>{1, 2, 3, 4, 5}));
    }

    void pickDistinctNeverAsksMoreThanThereIs() {
        ScriptRandom random;
        QCOMPARE(PickDistinct({4, 4, 7}, 3, 5, random).size(), size_t(2));
        QVERIFY(PickDistinct({1, 2}, 2, 0, random).empty());
        QVERIFY(PickDistinct({}, 0, 3, random).empty());
    }

    void oneLevelAllTenOnceInRandomOrder() {
        Ns1Record p;
        p.QuestionsInFile = 10;
        p.TestQuestions = 10;
        ScriptRandom random;
        random.queue = {6, 6, 2, 9, 0, 2, 4, 1, 8, 3, 7, 5};
        const std::vector<int> order = SelectQuestionsTsm(p, random);
        QCOMPARE(order.size(), size_t(11));
        QCOMPARE(tail(order), (std::vector<int>{7, 3, 10, 1, 5, 2, 9, 4, 8, 6}));

        // Whatever the draws, each question exactly once.
        for (int run = 0; run < 50; ++run) {
            std::vector<int> got = tail(SelectQuestionsTsm(p, random));
            std::sort(got.begin(), got.end());
            QCOMPARE(got, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        }
    }

    void oneLevelInputOrderTakesTheFirst() {
        Ns1Record p;
        p.QuestionsInFile = 10;
        p.TestQuestions = 3;
        p.TestingMode.InputOrder = true;
        ScriptRandom random;
        QCOMPARE(SelectQuestionsTsm(p, random), (std::vector<int>{0, 1, 2, 3}));
        QCOMPARE(random.draws, 0);
    }

    void fourLevelGroupedByLevel() {
        Ns2Record p;
        p.InFileLow = 5;
        p.InFileMedium = 4;
        p.InFileSufficient = 0;
        p.InFileHigh = 6;
        p.TestLow = 2;
        p.TestMedium = 1;
        p.TestSufficient = 0;
        p.TestHigh = 3;
        LevelLists levels{{1, 4, 7, 10, 13}, {2, 5, 8, 11}, {}, {3, 6, 9, 12, 14, 15}};
        ScriptRandom random;
        for (int run = 0; run < 50; ++run) {
            LevelLists drawn;
            const std::vector<int> order = SelectQuestionsTsr(p, levels, random, &drawn);
            QCOMPARE(order.size(), size_t(7));
            auto within = [&](size_t from, size_t to, const std::vector<int>& level) {
                std::set<int> seen;
                for (size_t i = from; i <= to; ++i) {
                    QVERIFY(std::count(level.begin(), level.end(), order[i]) == 1);
                    QVERIFY(seen.insert(order[i]).second);
                }
            };
            within(1, 2, levels.low);
            within(3, 3, levels.medium);
            within(4, 6, levels.high);
            QCOMPARE(drawn.low, (std::vector<int>{order[1], order[2]}));
        }
        p.TestingMode.InputOrder = true;
        QCOMPARE(SelectQuestionsTsr(p, levels, random), (std::vector<int>{0, 1, 4, 2, 3, 6, 9}));
    }

    // The filled answers take the first places, in their drawn order.
    void filledAnswersFirst_data() {
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<QList<bool>>("filled");
        QTest::addColumn<QList<int>>("places");
        QTest::newRow("all filled: as drawn")
            << QList<int>{3, 1, 5, 2, 4} << QList<bool>{true, true, true, true, true}
            << QList<int>{3, 1, 5, 2, 4};
        QTest::newRow("two of five")
            << QList<int>{5, 1, 2, 3, 4} << QList<bool>{true, false, true, false, false}
            << QList<int>{2, 3, 1, 4, 5};
        QTest::newRow("none filled")
            << QList<int>{2, 1, 3, 5, 4} << QList<bool>{false, false, false, false, false}
            << QList<int>{2, 1, 3, 5, 4};
    }
    void filledAnswersFirst() {
        QFETCH(QList<int>, drawn);
        QFETCH(QList<bool>, filled);
        QFETCH(QList<int>, places);
        std::array<int, 5> d{};
        std::array<bool, 5> f{};
        for (size_t i = 0; i < 5; ++i) {
            d[i] = drawn[qsizetype(i)];
            f[i] = filled[qsizetype(i)];
        }
        const std::array<int, 5> got = filledFirst(d, f);
        QCOMPARE(QList<int>(got.begin(), got.end()), places);
    }

    void shuffleIsAlwaysAPermutation() {
        ScriptRandom random;
        std::set<std::array<int, 5>> seen;
        for (int i = 0; i < 500; ++i) {
            const std::array<int, 5> p = PeremVidp(random);
            QCOMPARE(std::set<int>(p.begin(), p.end()), (std::set<int>{1, 2, 3, 4, 5}));
            seen.insert(p);
        }
        QVERIFY(seen.size() > 60); // not one fixed order
    }
};

QTEST_APPLESS_MAIN(SelectionTest)
#include "tst_selection.moc"

#include "selection.h"

#include "storage.h"

#include "fileerror.h"

#include <algorithm>
#include <set>

namespace zorvik {

std::vector<int> PickDistinct(const std::vector<int>& source, int m, int n, RandomSource& random) {
    m = std::clamp(m, 0, static_cast<int>(source.size()));
    std::vector<int> picked;
    if (m == 0 || n <= 0)
        return picked;
    const std::set<int> distinct(source.begin(), source.begin() + m);
    n = std::min(n, static_cast<int>(distinct.size()));
    std::set<int> taken;
    // A fair generator needs about m·ln m draws; far beyond that it is not fair.
    const long long patience = 100LL + 50LL * m;
    long long misses = 0;
    while (static_cast<int>(picked.size()) < n) {
        int x = source[static_cast<size_t>(random.bounded(m))];
        if (taken.count(x) != 0) {
            if (++misses < patience)
                continue;
            // Take one of the entries still free, so the run starts all the same.
            std::vector<int> free;
            for (int v : distinct)
                if (taken.count(v) == 0)
                    free.push_back(v);
            x = free[static_cast<size_t>(random.bounded(static_cast<int>(free.size())))];
        }
        misses = 0;
        taken.insert(x);
        picked.push_back(x);
    }
    return picked;
}

void LevelLists::add(int no, const TsrRecord& question) {
    if (question.LevelLow)
        low.push_back(no);
    if (question.LevelMedium)
        medium.push_back(no);
    if (question.LevelSufficient)
        sufficient.push_back(no);
    if (question.LevelHigh)
        high.push_back(no);
}

LevelLists readLevelLists(const QString& tsrPath, const Storage& storage) {
    const QByteArray bytes = storage.read(tsrPath, StoredKind::TestFile);
    LevelLists lists;
    const qsizetype count = bytes.size() / TsrRecord::Size;
    for (qsizetype r = 1; r < count; ++r) {
        const TsrRecord q =
            TsrRecord::decode(QByteArrayView(bytes).sliced(r * TsrRecord::Size, TsrRecord::Size));
        lists.add(static_cast<int>(r), q);
    }
    return lists;
}

std::vector<int> SelectQuestionsTsm(const Ns1Record& p, RandomSource& random) {
    std::vector<int> order{0};
    if (p.TestQuestions <= 0)
        return order;
    if (p.TestingMode.InputOrder) {
        for (int i = 1; i <= p.TestQuestions; ++i)
            order.push_back(i);
        return order;
    }
    std::vector<int> all;
    for (int i = 1; i <= p.QuestionsInFile; ++i)
        all.push_back(i);
    const std::vector<int> picked = PickDistinct(all, p.QuestionsInFile, p.TestQuestions, random);
    order.insert(order.end(), picked.begin(), picked.end());
    return order;
}

namespace {
void appendFirst(std::vector<int>& order, const std::vector<int>& from, int n) {
    const int take = std::clamp(n, 0, static_cast<int>(from.size()));
    order.insert(order.end(), from.begin(), from.begin() + take);
}
} // namespace

std::vector<int> SelectQuestionsTsr(const Ns2Record& p, const LevelLists& levels,
                                    RandomSource& random, LevelLists* selected) {
    std::vector<int> order{0};
    if (p.TestingMode.InputOrder) {
        appendFirst(order, levels.low, p.TestLow);
        appendFirst(order, levels.medium, p.TestMedium);
        appendFirst(order, levels.sufficient, p.TestSufficient);
        appendFirst(order, levels.high, p.TestHigh);
        return order;
    }
    LevelLists drawn;
    auto draw = [&random](const std::vector<int>& list, int inFile, int n) {
        return inFile != 0 ? PickDistinct(list, inFile, n, random) : std::vector<int>();
    };
    drawn.low = draw(levels.low, p.InFileLow, p.TestLow);
    drawn.medium = draw(levels.medium, p.InFileMedium, p.TestMedium);
    drawn.sufficient = draw(levels.sufficient, p.InFileSufficient, p.TestSufficient);
    drawn.high = draw(levels.high, p.InFileHigh, p.TestHigh);
    appendFirst(order, drawn.low, p.TestLow);
    appendFirst(order, drawn.medium, p.TestMedium);
    appendFirst(order, drawn.sufficient, p.TestSufficient);
    appendFirst(order, drawn.high, p.TestHigh);
    if (selected)
        *selected = std::move(drawn);
    return order;
}

std::array<int, 5> PeremVidp(RandomSource& random) {
    const std::vector<int> picked = PickDistinct({1, 2, 3, 4, 5}, 5, 5, random);
    std::array<int, 5> permutation{};
    std::copy(picked.begin(), picked.end(), permutation.begin());
    return permutation;
}

std::array<int, 5> filledFirst(const std::array<int, 5>& drawn, const std::array<bool, 5>& filled) {
    std::array<int, 5> answers{0, 1, 2, 3, 4}; // by the slot drawn for each
    std::sort(answers.begin(), answers.end(),
              [&](int a, int b) { return drawn[size_t(a)] < drawn[size_t(b)]; });
    std::stable_partition(answers.begin(), answers.end(), [&](int a) { return filled[size_t(a)]; });
    std::array<int, 5> compact{};
    for (int slot = 0; slot < 5; ++slot)
        compact[size_t(answers[size_t(slot)])] = slot + 1;
    return compact;
}

} // namespace zorvik

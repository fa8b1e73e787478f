// Which questions a run asks and in which order, and the answer shuffle.
#pragma once

#include "storage.h"

#include "records.h"
#include "services.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace zorvik {

// Limits of a run: questions of a one-level file, of one level of a four-level
// file, and of one run.
constexpr int kMaxQuestionsTsm = 1500;
constexpr int kMaxQuestionsPerLevel = 500;
constexpr int kMaxRunQuestions = 2000;

// n distinct entries of source[0 .. m-1], in random order: an entry drawn
// again is drawn anew. Needs n <= the number of distinct entries there; a
// generator that keeps repeating itself cannot make it loop for ever.
std::vector<int> PickDistinct(const std::vector<int>& source, int m, int n, RandomSource& random);

// Record numbers of each level, in file order; a record enters the list of
// every level flag it carries.
struct LevelLists {
    std::vector<int> low;
    std::vector<int> medium;
    std::vector<int> sufficient;
    std::vector<int> high;

    // Adds question `no` to the list of each level flag it carries.
    void add(int no, const TsrRecord& question);
};

// Reads every question of a four-level test file (records 1 .. count-1).
// Throws FileError.
LevelLists readLevelLists(const QString& tsrPath, const Storage& storage = Storage::system());

// The record numbers of a run, from index 1 (index 0 is unused).
// One-level: the first TestQuestions records in order, or as many drawn from
// 1 .. QuestionsInFile.
std::vector<int> SelectQuestionsTsm(const Ns1Record& params, RandomSource& random);

// Four-level: the questions of each level (low, medium, sufficient, high) in
// turn, drawn within the level or the first ones in file order. The drawn
// lists go to `selected` when it is given.
std::vector<int> SelectQuestionsTsr(const Ns2Record& params, const LevelLists& levels,
                                    RandomSource& random, LevelLists* selected = nullptr);

// The answer shuffle: entry k is the slot (1..5) of answer k.
std::array<int, 5> PeremVidp(RandomSource& random);
constexpr std::array<int, 5> kOwnSlots{1, 2, 3, 4, 5};
// The shuffled slots of answers 1..5 with the filled answers first, in their
// shuffled order, and the empty ones after them: a student sees no gaps.
std::array<int, 5> filledFirst(const std::array<int, 5>& drawn, const std::array<bool, 5>& filled);

} // namespace zorvik

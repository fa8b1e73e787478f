// The parts of the outside world that the core needs: the clock and the
// random generator. The program passes real ones; tests pass fixed ones.
#pragma once

#include <QDateTime>
#include <QRandomGenerator>

namespace zorvik {

class Clock {
public:
    virtual ~Clock() = default;
    // Wall-clock time, for the texts written into logs and journals.
    virtual QDateTime now() const = 0;
    // Milliseconds from a fixed start, never going back, for time limits.
    virtual qint64 monotonicMs() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number from 0 to n - 1; n > 0.
    virtual int bounded(int n) = 0;
};

// A generator that repeats its draws for the same seed, so that a run given
// from the command line can be given again.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(quint32 seed) : generator_(seed) {}
    int bounded(int n) override { return static_cast<int>(generator_.bounded(n)); }

private:
    QRandomGenerator generator_;
};

// The system clock and a generator seeded from it.
Clock& systemClock();
RandomSource& systemRandom();

} // namespace zorvik

#include "services.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace zorvik {
namespace {

class SystemClock final : public Clock {
public:
    SystemClock() { timer_.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

class SystemRandom final : public RandomSource {
public:
    int bounded(int n) override { return static_cast<int>(generator_.bounded(n)); }

private:
    QRandomGenerator generator_{QRandomGenerator::securelySeeded()};
};

} // namespace

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

RandomSource& systemRandom() {
    static SystemRandom random;
    return random;
}

} // namespace zorvik

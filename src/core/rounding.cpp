#include "rounding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace zorvik {

namespace {
constexpr qint64 pow10(int n) {
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}
} // namespace

qint64 divRoundHalfEven(qint64 num, qint64 den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q % 2 != 0)))
        ++q;
    return q;
}

qint64 scaledRound(double x, int decimals) {
    if (!std::isfinite(x))
        return 0;
    // Past 64 bits nothing can be told: the nearest end, never the wrong sign.
    const double scaled = x * std::pow(10.0, decimals);
    if (scaled >= 0x1p63)
        return std::numeric_limits<qint64>::max();
    if (scaled <= -0x1p63)
        return std::numeric_limits<qint64>::min();
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    // d.ddddde±XX
    const auto ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    bool negative = false;
    std::string digits;
    for (size_t i = 0; i < ePos; ++i) {
        if (text[i] == '-')
            negative = true;
        else if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    }
    // value = digits × 10^(exponent - (digits.size() - 1)); we want value × 10^decimals.
    const int shift = exponent - static_cast<int>(digits.size() - 1) + decimals;
    qint64 result;
    if (shift >= 0) {
        if (shift > 18 || digits.size() > 18)
            return static_cast<qint64>(std::nearbyint(x * std::pow(10.0, decimals)));
        result = std::stoll(digits) * pow10(shift);
    } else {
        const int drop = -shift;
        if (drop > static_cast<int>(digits.size()) + 1) {
            result = 0;
        } else {
            // Keep the digits before the cut, and decide by what is cut.
            const size_t keep =
                digits.size() > static_cast<size_t>(drop) ? digits.size() - drop : 0;
            const qint64 head = keep ? std::stoll(digits.substr(0, keep)) : 0;
            const std::string tail = digits.substr(keep);
            // tail is padded on the left with zeros when drop > digits.size()
            const std::string cut =
                std::string(static_cast<size_t>(drop) - tail.size(), '0') + tail;
            int cmp; // cut compared with one half
            if (cut[0] > '5')
                cmp = 1;
            else if (cut[0] < '5')
                cmp = -1;
            else
                cmp = cut.find_first_not_of('0', 1) == std::string::npos ? 0 : 1;
            result = head;
            if (cmp > 0 || (cmp == 0 && head % 2 != 0))
                ++result;
        }
    }
    return negative ? -result : result;
}

double roundTo(double x, int decimals) {
    // A double this large is a whole number already: nothing to round.
    if (std::fabs(x) >= 0x1p53)
        return x;
    return static_cast<double>(scaledRound(x, decimals)) / static_cast<double>(pow10(decimals));
}

qint64 roundHalfEven(double x) {
    return scaledRound(x, 0);
}

} // namespace zorvik

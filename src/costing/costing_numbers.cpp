#include "costing/costing_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace trevane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Largest amount the money format shows: 13 digits before the point.
constexpr std::int64_t kMaxShownPence = 999'999'999'999'999;

// |value| taken to 15 significant digits, then rounded to `decimals` decimals with
// halves away from zero, as a whole number of 10^-decimals units. nullopt when the
// result does not fit 64 bits.
std::optional<std::int64_t> RoundDecimal(double value, int decimals) {
    if (!std::isfinite(value)) return std::nullopt;
    // "d.dddddddddddddde+XX": the 15 significant digits, correctly rounded.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    if (*p != 'e' || digits.size() != 15) return std::nullopt;
    const int exponent = std::atoi(p + 1);
    // Digits that stand before the rounding place.
    const int kept = exponent + 1 + decimals;
    if (kept > 18) return std::nullopt;
    std::int64_t units = 0;
    for (int i = 0; i < kept; ++i) units = units * 10 + (i < 15 ? digits[static_cast<std::size_t>(i)] - '0' : 0);
    if (kept >= 0 && kept < 15 && digits[static_cast<std::size_t>(kept)] >= '5') ++units;
    return value < 0 ? -units : units;
}

}  // namespace

std::optional<Money> ToMoney(double pounds) {
    const auto pence = RoundDecimal(pounds, 2);
    if (!pence || *pence > kMaxShownPence || *pence < -kMaxShownPence) return std::nullopt;
    return Money{*pence};
}

std::optional<double> ParseDecimal(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    int digits = 0, points = 0;
    bool nonzeroBeforePoint = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
            if (c != '0' && points == 0) nonzeroBeforePoint = true;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;

    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large is refused; too small (only zeros before the first digit that
        // counts) is a zero.
        if (nonzeroBeforePoint) return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

double RoundHalfEven(double value) {
    // nearbyint uses the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; do the tie-break by hand to be independent of it.
    double lower = std::floor(value);
    double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::string FormatFixed2(Money amount) {
    const std::int64_t whole = amount.pence / 100;
    const int cents = static_cast<int>(std::llabs(amount.pence % 100));
    std::string s = amount.pence < 0 ? "-" : "";
    s += std::to_string(std::llabs(whole));
    s += '.';
    s += static_cast<char>('0' + cents / 10);
    s += static_cast<char>('0' + cents % 10);
    return s;
}

std::string FormatFixed2(double value) {
    if (const auto units = RoundDecimal(value, 2)) return FormatFixed2(Money{*units});
    // Beyond 64 bits of pence: the plain fixed-point text.
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 2);
    if (ec != std::errc()) return {};
    return std::string(buf.data(), end);
}

bool IsShowableAmount(double value) { return ToMoney(value).has_value(); }

std::string FormatMoney(double pounds) { return std::string(kPoundSign) + " " + FormatFixed2(pounds); }
std::string FormatMoney(Money amount) { return std::string(kPoundSign) + " " + FormatFixed2(amount); }

std::string FormatMoneyTight(double pounds) { return std::string(kPoundSign) + FormatFixed2(pounds); }
std::string FormatMoneyTight(Money amount) { return std::string(kPoundSign) + FormatFixed2(amount); }

std::string TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

std::optional<long long> ParseCount(std::string_view text) {
    const std::string t = TrimSpaces(text);
    if (t.empty() || t.size() > 12) return std::nullopt;
    long long n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace trevane

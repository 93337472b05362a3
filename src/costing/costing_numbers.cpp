#include "costing/costing_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace trevane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

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

std::string FormatFixed2(double value) {
    // The largest finite double has 309 digits before the point.
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 2);
    if (ec != std::errc()) return {};
    std::string s(buf.data(), end);
    if (s == "-0.00") s = "0.00";
    return s;
}

bool IsShowableAmount(double value) {
    if (!std::isfinite(value)) return false;
    std::string s = FormatFixed2(std::fabs(value));
    return !s.empty() && s.size() - 3 <= 13;  // digits before ".dd"
}

std::string FormatMoney(double pounds) { return std::string(kPoundSign) + " " + FormatFixed2(pounds); }

std::string FormatMoneyTight(double pounds) { return std::string(kPoundSign) + FormatFixed2(pounds); }

}  // namespace trevane

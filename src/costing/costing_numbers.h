#pragma once
// Numbers on the costing page: strict reading of typed sizes, rounding and the
// money format.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/errors.h"

namespace trevane {

// The pound sign (UTF-8).
inline constexpr std::string_view kPoundSign = "\xC2\xA3";

// A typed text that is not a number the costing arithmetic accepts.
class EConvertError : public EQelError {
public:
    using EQelError::EQelError;
};

// An amount of money as it is shown: whole pence. Costs are computed in pounds
// (floating point) and become Money once, by ToMoney; labels, cutting-list cells,
// totals and printed pages show Money, so they all agree to the penny.
struct Money {
    std::int64_t pence = 0;
    auto operator<=>(const Money&) const = default;
};

// The amount as a person rounds it: the value taken to 15 significant digits,
// then to whole pence with halves away from zero (0.125 gives 0.13). nullopt when
// it is not finite or has more than 13 digits before the point (more than the
// money format's 15 significant digits).
std::optional<Money> ToMoney(double pounds);

// Reads a plain decimal number as a pupil types it: digits with at most one point
// ("12", "12.5", ".5", "12."), blanks allowed around it. Signs, exponents, "inf",
// "nan", thousands separators, a second point and digit runs too long for a
// finite double all give nullopt. A value too small to represent reads as 0.
std::optional<double> ParseDecimal(std::string_view text);
// A number off as the cutting list holds it: whole, at most 12 digits, spaces
// around it allowed; nullopt otherwise.
std::optional<long long> ParseCount(std::string_view text);
// The text without the spaces around it.
std::string TrimSpaces(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// True when ToMoney accepts the amount.
bool IsShowableAmount(double value);

// Fixed-point text with exactly two decimals, no thousands separator ("12.50"),
// rounded as ToMoney rounds.
std::string FormatFixed2(double value);
std::string FormatFixed2(Money amount);

// "£ 12.50": pound sign, one blank, the amount.
std::string FormatMoney(double pounds);
std::string FormatMoney(Money amount);

// "£12.50": pound sign directly followed by the amount.
std::string FormatMoneyTight(double pounds);
std::string FormatMoneyTight(Money amount);

}  // namespace trevane

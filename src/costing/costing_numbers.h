#pragma once
// Numbers on the costing page: strict reading of typed sizes, rounding and the
// money format.
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

// Reads a plain decimal number as a pupil types it: digits with at most one point
// ("12", "12.5", ".5", "12."), blanks allowed around it. Signs, exponents, "inf",
// "nan", thousands separators, a second point and digit runs too long for a
// finite double all give nullopt. A value too small to represent reads as 0.
std::optional<double> ParseDecimal(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// True when the amount is finite and its fixed-point text with two decimals has at
// most 15 significant digits (13 before the point), so it can be shown exactly.
bool IsShowableAmount(double value);

// Fixed-point text with exactly two decimals, no thousands separator ("12.50").
std::string FormatFixed2(double value);

// "£ 12.50": pound sign, one blank, the amount.
std::string FormatMoney(double pounds);

// "£12.50": pound sign directly followed by the amount.
std::string FormatMoneyTight(double pounds);

}  // namespace trevane

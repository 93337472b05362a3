#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "costing/costing_numbers.h"

namespace trevane {
namespace {

TEST(CostingNumbers, ReadsPlainDecimalsOnly) {
    const std::vector<std::pair<std::string, double>> good = {
        {"12", 12}, {"12.5", 12.5}, {".5", 0.5}, {"12.", 12}, {" 250 ", 250}, {"0." + std::string(350, '0') + "1", 0}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseDecimal(text), value) << text;
    for (const char* bad :
         {"", " ", ".", "1e400", "1e3", "nan", "inf", "12abc", "1.2.3", "-5", "+5", "1,5", "0x10", "12 5"})
        EXPECT_FALSE(ParseDecimal(bad)) << bad;
    EXPECT_FALSE(ParseDecimal(std::string(400, '9')));  // does not fit a finite double
}

TEST(CostingNumbers, RoundsHalvesToEven) {
    for (const auto& [value, rounded] :
         std::vector<std::pair<double, double>>{{300.4, 300}, {300.5, 300}, {301.5, 302}, {2.5, 2}, {0.6, 1}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

// Two decimals and fifteen digits at most; amounts round as a person rounds them:
// fifteen significant digits first (0.105 is a little less in binary), then halves
// away from zero.
TEST(CostingNumbers, MoneyRoundsAsAPersonRoundsIt) {
    EXPECT_EQ(FormatMoney(12.5), "\xC2\xA3 12.50");
    EXPECT_EQ(FormatMoneyTight(3.75), std::string("\xC2\xA3") + "3.75");
    EXPECT_EQ(FormatFixed2(1234567.891), "1234567.89");  // no thousands separator
    EXPECT_TRUE(IsShowableAmount(9999999999999.99));
    for (double v : {10000000000000.0, 9999999999999.999, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(IsShowableAmount(v)) << v;
    std::string rounded;
    for (double v : {420 * (0.5 * 0.05) / 100, 25 * 0.5 / 100, 50000 / 100.0 * 0.5 * 0.05 * 0.01, 0.114999999999, 0.005,
                     0.004999, -0.125, -0.001})
        rounded += FormatFixed2(v) + " ";
    EXPECT_EQ(rounded, "0.11 0.13 0.13 0.11 0.01 0.00 -0.13 0.00 ");
    EXPECT_EQ(ToMoney(12.5), Money{1250});
    EXPECT_EQ(FormatMoney(Money{5}), "\xC2\xA3 0.05");
    EXPECT_EQ(FormatMoneyTight(Money{-1205}), "\xC2\xA3-12.05");
    EXPECT_FALSE(ToMoney(1e13));
}

}  // namespace
}  // namespace trevane

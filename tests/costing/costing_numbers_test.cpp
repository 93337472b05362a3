#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "costing/costing_numbers.h"

namespace trevane {
namespace {

TEST(CostingNumbers, ReadsPlainDecimalsOnly) {
    EXPECT_EQ(ParseDecimal("12"), 12.0);
    EXPECT_EQ(ParseDecimal("12.5"), 12.5);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    EXPECT_EQ(ParseDecimal("12."), 12.0);
    EXPECT_EQ(ParseDecimal(" 250 "), 250.0);  // blanks around pasted text
    EXPECT_EQ(ParseDecimal("0." + std::string(350, '0') + "1"), 0.0);
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

TEST(CostingNumbers, MoneyHasTwoDecimalsAndFifteenDigitsAtMost) {
    EXPECT_EQ(FormatMoney(12.5), "\xC2\xA3 12.50");
    EXPECT_EQ(FormatMoneyTight(3.75), std::string("\xC2\xA3") + "3.75");
    EXPECT_EQ(FormatMoney(0), "\xC2\xA3 0.00");
    EXPECT_EQ(FormatFixed2(1234567.891), "1234567.89");  // no thousands separator
    EXPECT_TRUE(IsShowableAmount(9999999999999.99));
    EXPECT_FALSE(IsShowableAmount(10000000000000.0));
    EXPECT_FALSE(IsShowableAmount(9999999999999.999));  // rounds up to 14 digits before the point
    EXPECT_FALSE(IsShowableAmount(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsShowableAmount(std::numeric_limits<double>::quiet_NaN()));
}

TEST(CostingNumbers, AmountsRoundAsAPersonRoundsThem) {
    // Fifteen significant digits first, then halves away from zero.
    EXPECT_EQ(FormatFixed2(420 * (0.5 * 0.05) / 100), "0.11");  // 0.10499999... in binary
    EXPECT_EQ(FormatFixed2(25 * 0.5 / 100), "0.13");            // exactly 0.125
    EXPECT_EQ(FormatFixed2(50000 / 100.0 * 0.5 * 0.05 * 0.01), "0.13");
    EXPECT_EQ(FormatFixed2(0.114999999999), "0.11");
    EXPECT_EQ(FormatFixed2(0.005), "0.01");
    EXPECT_EQ(FormatFixed2(0.004999), "0.00");
    EXPECT_EQ(FormatFixed2(-0.125), "-0.13");
    EXPECT_EQ(FormatFixed2(-0.001), "0.00");
    EXPECT_EQ(ToMoney(12.5), Money{1250});
    EXPECT_EQ(FormatMoney(Money{5}), "\xC2\xA3 0.05");
    EXPECT_EQ(FormatMoneyTight(Money{-1205}), "\xC2\xA3-12.05");
    EXPECT_FALSE(ToMoney(1e13));
}

}  // namespace
}  // namespace trevane

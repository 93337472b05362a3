#include <gtest/gtest.h>

#include "common/binary_io.h"
#include "common/cp1252.h"
#include "common/errors.h"

namespace trevane {
namespace {

TEST(Cp1252, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), &lossless), all);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xA3\xE9"), "\u20AC\u00A3\u00E9");
}

TEST(Cp1252, RefusesWhatTheCodePageCannotHold) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp1252("a\u0416b", &lossless), "a?b");  // Cyrillic
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(FitsCp1252("\xF0\x9F\x98\x80"));  // emoji
    EXPECT_FALSE(FitsCp1252("\xC3"));              // cut UTF-8 sequence
    EXPECT_FALSE(FitsCp1252("\xED\xA0\x80"));      // surrogate
    EXPECT_TRUE(FitsCp1252("caf\u00E9 \u20AC5"));
}

TEST(ByteReader, ChecksEveryLengthAgainstWhatRemains) {
    ByteWriter w;
    w.WriteInt32(-2);
    w.WriteCountedString("ab");
    ByteReader r(w.Data());
    EXPECT_EQ(r.ReadInt32(), -2);
    EXPECT_EQ(r.ReadCountedString(), "ab");
    EXPECT_TRUE(r.AtEnd());
    EXPECT_THROW(r.ReadByte(), ETruncated);

    ByteWriter huge;
    huge.WriteInt32(0x7FFFFFFF);
    ByteReader r2(huge.Data());
    EXPECT_THROW(r2.ReadCountedBytes(), ETruncated);
    ByteWriter negative;
    negative.WriteInt32(-1);
    ByteReader r3(negative.Data());
    EXPECT_THROW(r3.ReadCountedBytes(), ETruncated);
}

}  // namespace
}  // namespace trevane

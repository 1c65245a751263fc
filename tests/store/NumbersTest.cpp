// The one reader of whole numbers, in each spelling a format takes: what it takes, what it refuses, and its bounds.
#include <gtest/gtest.h>

#include <optional>

#include "store/Numbers.h"

namespace zv::store {
namespace {

constexpr WholeForm kBestGamesNumber{.padded = true, .most = 10};
constexpr WholeForm kDateDigits{.minus = false, .padded = true};
constexpr WholeForm kSkinNumber{.plus = true, .padded = true};

TEST(WholeNumbers, EachFormTakesItsOwnSpellingsWithinTheBounds) {
    const struct {
        const char* form;
        WholeForm how;
        const char* text;
        std::optional<std::int64_t> value; // nothing: refused
    } cases[] = {
        {"plain", kPlainWhole, "0", 0},
        {"plain", kPlainWhole, "-12", -12},
        {"plain", kPlainWhole, "2147483647", 2147483647},
        {"plain", kPlainWhole, "-2147483648", -2147483648LL},
        {"plain", kPlainWhole, "2147483648", std::nullopt},
        {"plain", kPlainWhole, "-0", std::nullopt},
        {"plain", kPlainWhole, "007", std::nullopt},
        {"plain", kPlainWhole, "+1", std::nullopt},
        {"plain", kPlainWhole, "", std::nullopt},
        {"plain", kPlainWhole, "-", std::nullopt},
        {"plain", kPlainWhole, " 1", std::nullopt},
        {"plain", kPlainWhole, "1 ", std::nullopt},
        {"plain", kPlainWhole, "1e3", std::nullopt},
        {"best games", kBestGamesNumber, "0000000001", 1},
        {"best games", kBestGamesNumber, "00000000001", std::nullopt},
        {"best games", kBestGamesNumber, "-007", -7},
        {"best games", kBestGamesNumber, "-0", 0},
        {"best games", kBestGamesNumber, "+5", std::nullopt},
        {"best games", kBestGamesNumber, "9999999999", std::nullopt},
        {"date", kDateDigits, "0000", 0},
        {"date", kDateDigits, "0229", 229},
        {"date", kDateDigits, "-1", std::nullopt},
        {"skin", kSkinNumber, "+5", 5},
        {"skin", kSkinNumber, "+0", 0},
        {"skin", kSkinNumber, "-0", 0},
        {"skin", kSkinNumber, "000000000000000000000000042", 42},
        {"skin", kSkinNumber, "-2147483648", -2147483648LL},
        {"skin", kSkinNumber, "2147483648", std::nullopt},
        {"skin", kSkinNumber, "99999999999999999999999999", std::nullopt},
        {"skin", kSkinNumber, "+", std::nullopt},
        {"skin", kSkinNumber, "+-1", std::nullopt},
    };
    for (const auto& c : cases) {
        std::int32_t out = 77;
        EXPECT_EQ(ReadWhole(c.text, INT32_MIN, INT32_MAX, out, c.how), c.value.has_value()) << c.form << " \"" << c.text << '"';
        EXPECT_EQ(out, c.value.value_or(77)) << c.form << " \"" << c.text << '"';
    }
}

TEST(WholeNumbers, TheBoundsAreTheCallersUpToSixtyFourBits) {
    std::int64_t v = 0;
    EXPECT_TRUE(ReadWhole("9223372036854775807", INT64_MIN, INT64_MAX, v));
    EXPECT_EQ(v, INT64_MAX);
    EXPECT_TRUE(ReadWhole("-9223372036854775808", INT64_MIN, INT64_MAX, v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(ReadWhole("9223372036854775808", INT64_MIN, INT64_MAX, v));
    EXPECT_FALSE(ReadWhole("-9223372036854775809", INT64_MIN, INT64_MAX, v));
    EXPECT_FALSE(ReadWhole("184467440737095516150", INT64_MIN, INT64_MAX, v)); // wraps 64 bits back to a small number
    EXPECT_FALSE(ReadWhole("0", 1, 5, v));
    EXPECT_FALSE(ReadWhole("6", 1, 5, v));
    std::uint32_t u = 0;
    EXPECT_TRUE(ReadWhole("4294967295", 0, UINT32_MAX, u));
    EXPECT_EQ(u, 4294967295u);
    EXPECT_TRUE(AllDigits("0123"));
    EXPECT_FALSE(AllDigits(""));
    EXPECT_FALSE(AllDigits("1.5"));
}

} // namespace
} // namespace zv::store

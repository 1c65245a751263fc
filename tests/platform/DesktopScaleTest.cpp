// The desktop scale: which source decides, values passed over, whole factors, the reason line, Xft.dpi in resources.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/DesktopScale.h"

using namespace zv::platform;

namespace {

constexpr auto kNone = std::nullopt;

double ScaleOf(const char* zorvex, const char* gdk, std::optional<double> dpi) { return ChooseScale(zorvex, gdk, dpi).scale.Factor(); }

} // namespace

TEST(ChooseScale, ZorvexScaleThenGdkScaleThenXftDpiThenOne) {
    EXPECT_EQ(ChooseScale("3", "2", 192.0).reason, "scale 3 from ZORVEX_SCALE 3");
    EXPECT_EQ(ChooseScale(nullptr, "2", 288.0).reason, "scale 2 from GDK_SCALE 2");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 192.0).reason, "scale 2 from Xft.dpi 192");
    const ScaleChoice none = ChooseScale(nullptr, nullptr, kNone);
    EXPECT_EQ(none.scale, 1);
    EXPECT_EQ(none.reason, "scale 1 (ZORVEX_SCALE unset; GDK_SCALE unset; no Xft.dpi)");
    // A scale of 1 asked for is a choice like any other: it is not passed over for a larger one.
    EXPECT_EQ(ScaleOf("1", "4", 384.0), 1);
    EXPECT_EQ(ScaleOf(nullptr, "1", 384.0), 1);
}

TEST(ChooseScale, AValueThatIsNoPositiveNumberIsPassedOverSayingWhy) {
    EXPECT_EQ(ChooseScale("abc", nullptr, kNone).reason,
              "scale 1 (ZORVEX_SCALE \"abc\" is not a number; GDK_SCALE unset; no Xft.dpi)");
    EXPECT_EQ(ChooseScale("abc", "2", kNone).reason, "scale 2 from GDK_SCALE 2 (ZORVEX_SCALE \"abc\" is not a number)");
    EXPECT_EQ(ChooseScale("0", "-2", 192.0).reason,
              "scale 2 from Xft.dpi 192 (ZORVEX_SCALE \"0\" is not a positive number; GDK_SCALE \"-2\" is not a positive number)");
    EXPECT_EQ(ChooseScale("", nullptr, 192.0).reason, "scale 2 from Xft.dpi 192 (ZORVEX_SCALE is empty)");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 0.0).reason,
              "scale 1 (ZORVEX_SCALE unset; GDK_SCALE unset; Xft.dpi 0 is not a positive number)");
    EXPECT_EQ(ScaleOf(nullptr, nullptr, -192.0), 1);
    EXPECT_EQ(ScaleOf(nullptr, nullptr, std::numeric_limits<double>::quiet_NaN()), 1);
    EXPECT_EQ(ScaleOf(nullptr, nullptr, std::numeric_limits<double>::infinity()), 1);
    const std::string tooLong(400, '9'); // beyond any double
    for (const char* bad : {" ", "2x", "x2", "+2", "0x2", "1e1", "2,5", "inf", "nan", "1..5", "-", ".", "2 2", tooLong.c_str()}) {
        const ScaleChoice c = ChooseScale(bad, "3", kNone);
        EXPECT_EQ(c.scale, 3) << '"' << bad << '"';
        EXPECT_NE(c.reason.find("ZORVEX_SCALE"), std::string::npos) << c.reason;
    }
    // Blanks around a number are no reason to refuse it.
    EXPECT_EQ(ScaleOf(" 2\t", nullptr, kNone), 2);
}

TEST(ChooseScale, TheReasonStaysOneShortLineWhateverTheEnvironmentHolds) {
    const std::string junk = "2\n\x1b[31mred" + std::string(200, 'z');
    const ScaleChoice c = ChooseScale(junk.c_str(), nullptr, kNone);
    EXPECT_EQ(c.scale, 1);
    EXPECT_EQ(c.reason.find_first_of("\n\r\x1b"), std::string::npos) << c.reason;
    EXPECT_LT(c.reason.size(), 120u) << c.reason;
    EXPECT_NE(c.reason.find("ZORVEX_SCALE \"2??[31mred"), std::string::npos) << c.reason;
}

TEST(ChooseScale, AFactorGoesToTheNearestQuarterWithinOneToFour) {
    struct Case {
        const char* value;
        double scale;
    } cases[] = {{"1.25", 1.25}, {"1.5", 1.5}, {"1.3", 1.25}, {"1.375", 1.5}, {"1.94", 2}, {"1.98", 2}, {"2.0", 2},
                 {"2.5", 2.5}, {"2.2", 2.25}, {"3.99", 4}, {"0.5", 1}, {".5", 1}, {"0.9", 1}, {"4.5", 4}, {"8", 4},
                 {"99999999999999999999999", 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleOf(c.value, nullptr, kNone), c.scale) << "ZORVEX_SCALE " << c.value;
        EXPECT_EQ(ScaleOf(nullptr, c.value, kNone), c.scale) << "GDK_SCALE " << c.value;
    }
    EXPECT_EQ(ChooseScale("2.5", nullptr, kNone).reason, "scale 2.5 from ZORVEX_SCALE 2.5");
    EXPECT_EQ(ChooseScale("1.3", nullptr, kNone).reason, "scale 1.25 from ZORVEX_SCALE 1.3 (rounded down)");
    EXPECT_EQ(ChooseScale(nullptr, "1.98", kNone).reason, "scale 2 from GDK_SCALE 1.98 (rounded up)");
    EXPECT_EQ(ChooseScale("0.5", nullptr, kNone).reason, "scale 1 from ZORVEX_SCALE 0.5 (at least 1)");
    EXPECT_EQ(ChooseScale(nullptr, "8", kNone).reason, "scale 4 from GDK_SCALE 8 (at most 4)");
}

// GDK_DPI_SCALE multiplies the factor GDK_SCALE or Xft.dpi gives, or decides alone; ZORVEX_SCALE stays above it.
TEST(ChooseScale, GdkDpiScaleMultipliesWhatDecides) {
    const struct {
        const char *zorvex, *gdk;
        std::optional<double> dpi;
        const char* dpiScale;
        const char* reason;
    } cases[] = {
        {nullptr, "1", kNone, "1.5", "scale 1.5 from GDK_SCALE 1 x GDK_DPI_SCALE 1.5"},
        {nullptr, "2", kNone, "0.5", "scale 1 from GDK_SCALE 2 x GDK_DPI_SCALE 0.5"},
        {nullptr, "1", kNone, "1.3", "scale 1.25 from GDK_SCALE 1 x GDK_DPI_SCALE 1.3 (factor 1.3, rounded down)"},
        {nullptr, nullptr, 96.0, "1.25", "scale 1.25 from Xft.dpi 96 x GDK_DPI_SCALE 1.25"},
        {nullptr, nullptr, kNone, "1.75", "scale 1.75 from GDK_DPI_SCALE 1.75"},
        {"2", "1", kNone, "1.5", "scale 2 from ZORVEX_SCALE 2"},
        {nullptr, "1", kNone, "x", "scale 1 from GDK_SCALE 1 (GDK_DPI_SCALE \"x\" is not a number)"},
        {nullptr, nullptr, kNone, "-1", "scale 1 (ZORVEX_SCALE unset; GDK_SCALE unset; no Xft.dpi; GDK_DPI_SCALE \"-1\" is not a positive number)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseScale(c.zorvex, c.gdk, c.dpi, c.dpiScale).reason, c.reason);
}

TEST(ChooseScale, XftDpiCountsInQuartersOf96) {
    struct Case {
        double dpi;
        double scale;
    } cases[] = {{96, 1}, {108, 1.25}, {120, 1.25}, {144, 1.5}, {150, 1.5}, {168, 1.75}, {187, 2}, {190, 2}, {192, 2},
                 {240, 2.5}, {286, 3}, {288, 3}, {384, 4}, {480, 4}, {1e300, 4}, {72, 1}, {0.5, 1}};
    for (const Case& c : cases) EXPECT_EQ(ScaleOf(nullptr, nullptr, c.dpi), c.scale) << "Xft.dpi " << c.dpi;
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 144.0).reason, "scale 1.5 from Xft.dpi 144");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 150.0).reason, "scale 1.5 from Xft.dpi 150 (factor 1.56, rounded down)");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 190.0).reason, "scale 2 from Xft.dpi 190 (factor 1.98, rounded up)");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 480.0).reason, "scale 4 from Xft.dpi 480 (at most 4)");
    EXPECT_EQ(ChooseScale(nullptr, nullptr, 96.5).reason, "scale 1 from Xft.dpi 96.5 (factor 1.01, rounded down)");
}

TEST(XftDpiFromResources, TakesTheXftDpiLineOfAResourceString) {
    // As xrdb leaves it in RESOURCE_MANAGER.
    EXPECT_EQ(XftDpiFromResources("*customization:\t-color\nXft.dpi:\t192\nXft.antialias:\t1\n"), 192.0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t120.5"), 120.5);
    EXPECT_EQ(XftDpiFromResources("  Xft.dpi  : \t 144 \t\r\nXterm*font:\tfixed\n"), 144.0);
    // The last entry wins, as in the resource database; other names are not it.
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t96\nXft.dpi:\t192\n"), 192.0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t0\n"), 0.0);
    for (const char* none : {"", "\n\n", "*dpi:\t192\n", "Xft.dpix:\t192", "xft.dpi:\t192", "Xft*dpi:\t192",
                             "XXft.dpi:\t192", "Xft.dpi\t192", "Xft.dpi:\n", "Xft.dpi:\tlarge", "Xft.dpi:\t192 dpi",
                             "Xft.dpi:\t1e2", "Xft.dpi:\tinf", "Xft.dpi:\t192\nXft.dpi:\tjunk\n"})
        EXPECT_EQ(XftDpiFromResources(none), std::nullopt) << none;
    // A colon inside a value does not start a name.
    EXPECT_EQ(XftDpiFromResources("a.b:\tXft.dpi: 192\n"), std::nullopt);
}

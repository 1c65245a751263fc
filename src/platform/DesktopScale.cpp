// The choice of the desktop scale, and Xft.dpi read from the X server through libxcb loaded at run time.
#include "platform/DesktopScale.h"

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zv::platform {

namespace {

// Xft.dpi at scale 1.
constexpr double kBaseDpi = 96.0;

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A decimal number making up the whole text; nullopt for anything else, infinities included.
std::optional<double> Number(std::string_view text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

// A value from the environment as it may appear in the one line of the reason.
std::string Shown(std::string_view value) {
    constexpr std::size_t kMaxShown = 32;
    std::string out;
    for (std::size_t i = 0; i < value.size() && i < kMaxShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (value.size() > kMaxShown) out += "...";
    return out;
}

// Two decimals at most, as in "factor 1.98"; %g where that would say nothing or far too much.
std::string FormatNumber(double v) {
    char buf[64];
    const bool plain = std::isfinite(v) && std::fabs(v) < 1e6 && (v == 0 || std::fabs(v) >= 0.005);
    std::snprintf(buf, sizeof buf, plain ? "%.2f" : "%g", v);
    std::string s = buf;
    if (plain && s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

struct Stepped {
    ui::Scale scale;
    std::string note; // how the factor was made a step of 0.25, "" when it was one already
};

// The nearest quarter, halves up: 190 dpi (1.98) is 2, 120 dpi is 1.25, 150 dpi (1.56) is 1.5.
Stepped MakeStep(double factor) {
    if (factor > kMaxScale) return {ui::Scale(kMaxScale), "at most " + std::to_string(kMaxScale)};
    const int quarters = static_cast<int>(std::floor(factor * 4 + 0.5 + 1e-9));
    if (quarters < 4 * kMinScale) return {ui::Scale(kMinScale), "at least " + std::to_string(kMinScale)};
    const ui::Scale scale = ui::Scale::FromQuarters(quarters);
    if (scale.Factor() > factor) return {scale, "rounded up"};
    if (scale.Factor() < factor) return {scale, "rounded down"};
    return {scale, ""};
}

// An environment value: the factor it gives, or why it gives none.
struct Source {
    std::optional<double> factor;
    std::string problem; // e.g. GDK_SCALE unset
};

Source FromEnvironment(const char* name, const char* value) {
    const std::string n = name;
    if (!value) return {std::nullopt, n + " unset"};
    const std::string_view text = Trim(value);
    if (text.empty()) return {std::nullopt, n + " is empty"};
    const std::optional<double> v = Number(text);
    if (!v) return {std::nullopt, n + " \"" + Shown(value) + "\" is not a number"};
    if (*v <= 0) return {std::nullopt, n + " \"" + Shown(value) + "\" is not a positive number"};
    return {v, ""};
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

ScaleChoice Decided(double factor, const std::string& from, std::string factorNote,
                    const std::vector<std::string>& passedOver) {
    const Stepped w = MakeStep(factor);
    const std::string how = Join({std::move(factorNote), w.note}, ", ");
    const std::string notes = Join({Join(passedOver, "; "), how}, "; ");
    ScaleChoice c;
    c.scale = w.scale;
    c.reason = "scale " + w.scale.Text() + " from " + from + (notes.empty() ? "" : " (" + notes + ")");
    return c;
}

} // namespace

ScaleChoice ChooseScale(const char* zorvexScale, const char* gdkScale, std::optional<double> xftDpi, const char* gdkDpiScale) {
    std::vector<std::string> passedOver; // sources that had a value but no usable one
    std::vector<std::string> all;        // every source, for a choice that none made
    const Source z = FromEnvironment("ZORVEX_SCALE", zorvexScale);
    if (z.factor) return Decided(*z.factor, "ZORVEX_SCALE " + Shown(Trim(zorvexScale)), "", passedOver);
    if (zorvexScale) passedOver.push_back(z.problem);
    all.push_back(z.problem);
    // GDK_DPI_SCALE multiplies what decides from here on.
    const Source d = FromEnvironment("GDK_DPI_SCALE", gdkDpiScale);
    if (gdkDpiScale && !d.factor) passedOver.push_back(d.problem);
    const double times = d.factor.value_or(1.0);
    const std::string timesText = d.factor ? " x GDK_DPI_SCALE " + Shown(Trim(gdkDpiScale)) : "";
    auto factorNote = [&](double factor) {
        const bool step = factor * 4 == std::floor(factor * 4);
        return step ? std::string() : "factor " + FormatNumber(factor);
    };
    const Source g = FromEnvironment("GDK_SCALE", gdkScale);
    if (g.factor)
        return Decided(*g.factor * times, "GDK_SCALE " + Shown(Trim(gdkScale)) + timesText,
                       d.factor ? factorNote(*g.factor * times) : "", passedOver);
    if (gdkScale) passedOver.push_back(g.problem);
    all.push_back(g.problem);
    if (xftDpi) {
        const std::string dpi = "Xft.dpi " + FormatNumber(*xftDpi);
        if (std::isfinite(*xftDpi) && *xftDpi > 0) {
            const double factor = *xftDpi / kBaseDpi * times;
            return Decided(factor, dpi + timesText, factorNote(factor), passedOver);
        }
        all.push_back(dpi + " is not a positive number");
    } else {
        all.push_back("no Xft.dpi");
    }
    if (d.factor) return Decided(times, "GDK_DPI_SCALE " + Shown(Trim(gdkDpiScale)), factorNote(times), passedOver);
    if (gdkDpiScale) all.push_back(d.problem);
    return {ui::Scale(kMinScale), "scale " + std::to_string(kMinScale) + " (" + Join(all, "; ") + ")"};
}

std::optional<double> XftDpiFromResources(std::string_view resources) {
    std::optional<double> dpi;
    std::size_t pos = 0;
    while (pos < resources.size()) {
        std::size_t end = resources.find('\n', pos);
        if (end == std::string_view::npos) end = resources.size();
        const std::string_view line = resources.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != "Xft.dpi") continue;
        // As in the resource database, a later entry replaces an earlier one.
        dpi = Number(Trim(line.substr(colon + 1)));
    }
    return dpi;
}

std::optional<double> XftDpi() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return std::nullopt;
    // The X protocol library itself, not Xlib: a connection through Xlib sets up far more than one property
    // needs. Not linked, as a library more costs every start; Xlib has it in the process already, and it stays
    // loaded.
    void* lib = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!lib) return std::nullopt;
    const auto connect = reinterpret_cast<decltype(&xcb_connect)>(dlsym(lib, "xcb_connect"));
    const auto failed = reinterpret_cast<decltype(&xcb_connection_has_error)>(dlsym(lib, "xcb_connection_has_error"));
    const auto setup = reinterpret_cast<decltype(&xcb_get_setup)>(dlsym(lib, "xcb_get_setup"));
    const auto roots = reinterpret_cast<decltype(&xcb_setup_roots_iterator)>(dlsym(lib, "xcb_setup_roots_iterator"));
    const auto ask = reinterpret_cast<decltype(&xcb_get_property)>(dlsym(lib, "xcb_get_property"));
    const auto answer = reinterpret_cast<decltype(&xcb_get_property_reply)>(dlsym(lib, "xcb_get_property_reply"));
    const auto value = reinterpret_cast<decltype(&xcb_get_property_value)>(dlsym(lib, "xcb_get_property_value"));
    const auto length = reinterpret_cast<decltype(&xcb_get_property_value_length)>(dlsym(lib, "xcb_get_property_value_length"));
    const auto disconnect = reinterpret_cast<decltype(&xcb_disconnect)>(dlsym(lib, "xcb_disconnect"));
    if (!connect || !failed || !setup || !roots || !ask || !answer || !value || !length || !disconnect) return std::nullopt;
    xcb_connection_t* c = connect(name, nullptr);
    std::optional<double> dpi;
    // Xlib's resource database is this property of the first screen's root window, as a string.
    if (!failed(c)) {
        constexpr std::uint32_t kMostWords = 1u << 20;
        const xcb_window_t root = roots(setup(c)).data->root;
        if (xcb_get_property_reply_t* r = answer(c, ask(c, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, kMostWords), nullptr)) {
            if (r->format == 8 && length(r) > 0)
                dpi = XftDpiFromResources(std::string_view(static_cast<const char*>(value(r)), static_cast<std::size_t>(length(r))));
            std::free(r);
        }
    }
    disconnect(c);
    return dpi;
}

ScaleChoice DesktopScale() {
    const char* zorvexScale = std::getenv("ZORVEX_SCALE");
    const char* gdkScale = std::getenv("GDK_SCALE");
    const char* gdkDpiScale = std::getenv("GDK_DPI_SCALE");
    // The X server is asked only when the environment leaves the choice to it: a connection costs start-up time.
    if (FromEnvironment("ZORVEX_SCALE", zorvexScale).factor || FromEnvironment("GDK_SCALE", gdkScale).factor)
        return ChooseScale(zorvexScale, gdkScale, std::nullopt, gdkDpiScale);
    return ChooseScale(zorvexScale, gdkScale, XftDpi(), gdkDpiScale);
}

} // namespace zv::platform

// Font resolution through fontconfig with a family and Cyrillic check, and a cache of open fonts.
#include "ui/Fonts.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <type_traits>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "ui/TrueType.h"

namespace zv::ui {

namespace {
std::string Lower(std::string s) {
    // ASCII only: under a Turkish locale std::tolower leaves 'I' as it is, and "Impact" would not be found.
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return s;
}
} // namespace

std::vector<std::string> StandInFamilies(const std::string& family, bool bold) {
    const std::string f = Lower(family);
    if (f == "impact")
        return {"Roboto Condensed", "PT Sans Narrow", "Open Sans Condensed", "DejaVu Sans Condensed", "DejaVu Sans"};
    if (f == "arial") return {"Liberation Sans", "Arimo", "DejaVu Sans"};
    if (f == "verdana") return {"DejaVu Sans", "Liberation Sans"};
    // The old bitmap UI face is narrow; Arial's metric twin keeps the same texts inside their boxes.
    if (f == "ms sans serif" || f == "tahoma") return {"Liberation Sans", "DejaVu Sans"};
    (void)bold;
    return {family, "DejaVu Sans", "Liberation Sans"};
}

namespace {

// Where the Debian packages we depend on put their faces. Trying these first keeps fontconfig's
// start-up (about half of ours) off the path to the first frame; the face is still checked.
struct KnownFace {
    const char* family;
    bool bold;
    const char* file;
};
constexpr KnownFace kKnownFaces[] = {
    {"DejaVu Sans", false, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
    {"DejaVu Sans", true, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
    {"DejaVu Sans Condensed", true, "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"},
    {"Liberation Sans", false, "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"},
    {"Liberation Sans", true, "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"},
    {"Roboto Condensed", false, "/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Regular.ttf"},
    {"Roboto Condensed", true, "/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Bold.ttf"},
};

// The file holds the family asked for, in the weight asked for, and has Cyrillic letters. It stays mapped in
// `mapped` for the face opened next.
bool FaceIsGood(const std::string& file, const std::string& family, bool bold, std::shared_ptr<const MappedFont>& mapped) {
    mapped = MapFontFile(file);
    auto f = FontFace::Open(file, 12);
    if (!f) return false;
    const std::string style = Lower(f->Style());
    return Lower(f->Family()) == Lower(family) && f->Has(0x0416) && f->Has(0x0451) &&
           (!bold || style.find("bold") != std::string::npos);
}

std::string KnownFaceFile(const std::string& family, bool bold, std::shared_ptr<const MappedFont>& mapped) {
    for (const KnownFace& k : kKnownFaces)
        if (Lower(k.family) == Lower(family) && k.bold == bold && FaceIsGood(k.file, family, bold, mapped)) return k.file;
    mapped.reset();
    return {};
}

} // namespace

std::string ResolveFontFile(const std::string& family, bool bold) {
    // Asked again for each size and by both kinds of lettering: the face is opened and checked once, and its
    // file stays mapped for the face that follows rather than being mapped a second time.
    struct Found {
        std::string file;
        std::shared_ptr<const MappedFont> mapped;
    };
    static std::map<std::pair<std::string, bool>, Found> found;
    const auto key = std::make_pair(family, bold);
    if (const auto it = found.find(key); it != found.end()) return it->second.file;
    Found& f = found[key];
    f.file = KnownFaceFile(family, bold, f.mapped);
    if (f.file.empty()) f.file = ResolveThroughFontconfig(family, bold);
    return f.file;
}

namespace {

// fontconfig is loaded only when a face is not where our packages put it: linking it would load it,
// and FreeType under it, into every start.
// The calls we make, each named once without its "Fc": the struct and its lookup are both made from this list.
#define ZV_FONTCONFIG_CALLS(X)                                                                              \
    X(Init) X(PatternCreate) X(PatternAddString) X(PatternAddInteger) X(PatternAddBool) X(ConfigSubstitute) \
    X(DefaultSubstitute) X(FontMatch) X(PatternDestroy) X(PatternGetString) X(PatternGetCharSet)            \
    X(CharSetHasChar) X(PatternGetInteger)

struct Fontconfig {
#define ZV_FONTCONFIG_MEMBER(name) decltype(&::Fc##name) name = nullptr;
    ZV_FONTCONFIG_CALLS(ZV_FONTCONFIG_MEMBER)
#undef ZV_FONTCONFIG_MEMBER
    bool ok = false;
};

const Fontconfig& LoadFontconfig() {
    static const Fontconfig fc = [] {
        Fontconfig f;
        void* lib = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!lib) return f;
        auto get = [&](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
#define ZV_FONTCONFIG_GET(name) &&get(f.name, "Fc" #name)
        f.ok = true ZV_FONTCONFIG_CALLS(ZV_FONTCONFIG_GET);
#undef ZV_FONTCONFIG_GET
        return f;
    }();
    return fc;
}

#undef ZV_FONTCONFIG_CALLS

} // namespace

std::string ResolveThroughFontconfig(const std::string& family, bool bold) {
    const Fontconfig& fc = LoadFontconfig();
    if (!fc.ok || !fc.Init()) return {};
    FcPattern* pat = fc.PatternCreate();
    fc.PatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    fc.PatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.PatternAddInteger(pat, FC_SLANT, FC_SLANT_ROMAN);
    fc.PatternAddBool(pat, FC_SCALABLE, FcTrue);
    fc.ConfigSubstitute(nullptr, pat, FcMatchPattern);
    fc.DefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = fc.FontMatch(nullptr, pat, &result);
    fc.PatternDestroy(pat);
    if (!match) return {};
    std::string path;
    bool familyOk = false;
    FcChar8* fam = nullptr;
    // fontconfig substitutes silently, so a match only counts when it is the family we asked for.
    for (int i = 0; fc.PatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
        if (Lower(reinterpret_cast<const char*>(fam)) == Lower(family)) familyOk = true;
    FcCharSet* cs = nullptr;
    const bool cyrillic = fc.PatternGetCharSet(match, FC_CHARSET, 0, &cs) == FcResultMatch && cs &&
                          fc.CharSetHasChar(cs, 0x0416) && fc.CharSetHasChar(cs, 0x0451);
    int weight = 0;
    fc.PatternGetInteger(match, FC_WEIGHT, 0, &weight);
    const bool weightOk = !bold || weight >= FC_WEIGHT_DEMIBOLD;
    FcChar8* file = nullptr;
    if (familyOk && cyrillic && weightOk && fc.PatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    fc.PatternDestroy(match);
    return path;
}

std::string FontCache::PathFor(const FontRequest& r) {
    const std::string key = Lower(r.family) + (r.bold ? ":b" : ":r");
    if (auto it = paths_.find(key); it != paths_.end()) return it->second;
    std::string path;
    for (const auto& fam : StandInFamilies(r.family, r.bold)) {
        path = ResolveFontFile(fam, r.bold);
        if (path.empty() && r.bold) path = ResolveFontFile(fam, false);
        if (!path.empty()) break;
    }
    paths_[key] = path;
    return path;
}

std::string FontCache::UsedFile(const FontRequest& request) {
    FontRequest r = request;
    if (Lower(r.family) == "impact") r.bold = true;
    return PathFor(r);
}

const FontFace* FontCache::Get(const FontRequest& request) {
    FontRequest r = request;
    // Impact is a heavy face by itself: its stand-ins are asked for in bold.
    if (Lower(r.family) == "impact") r.bold = true;
    const std::string key = Lower(r.family) + (r.bold ? ":b:" : ":r:") + std::to_string(r.pixelSize) + (r.underline ? ":u" : "") +
                            (r.quarters != 4 ? "@" + std::to_string(r.quarters) : "");
    if (auto it = open_.find(key); it != open_.end()) return it->second.get();
    std::unique_ptr<FontFace> font;
    const std::string path = PathFor(r);
    if (!path.empty()) font = FontFace::Open(path, r.pixelSize, r.underline, r.quarters);
    const FontFace* result = font.get();
    open_[key] = std::move(font);
    return result;
}

FontCache& Fonts() {
    static FontCache cache;
    return cache;
}

} // namespace zv::ui

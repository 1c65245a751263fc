// Font resolution through fontconfig with a family and Cyrillic check, and a cache of open fonts.
#include "Fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>

namespace zv::ui {

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
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

// The file holds the family asked for, in the weight asked for, and has Cyrillic letters.
bool FaceIsGood(const std::string& file, const std::string& family, bool bold) {
    if (!TTF_WasInit() && TTF_Init() != 0) return false;
    TTF_Font* f = TTF_OpenFont(file.c_str(), 12);
    if (!f) return false;
    const char* fam = TTF_FontFaceFamilyName(f);
    const char* style = TTF_FontFaceStyleName(f);
    const bool ok = fam && Lower(fam) == Lower(family) && TTF_GlyphIsProvided32(f, 0x0416) && TTF_GlyphIsProvided32(f, 0x0451) &&
                    (!bold || (style && Lower(style).find("bold") != std::string::npos));
    TTF_CloseFont(f);
    return ok;
}

std::string KnownFaceFile(const std::string& family, bool bold) {
    for (const KnownFace& k : kKnownFaces)
        if (Lower(k.family) == Lower(family) && k.bold == bold && FaceIsGood(k.file, family, bold)) return k.file;
    return {};
}

} // namespace

std::string ResolveFontFile(const std::string& family, bool bold) {
    if (std::string known = KnownFaceFile(family, bold); !known.empty()) return known;
    return ResolveThroughFontconfig(family, bold);
}

std::string ResolveThroughFontconfig(const std::string& family, bool bold) {
    if (!FcInit()) return {};
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    if (!match) return {};
    std::string path;
    bool familyOk = false;
    FcChar8* fam = nullptr;
    // fontconfig substitutes silently, so a match only counts when it is the family we asked for.
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
        if (Lower(reinterpret_cast<const char*>(fam)) == Lower(family)) familyOk = true;
    FcCharSet* cs = nullptr;
    const bool cyrillic = FcPatternGetCharSet(match, FC_CHARSET, 0, &cs) == FcResultMatch && cs &&
                          FcCharSetHasChar(cs, 0x0416) && FcCharSetHasChar(cs, 0x0451);
    int weight = 0;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    const bool weightOk = !bold || weight >= FC_WEIGHT_DEMIBOLD;
    FcChar8* file = nullptr;
    if (familyOk && cyrillic && weightOk && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
    return path;
}

FontCache::~FontCache() {
    for (auto& [k, f] : open_)
        if (f) TTF_CloseFont(f);
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

TTF_Font* FontCache::Get(const FontRequest& request) {
    FontRequest r = request;
    // Impact is a heavy face by itself: its stand-ins are asked for in bold.
    if (Lower(r.family) == "impact") r.bold = true;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    const std::string key = Lower(r.family) + (r.bold ? ":b:" : ":r:") + std::to_string(r.pixelSize) + (r.underline ? ":u" : "");
    if (auto it = open_.find(key); it != open_.end()) return it->second;
    TTF_Font* font = nullptr;
    const std::string path = PathFor(r);
    if (!path.empty()) font = TTF_OpenFont(path.c_str(), r.pixelSize);
    if (font) {
        int style = TTF_STYLE_NORMAL;
        if (r.underline) style |= TTF_STYLE_UNDERLINE;
        TTF_SetFontStyle(font, style);
        TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    }
    open_[key] = font;
    return font;
}

FontCache& Fonts() {
    static FontCache cache;
    return cache;
}

} // namespace zv::ui

// Loading a theme file as the custom skin, and the check that tells where a theme would be refused.
#include "view/SkinTheme.h"

#include <utility>

#include "view/ThemeError.h"
#include "view/ThemeFile.h"

namespace zv::view {

namespace {

// The messages that begin this way name the file already.
bool NamesTheFile(const std::string& message, const std::string& path) {
    return message.rfind("Cannot open file " + path, 0) == 0;
}

// Where a read stopped, for data that ends early or holds a malformed chunk.
std::string Where(const ThemeError& e, const ThemeReader& reader) {
    std::string message = e.what();
    if (message == kStreamReadError)
        message += " at offset " + std::to_string(reader.Offset()) + " (the file is " + std::to_string(reader.Size()) +
                   " bytes)";
    return message;
}

} // namespace

std::string TooFewSkinPictures(const std::string& name, int count) {
    return name + ": a skin needs at least " + std::to_string(kMinSkinPictures) + " pictures, this file holds " +
           std::to_string(count);
}

std::string WrongSizeSkinPicture(const std::string& name, int position, int width, int height) {
    if (position < 0 || position >= kMinSkinPictures || (width == kCellPictureSize && height == kCellPictureSize)) return {};
    const std::string cell = std::to_string(kCellPictureSize);
    return name + ": picture " + std::to_string(position) + " is " + std::to_string(width) + " × " +
           std::to_string(height) + " pixels; the cell and ball pictures of a skin (0 to " +
           std::to_string(kMinSkinPictures - 1) + ") must be " + cell + " × " + cell;
}

void LoadSkinThemeFile(const std::string& path, zv::ui::ImageList& list) {
    // Read aside: a bad file must not cost the player the skin in use.
    zv::ui::ImageList loaded(list.Name());
    try {
        LoadThemeFile(path, loaded);
    } catch (const ThemeError& e) {
        if (NamesTheFile(e.what(), path)) throw;
        throw ThemeError(path + ": " + e.what());
    }
    // Fewer pictures would leave cells and balls without a picture, and play would go on blind.
    if (loaded.Count() < kMinSkinPictures) throw ThemeError(TooFewSkinPictures(path, loaded.Count()));
    for (int i = 0; i < kMinSkinPictures; ++i)
        if (const SDL_Surface* s = loaded.At(i).surface.get())
            if (std::string wrong = WrongSizeSkinPicture(path, i, s->w, s->h); !wrong.empty()) throw ThemeError(wrong);
    list.ReplaceWith(std::move(loaded));
}

ThemeCheck CheckSkinThemeBytes(const std::uint8_t* data, std::size_t size, const std::string& name) {
    ThemeCheck check;
    ThemeReader reader(data, size);
    if (!reader.ReadSignature()) {
        check.fault = name + ": not a theme file: its first 9 bytes (offset 0) are not the theme signature";
        return check;
    }
    int count = 0;
    try {
        count = reader.ReadCount();
    } catch (const ThemeError& e) {
        check.fault = name + ": picture count and offset table at offset 9: " + Where(e, reader);
        return check;
    }
    check.announced = count;
    for (int i = 0; i < count; ++i) {
        ThemePictureInfo info;
        info.offset = reader.Offset();
        try {
            ThemeBitmapFacts facts;
            const zv::ui::Picture picture = reader.ReadPicture(&facts);
            info.compressed = picture.compressed;
            info.description = picture.description;
            info.bitmapBytes = facts.bytes;
            info.bitmap = facts.info;
        } catch (const ThemeError& e) {
            check.fault = name + ": picture " + std::to_string(i) + " (record at offset " + std::to_string(info.offset) +
                          "): " + Where(e, reader);
            return check;
        }
        check.pictures.push_back(std::move(info));
    }
    if (count < kMinSkinPictures) {
        check.fault = TooFewSkinPictures(name, count);
        return check;
    }
    for (int i = 0; i < kMinSkinPictures && check.fault.empty(); ++i) {
        const ThemePictureInfo& p = check.pictures[static_cast<std::size_t>(i)];
        if (p.bitmapBytes > 0) check.fault = WrongSizeSkinPicture(name, i, p.bitmap.width, p.bitmap.height);
    }
    return check;
}

} // namespace zv::view

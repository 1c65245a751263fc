// Lookup of embedded files.
#include "app/Resources.h"

#include <cstdint>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/Language.h"

namespace zv::app {

struct EmbeddedFile {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
extern const EmbeddedFile kEmbeddedFiles[];

std::span<const std::uint8_t> Resource(const std::string& name) {
    for (const EmbeddedFile* f = kEmbeddedFiles; f->name; ++f)
        if (name == f->name) return {f->begin, static_cast<std::size_t>(f->end - f->begin)};
    return {};
}

ui::SurfacePtr ResourcePicture(const std::string& name) {
    auto bytes = Resource(name);
    if (bytes.empty()) return {};
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* s = SDL_LoadBMP_RW(rw, 1);
    if (!s) return {};
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(s);
    return ui::AdoptSurface(c);
}

ui::SurfacePtr CaptionedPicture(const std::string& file) {
    if (platform::EnglishInUse() && !Resource("ui/en/" + file).empty()) return ResourcePicture("ui/en/" + file);
    return ResourcePicture("ui/" + file);
}

void ReleaseResourcePages() {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (const EmbeddedFile* f = kEmbeddedFiles; f->name; ++f) {
        // Whole pages inside the file's bytes only: the pages at its ends may hold other data.
        const auto begin = (reinterpret_cast<std::uintptr_t>(f->begin) + page - 1) & ~(page - 1);
        const auto end = reinterpret_cast<std::uintptr_t>(f->end) & ~(page - 1);
        if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    }
}

} // namespace zv::app

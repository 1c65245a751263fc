// stb_truetype's implementation, and the mapping of font files.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_TRUETYPE_IMPLEMENTATION
#include "ui/TrueType.h"
#pragma GCC diagnostic pop

namespace zv::ui {

MappedFont::~MappedFont() {
    if (data) munmap(const_cast<unsigned char*>(data), size);
}

namespace {

std::map<std::string, std::weak_ptr<const MappedFont>>& Mapped() {
    static std::map<std::string, std::weak_ptr<const MappedFont>> mapped;
    return mapped;
}

} // namespace

std::shared_ptr<const MappedFont> MapFontFile(const std::string& file) {
    auto& mapped = Mapped();
    if (auto it = mapped.find(file); it != mapped.end())
        if (auto m = it->second.lock()) return m;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 12 || st.st_size > (64 << 20)) {
        ::close(fd);
        return nullptr;
    }
    void* map = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED) return nullptr;
    auto m = std::make_shared<MappedFont>();
    m->data = static_cast<const unsigned char*>(map);
    m->size = static_cast<std::size_t>(st.st_size);
    mapped[file] = m;
    return m;
}

void ReleaseFontPages() {
    // Mapped read-only and never written: the pages dropped are read again, unchanged, from the file.
    for (const auto& [file, weak] : Mapped())
        if (const auto m = weak.lock()) madvise(const_cast<unsigned char*>(m->data), m->size, MADV_DONTNEED);
}

} // namespace zv::ui

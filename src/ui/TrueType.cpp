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

std::shared_ptr<const MappedFont> MapFontFile(const std::string& file) {
    static std::map<std::string, std::weak_ptr<const MappedFont>> mapped;
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

} // namespace zv::ui

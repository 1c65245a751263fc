// Loading a format's file with its broken file put aside, and merging into it under its lock.
#include "store/FormatFile.h"

#include <unistd.h>

#include <cerrno>
#include <exception>

#include "store/TextFile.h"

namespace zv::store {

namespace {

std::string Then(const std::string& what) { return what.empty() ? "" : "; " + what; }

} // namespace

std::string DealWithBroken(const std::string& path, const LoadRules& rules, FileLoad& load) {
    if (rules.broken == LoadRules::Broken::LeftAsItIs) return Then(rules.without);
    // Kept aside under a name not yet taken, so nothing of it is lost.
    const Aside aside = PutAside(path, rules.suffix);
    if (!aside.name.empty()) {
        load.keptAs = aside.name;
        return "; it is kept as " + aside.name + rules.afresh;
    }
    if (rules.broken == LoadRules::Broken::PutAsideOrRemoved) {
        ::unlink(path.c_str());
        return "; it could not be kept aside and is removed" + rules.afresh;
    }
    load.writable = false;
    return "; it could not be kept aside" + (rules.sayWhy ? " (" + aside.why + ")" : std::string()) + ", so " + rules.without;
}

FileLoad LoadFile(const std::string& path, const LoadRules& rules, const ContentReader& reader) {
    FileLoad r;
    std::string problem;
    try {
        if (rules.missingUnlessThere && !FileExists(path)) return r;
        if (reader(ReadTextFile(path), problem)) {
            r.read = true;
            return r;
        }
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT && !rules.missingUnlessThere) return r;
        if (e.errnoValue() != EFBIG) {
            // Not readable, so not ours to judge: it stays and is not written over.
            r.error = path + ": " + Explain(e) + Then(rules.without);
            r.writable = false;
            return r;
        }
        problem = rules.tooLarge;
    } catch (const std::exception& e) {
        problem = Explain(e);
    }
    r.error = path + ": " + problem + DealWithBroken(path, rules, r);
    return r;
}

void MergeUnderLock(const std::string& path,
                    const std::function<std::optional<std::string>(const std::optional<std::string>& onDisk)>& merge,
                    bool skipUnchanged) {
    // Another copy may have written since this one read: what is on disk now is what the merge starts from.
    FileLock lock(path);
    std::optional<std::string> onDisk;
    try {
        onDisk = ReadTextFile(path);
    } catch (const InOutError&) {
        // missing or unreadable: nothing of it can be kept, and the write says whether it can be replaced
    }
    const std::optional<std::string> content = merge(onDisk);
    if (!content) return;
    if (skipUnchanged) WriteTextFileIfChanged(path, *content);
    else WriteTextFileAtomic(path, *content);
}

} // namespace zv::store

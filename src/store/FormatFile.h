// A format's file on disk, the same way for every format: the start-up load that puts a broken file aside, and the
// read-merge-write under the file's lock.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zv::store {

// How a format's file is loaded and what becomes of one that cannot be used. The words are the format's own, as the
// player has always read them.
struct LoadRules {
    enum class Broken {
        LeftAsItIs,        // reported, and read again at the next start
        PutAside,          // renamed aside; when that fails it stays, and is not written over
        PutAsideOrRemoved, // renamed aside; when that fails it goes, so it does not come back at every start
    };
    Broken broken = Broken::PutAside;
    // What the format's reader says of content larger than it takes: a file the text-file layer refuses by its size
    // alone is broken in the same words.
    std::string tooLarge{};
    // What the game does without the file, said after one that cannot be read or put aside ("the statistics are not
    // kept this time"); "" says nothing more.
    std::string without{};
    // Said after "it is kept as <name>" or "it ... is removed": " and the statistics start again".
    std::string afresh{};
    // The end of the name a broken file is put aside under ("-2", "-3", ... after it when that is taken).
    std::string suffix = ".broken";
    // Whether "it could not be kept aside" says why.
    bool sayWhy = false;
    // A name that answers nothing at all (say, a link to nowhere) counts as no file; otherwise only "File not found"
    // from the read does, and any other failure is reported.
    bool missingUnlessThere = false;
};

struct FileLoad {
    bool read = false; // the file was there and its reader took it
    // "<path>: <what is wrong>; <what the game does>" for a file that could not be used, "" when fine or missing.
    std::string error;
    std::string keptAs; // where a broken file was put, "" when it was not moved
    // False when the file is there but could neither be read nor put aside: writing would lose it.
    bool writable = true;
};

// The format's reader: true when it takes the content (keeping what it read), else false with what is wrong
// ("line 4: the score is not a number").
using ContentReader = std::function<bool(std::string_view content, std::string& problem)>;

// Start-up reading: a missing file is no error; a file that cannot be read is reported and left as it is; a broken
// one (refused by the reader, or too large) is reported and dealt with as the rules say. Never throws.
FileLoad LoadFile(const std::string& path, const LoadRules& rules, const ContentReader& reader);

// LoadFile for a format read into a value: read(content, value, problem) is the format's reader, and value is set
// only when it takes the whole file.
template <typename T, typename Read>
FileLoad LoadFile(const std::string& path, const LoadRules& rules, std::optional<T>& value, Read read) {
    return LoadFile(path, rules, [&](std::string_view content, std::string& problem) {
        T taken{};
        if (!read(content, taken, problem)) return false;
        value = std::move(taken);
        return true;
    });
}

// What LoadFile does with a broken file, for one refused later (a kept game the rules cannot go on with): the end
// of its message, "; it is kept as <name>" and the rest. Sets keptAs and writable in load.
std::string DealWithBroken(const std::string& path, const LoadRules& rules, FileLoad& load);

// The write of a file that several copies of the game sharing a directory write: under the file's lock, merge is
// handed what the file holds now (nothing when it is missing or cannot be read) and gives what to write, or nothing
// to leave the file as it is. With skipUnchanged a file that already holds that is not touched at all, even where it
// could not be written. InOutError when the write fails, the file then as it was.
void MergeUnderLock(const std::string& path,
                    const std::function<std::optional<std::string>(const std::optional<std::string>& onDisk)>& merge,
                    bool skipUnchanged = false);

// MergeUnderLock for a format read into a value: what is on disk is read (a file that does not read counts as
// empty, so it is written over), join adds this copy's part, the result is written and, once written, handed back
// in value. InOutError on failure, value then as it was.
template <typename T, typename Read, typename Join, typename Format>
void MergeIntoFile(const std::string& path, T& value, Read read, Join join, Format format) {
    T merged{};
    MergeUnderLock(path, [&](const std::optional<std::string>& onDisk) {
        if (!onDisk || !read(*onDisk, merged)) merged = T{};
        join(merged);
        return std::optional<std::string>(format(merged));
    });
    value = std::move(merged);
}

} // namespace zv::store

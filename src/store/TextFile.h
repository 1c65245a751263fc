// Small, bounded text-file layer: whole-file reads, lines and tab fields, atomic rewrites and the error messages players see.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zv::store {

// Files the game reads whole are tiny; anything larger is refused rather than loaded.
constexpr std::size_t kMaxTextFileSize = 64 * 1024;
// How much ReadLastLineHead reads at a time.
constexpr std::size_t kLastLinePiece = 64 * 1024;

// The input/output error of the file layer. what() is one of "File not found",
// "Invalid filename", "Too many open files", "File access denied",
// "Read beyond end of file", "Disk full", "Invalid numeric input" or "I/O error N".
class InOutError : public std::runtime_error {
public:
    explicit InOutError(const std::string& message, int errnoValue = 0, std::string detail = "")
        : std::runtime_error(message), errno_(errnoValue), detail_(std::move(detail)) {}
    // The system error behind the message, 0 when there was none.
    int errnoValue() const { return errno_; }
    // What is wrong in plain words where the message alone does not say it ("a directory, not a
    // file", "the file is larger than 65536 bytes"), else "".
    const std::string& detail() const { return detail_; }
    static InOutError FromErrno(int errnoValue);

private:
    int errno_;
    std::string detail_;
};

// The message with its detail in brackets after it, for the player: "File access denied (a directory,
// not a file)". Any other exception gives its what().
std::string Explain(const std::exception& e);

inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kInvalidFilename = "Invalid filename";
inline constexpr const char* kTooManyOpenFiles = "Too many open files";
inline constexpr const char* kFileAccessDenied = "File access denied";
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";
inline constexpr const char* kDiskFull = "Disk full";
inline constexpr const char* kInvalidNumericInput = "Invalid numeric input";

// The message the layer shows for a system error number.
std::string MessageForErrno(int errnoValue);

// The whole content of a regular file of at most kMaxTextFileSize bytes.
std::string ReadTextFile(const std::string& path);

// For a reader that lets the last line of a file count and looks only at its start: the first
// `keep` bytes of the file's last line, without its line end (lines as NextLine cuts them), into
// head. False, with head untouched, when the file holds no line at all (it is empty). Any size of
// file is read: the file is searched backwards from its end, `piece` bytes at a time, for the line
// end before its last line. Memory stays at one piece plus `keep` bytes whatever the file's size,
// and the time grows with the length of the last line only, not with the number of lines before it.
// Regular files only, with the errors of ReadTextFile; a file that shrinks while it is read gives
// "Read beyond end of file". A last line longer than `longest` bytes is refused as soon as that is
// known, with InOutError "the last line is longer than <longest> bytes" (EFBIG): the search then
// reads no more than `longest` plus one piece, whatever the file's size.
bool ReadLastLineHead(const std::string& path, std::size_t keep, std::string& head,
                      std::size_t piece = kLastLinePiece, std::size_t longest = SIZE_MAX);

// Replaces the file with content so that a reader sees either the old or the new
// file, never a part: a temporary file beside it is written, flushed and renamed
// over it. On failure the old file is left as it was and InOutError is thrown.
// A writable file (not a link) that already holds the content is left as it is.
void WriteTextFileAtomic(const std::string& path, std::string_view content);

// Whether a regular file (links followed) answers to the name and holds exactly content, so that writing it
// would change nothing. Never throws: a file that cannot be read does not hold it.
bool HoldsExactly(const std::string& path, std::string_view content);

// WriteTextFileAtomic, unless the file already holds exactly content: then nothing is touched, so a file or
// directory that could not be written is no error when nothing was to be written.
void WriteTextFileIfChanged(const std::string& path, std::string_view content);

// An exclusive lock that several copies of the game sharing one data directory take around a read,
// merge and rewrite of one file: a flock on ".<name>.lock" beside it, which Linux carries over NFS as
// the server's own lock. The file itself cannot carry the lock, since every rewrite replaces it. A lock
// that cannot be had within `wait` (a directory we cannot create files in, a holder that hangs) is not
// held, and the caller goes on unlocked: a write at the wrong moment is still better than none.
class FileLock {
public:
    explicit FileLock(const std::string& path, std::chrono::milliseconds wait = std::chrono::seconds(3));
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Removes the file; a missing one is fine. InOutError on any other failure.
void RemoveFile(const std::string& path);

// True when something (file, directory, link to one) answers to the name.
bool FileExists(const std::string& path);

// Creates the directory and its missing parents, each new one private to the user.
void EnsureDirectory(const std::string& path);

// The line that begins at pos, without its line end, and moves pos past it.
// A line ends at LF; a CR right before that LF, or right before the end of the
// content, belongs to the line end. Call only while pos < content.size().
std::string_view NextLine(std::string_view content, std::size_t& pos);

// The fields of a line separated by single tabs (an empty line is one empty field).
std::vector<std::string_view> TabFields(std::string_view line);

struct Aside {
    std::string name; // the name the file now has, "" when it could not be renamed
    std::string why;  // when it could not: every name taken, or the system's error explained
};
// "the file is larger than <bytes> bytes": what a reader says of content larger than it takes.
std::string LargerThan(std::size_t bytes);

// The frame of the files made of a header line and then one line of tab-separated fields an entry: content of at
// most `largest` bytes, not empty, its first line exactly header and every other line exactly `fields` fields. Each
// such line's fields go to take, which gives "" when it takes them, else what is wrong with them. False with the
// problem otherwise: "line N: <what is wrong>", or "the file is larger than N bytes" or "the file is empty".
bool ReadTabbedLines(std::string_view content, std::string_view header, std::size_t largest, std::size_t fields,
                     std::string& problem, const std::function<std::string(const std::vector<std::string_view>& f)>& take);

// Renames a broken file to <path><suffix> (or <suffix>-2 ... -999 when those exist) so that it is not read
// again and not written over.
Aside PutAside(const std::string& path, const std::string& suffix = ".broken");

} // namespace zv::store

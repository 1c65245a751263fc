// Record file names, format, start-up loading and the writer the rules call during play.
#include "store/Records.h"

#include <utility>

#include "game/Modes.h"
#include "store/TextFile.h"

namespace zv::store {

const char* RecordFileName(Mode mode) {
    const int i = static_cast<int>(mode);
    return (i >= 0 && i < kModeCount) ? ModeOf(mode).recordFile : "";
}

std::string RecordFilePath(const std::string& dir, Mode mode) { return dir + "/" + RecordFileName(mode); }

std::string LastLine(std::string_view content) {
    std::string_view last;
    std::size_t pos = 0;
    while (pos < content.size()) last = NextLine(content, pos);
    return std::string(last);
}

std::string FormatRecord(std::int32_t score) { return std::to_string(score) + "\r\n"; }

void WriteRecordFile(const std::string& path, std::int32_t score) { WriteTextFileAtomic(path, FormatRecord(score)); }

namespace {

constexpr const char* kCountsAsNew = "; the record counts as 100 this time and the file is left as it is";

// Why a record text is no number, with as much of it as fits a one-line message.
std::string NotANumber(const std::string& text) {
    if (text.empty()) return "its last line is empty, not a whole number";
    std::string shown;
    for (char c : text.substr(0, 20)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (text.size() > 20) shown += "...";
    return "its last line \"" + shown + "\" is not a whole number from -2147483648 to 2147483647";
}

} // namespace

RecordLoad LoadRecordFile(const std::string& dir, Mode mode) {
    const std::string path = RecordFilePath(dir, mode);
    RecordLoad r;
    try {
        if (!FileExists(path)) WriteTextFileAtomic(path, kNewRecordText);
        std::string text = LastLine(ReadTextFile(path));
        std::int32_t value = 0;
        if (!ParseRecordNumber(text, value)) {
            r.error = path + ": " + kInvalidConversion + " (" + NotANumber(text) + ")" + kCountsAsNew;
            return r;
        }
        r.text = std::move(text);
        r.value = value;
    } catch (const InOutError& e) {
        r.error = path + ": " + Explain(e) + kCountsAsNew;
    }
    return r;
}

FileRecordWriter::FileRecordWriter(std::string dir, Report report) : dir_(std::move(dir)), report_(std::move(report)) {}

void FileRecordWriter::WriteRecordFile(Mode mode, std::int32_t score) {
    if (*RecordFileName(mode) == '\0') return; // not one of the five modes: nothing to write
    const std::string path = RecordFilePath(dir_, mode);
    try {
        // Another copy of the game may share the directory and have raised the record since we read
        // it: under the file's lock, what is on disk now decides, and a record is never lowered.
        FileLock lock(path);
        try {
            const std::string content = ReadTextFile(path);
            std::int32_t onDisk = 0;
            const bool number = ParseRecordNumber(LastLine(content), onDisk);
            if (number && onDisk > score) {
                failing_.erase(path);
                return;
            }
            // While the score stays at the record every turn asks for the same file again; a file that
            // already holds exactly that is left alone, sparing the click two disk syncs.
            if (failing_.count(path) == 0 && content == FormatRecord(score)) return;
        } catch (const InOutError&) {
            // unreadable: write it as asked
        }
        store::WriteRecordFile(path, score);
        failing_.erase(path);
    } catch (const InOutError& e) {
        if (failing_.insert(path).second && report_) report_(path + ": " + Explain(e));
    }
}

} // namespace zv::store

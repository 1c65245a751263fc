// The record files: one best score per game mode, each in its own small text file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "game/Ports.h"
#include "game/Types.h"

namespace zv::store {

// What a record file that had to be created holds: no line end.
inline constexpr const char* kNewRecordText = "100";
inline constexpr std::int32_t kNewRecordValue = 100;
// The message of a record text that is not a number.
inline constexpr const char* kInvalidConversion = "Invalid variant type conversion";

// The order in which the record files are read at start-up; the last one read is
// what the record label shows until the first game starts.
inline constexpr std::array<Mode, kModeCount> kRecordReadOrder = {Mode::Block, Mode::Ring, Mode::Line,
                                                                   Mode::Square, Mode::Cross};

// The bare file name of a mode's record file, e.g. "zorvex2000.rec" for line; "" for no mode.
const char* RecordFileName(Mode mode);
// dir + "/" + RecordFileName(mode).
std::string RecordFilePath(const std::string& dir, Mode mode);

// The text of a record file: every line is read whole in turn and the last one
// counts, without its line end. Content without any line gives "".
std::string LastLine(std::string_view content);

// The score in decimal, then CR LF.
std::string FormatRecord(std::int32_t score);

// Rewrites a record file atomically; InOutError on failure, the old file then stays intact.
void WriteRecordFile(const std::string& path, std::int32_t score);

struct RecordLoad {
    std::string text = kNewRecordText; // the record as the game shows it
    std::int32_t value = kNewRecordValue;
    std::string error;                 // "<path>: <message>" when the file could not be used, else ""
};

// Start-up reading of one mode's record: creates the file with "100" when it is
// missing, then reads it. A file that cannot be read or does not hold a number
// counts as "100" for play and is left on disk as it is; error says why.
RecordLoad LoadRecordFile(const std::string& dir, Mode mode);

// Writes records for the rules. Several copies of the game may share the directory: each write takes
// the file's lock and leaves a higher record found on disk as it is. A failing file is reported once, not on every
// turn, until a write to it succeeds again, as "<path>: <message>".
class FileRecordWriter : public RecordWriter {
public:
    using Report = std::function<void(const std::string& message)>;
    FileRecordWriter(std::string dir, Report report);
    void WriteRecordFile(Mode mode, std::int32_t score) override;

private:
    std::string dir_;
    Report report_;
    std::set<std::string> failing_; // paths whose last write failed and was reported
};

} // namespace zv::store

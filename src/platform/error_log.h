// Where the saver's error log goes and the rule that it names only the first error of a
// run. The Win32 runtime writes through it when a running saver fails; the rules are here
// so they are tested without Windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr char kErrorLogName[] = "ErLog.txt";

// One place the log may be written: the folder that must exist first (empty: none to make)
// and the file's full name.
struct ErrorLogPlace {
    std::string folderToMake;
    std::string path;
};

// Beside the program first, where people have always looked (the folder, a separator and
// the name: two separators in a row at a drive root); then the user's own
// "<localAppData>\BrackmerSaver\ErLog.txt", for a program folder a standard user cannot
// write. Without a local application-data folder there is no second place.
std::vector<ErrorLogPlace> ErrorLogPlaces(std::string_view programFolder, std::string_view localAppData);

// Whether one of the places already holds exactly `line` as the log writes it (the line and
// its CRLF). A note that every start would write again, such as the display that cannot be
// taken in this session, is left out then: the log keeps the date it first happened.
using LogReader = std::function<std::optional<std::string>(const std::string& path)>;
bool AlreadyLogged(const std::vector<ErrorLogPlace>& places, std::string_view line, const LogReader& read);

// Records the error that ended the run: the first call writes its line to the first place
// that takes it; every later call writes nothing, so a follow-on error never replaces the
// cause.
class FirstErrorLog {
public:
    // Makes the place's folder when it names one, then creates or empties the file and
    // writes the line; false when either fails.
    using Writer = std::function<bool(const ErrorLogPlace& place, std::string_view line)>;

    FirstErrorLog(std::vector<ErrorLogPlace> places, Writer writer);

    // The path written, or nullopt when no place took the line or an error was already
    // recorded.
    std::optional<std::string> Record(std::string_view description);
    bool IsRecorded() const { return recorded_; }

private:
    std::vector<ErrorLogPlace> places_;
    Writer writer_;
    bool recorded_ = false;
};

}  // namespace platform

// The error log's places and its first-error rule; see error_log.h.
#include "platform/error_log.h"

#include <utility>

#include "platform/paths.h"

namespace platform {

std::vector<ErrorLogPlace> ErrorLogPlaces(std::string_view programFolder, std::string_view localAppData) {
    std::vector<ErrorLogPlace> places;
    places.push_back({"", FileInFolder(programFolder, kErrorLogName)});
    while (!localAppData.empty() && (localAppData.back() == '\\' || localAppData.back() == '/'))
        localAppData.remove_suffix(1);
    if (!localAppData.empty()) {
        std::string folder = std::string(localAppData) + "\\BrackmerSaver";
        places.push_back({folder, FileInFolder(folder, kErrorLogName)});
    }
    return places;
}

bool AlreadyLogged(const std::vector<ErrorLogPlace>& places, std::string_view line, const LogReader& read) {
    const std::string written = std::string(line) + "\r\n";
    for (const ErrorLogPlace& place : places)
        if (read(place.path) == written) return true;
    return false;
}

FirstErrorLog::FirstErrorLog(std::vector<ErrorLogPlace> places, Writer writer)
    : places_(std::move(places)), writer_(std::move(writer)) {}

std::optional<std::string> FirstErrorLog::Record(std::string_view description) {
    if (std::exchange(recorded_, true)) return std::nullopt;
    for (const ErrorLogPlace& place : places_)
        if (writer_(place, description)) return place.path;
    return std::nullopt;
}

}  // namespace platform

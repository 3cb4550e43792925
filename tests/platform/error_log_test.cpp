// Where the error log goes and that it keeps the first error of a run.
#include "platform/error_log.h"

#include <gtest/gtest.h>

#include <set>

namespace platform {
namespace {

TEST(ErrorLogPlaces, BesideTheProgramFirstThenTheUsersFolder) {
    auto places = ErrorLogPlaces("C:\\Windows\\System32", "C:\\Users\\ann\\AppData\\Local");
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].folderToMake, "");
    EXPECT_EQ(places[0].path, "C:\\Windows\\System32\\ErLog.txt");
    EXPECT_EQ(places[1].folderToMake, "C:\\Users\\ann\\AppData\\Local\\BrackmerSaver");
    EXPECT_EQ(places[1].path, "C:\\Users\\ann\\AppData\\Local\\BrackmerSaver\\ErLog.txt");
}

TEST(ErrorLogPlaces, EdgesOfTheTwoFolders) {
    // The user's folder is joined cleanly whatever separators it ends with, and none at all
    // leaves only the place beside the program (whose drive-root form is FileInFolder's).
    EXPECT_EQ(ErrorLogPlaces("D:\\", "").size(), 1u);
    EXPECT_EQ(ErrorLogPlaces("D:\\s", "\\\\").size(), 1u);
    EXPECT_EQ(ErrorLogPlaces("D:\\s", "E:\\L\\/")[1].path, "E:\\L\\BrackmerSaver\\ErLog.txt");
    EXPECT_EQ(ErrorLogPlaces("D:\\s", "E:\\L\\/")[1].folderToMake, "E:\\L\\BrackmerSaver");
}

struct FakeDisk {
    std::set<std::string> refused;  // paths that cannot be written
    std::vector<std::pair<std::string, std::string>> writes;
    FirstErrorLog::Writer Writer() {
        return [this](const ErrorLogPlace& place, std::string_view line) {
            if (refused.count(place.path)) return false;
            writes.emplace_back(place.path, std::string(line));
            return true;
        };
    }
};

TEST(FirstErrorLog, WritesTheFirstErrorOnlyAndNeverReplacesIt) {
    FakeDisk disk;
    FirstErrorLog log(ErrorLogPlaces("C:\\p", "C:\\l"), disk.Writer());
    EXPECT_FALSE(log.IsRecorded());
    EXPECT_EQ(log.Record("Flip failed: DDERR_SURFACELOST"), "C:\\p\\ErLog.txt");
    EXPECT_TRUE(log.IsRecorded());
    EXPECT_EQ(log.Record("FillSurface: object variable not set"), std::nullopt);
    ASSERT_EQ(disk.writes.size(), 1u);
    EXPECT_EQ(disk.writes[0].second, "Flip failed: DDERR_SURFACELOST");
}

TEST(FirstErrorLog, FallsBackToTheUsersFolderAndGivesUpQuietly) {
    FakeDisk disk;
    disk.refused = {"C:\\p\\ErLog.txt"};
    FirstErrorLog log(ErrorLogPlaces("C:\\p", "C:\\l"), disk.Writer());
    EXPECT_EQ(log.Record("Overflow"), "C:\\l\\BrackmerSaver\\ErLog.txt");
    ASSERT_EQ(disk.writes.size(), 1u);

    // Nowhere to write: nothing recorded, and a later error does not get a second try.
    FakeDisk full;
    full.refused = {"C:\\p\\ErLog.txt", "C:\\l\\BrackmerSaver\\ErLog.txt"};
    FirstErrorLog nowhere(ErrorLogPlaces("C:\\p", "C:\\l"), full.Writer());
    EXPECT_EQ(nowhere.Record("Overflow"), std::nullopt);
    full.refused.clear();
    EXPECT_EQ(nowhere.Record("later"), std::nullopt);
    EXPECT_TRUE(full.writes.empty());
}

TEST(AlreadyLogged, OnlyTheExactLineWithItsLineEndInAnyPlaceCounts) {
    const auto places = ErrorLogPlaces("C:\\p", "C:\\l");
    const std::string line = "DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)";
    struct Case {
        std::optional<std::string> beside, inUsersFolder;
        bool logged;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, false},
        {line + "\r\n", std::nullopt, true},
        {std::nullopt, line + "\r\n", true},  // the program folder could not be written
        {line, std::nullopt, false},           // not as the log writes it
        {line + "\r\n\r\n", std::nullopt, false},
        {"Overflow\r\n", std::nullopt, false},  // another error since: the note goes in again
    };
    for (const Case& c : cases) {
        auto read = [&](const std::string& path) { return path == places[0].path ? c.beside : c.inUsersFolder; };
        EXPECT_EQ(AlreadyLogged(places, line, read), c.logged) << c.beside.value_or("-");
    }
}

}  // namespace
}  // namespace platform

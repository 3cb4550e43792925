// The program folder and the files beside the program: a drive root keeps its separator,
// any other folder loses it, and the error log's name is formed from either.
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct FolderCase {
    const char* name;
    const char* programFile;
    const char* folder;
    const char* log;
};

class ProgramFolderTest : public testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolderTest, KeepsTheSeparatorOnlyAtADriveRoot) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(FolderOfFile(c.programFile), c.folder);
    EXPECT_EQ(FileInFolder(FolderOfFile(c.programFile), "ErLog.txt"), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramFolderTest,
    testing::Values(FolderCase{"Subfolder", "C:\\Savers\\BrackmerSaver.scr", "C:\\Savers", "C:\\Savers\\ErLog.txt"},
                    FolderCase{"DriveRoot", "C:\\BrackmerSaver.scr", "C:\\", "C:\\\\ErLog.txt"},
                    FolderCase{"SystemFolder", "C:\\Windows\\System32\\b.scr", "C:\\Windows\\System32",
                               "C:\\Windows\\System32\\ErLog.txt"},
                    FolderCase{"ForwardSlashes", "Z:/tmp/b.scr", "Z:/tmp", "Z:/tmp\\ErLog.txt"},
                    FolderCase{"RootWithForwardSlash", "D:/b.scr", "D:\\", "D:\\\\ErLog.txt"},
                    FolderCase{"NetworkShare", "\\\\host\\share\\b.scr", "\\\\host\\share",
                               "\\\\host\\share\\ErLog.txt"},
                    FolderCase{"TwoLetterFolder", "C:\\ab\\b.scr", "C:\\ab", "C:\\ab\\ErLog.txt"},
                    FolderCase{"NoFolder", "b.scr", "b.scr", "b.scr\\ErLog.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace platform

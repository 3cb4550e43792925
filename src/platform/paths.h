// The program's folder as the settings record it and the error log is placed in it, worked
// out from the program file's full path. The Win32 runtime supplies the path.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder part of a full path, without a trailing separator except at a drive root:
// "C:\Savers\x.scr" gives "C:\Savers", "C:\x.scr" gives "C:\". Either separator counts.
std::string FolderOfFile(std::string_view path);

// The folder, a separator and the name. At a drive root the folder already ends in a
// separator, so two follow each other ("C:\\ErLog.txt"); Windows reads them as one.
std::string FileInFolder(std::string_view folder, std::string_view name);

}  // namespace platform

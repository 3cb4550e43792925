// Folder rules; see paths.h.
#include "platform/paths.h"

namespace platform {

std::string FolderOfFile(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) return std::string(path);
    std::string folder(path.substr(0, slash));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // "C:" alone names the current folder of C
    return folder;
}

std::string FileInFolder(std::string_view folder, std::string_view name) {
    return std::string(folder) + "\\" + std::string(name);
}

}  // namespace platform

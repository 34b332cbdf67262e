#include "platform/shell/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"

namespace orvane::platform {

DWORD GetFileAttributesW(LPCWSTR path) {
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::string name = ToUtf8(std::u16string(path));
    struct stat st {};
    if (stat(name.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT    ? ERROR_FILE_NOT_FOUND
                     : errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                     : errno == EACCES  ? ERROR_ACCESS_DENIED
                                        : ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (access(name.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
    const std::size_t slash = name.find_last_of('/');
    const std::string leaf = slash == std::string::npos ? name : name.substr(slash + 1);
    if (leaf.size() > 1 && leaf[0] == '.' && leaf != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace orvane::platform

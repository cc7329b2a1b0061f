// Enumeration of a key's sub-keys (directories) and values (regular files) in
// the order the directory listing yields them.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/registry_internal.h"

namespace {

enum class EntryKind { Key, Value };

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Examines one entry under an exclusive flock; true if it is of the kind sought.
bool IsEntryOfKind(const std::string& path, EntryKind kind) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        std::printf("[%s] open failed *%s*\n", path.c_str(), std::strerror(errno));
        return false;
    }
    bool matches = false;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        std::printf("[ERROR] %s\n", std::strerror(errno));
    } else {
        flock(fd, LOCK_EX);
        matches = kind == EntryKind::Key ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
        flock(fd, LOCK_UN);
    }
    close(fd);
    return matches;
}

// 0 with the index-th entry's name, kRegNoMoreItems, or -1.
int FindEntry(const KEY& key, uint32_t index, EntryKind kind, std::string* name) {
    LnRegManager* manager = RegistryManager();
    if (manager == nullptr) return -1;
    const std::string directory = manager->RootFolder() + "/" + key.Path();
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) return -1;
    uint32_t counter = 0;
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (!IsEntryOfKind(directory + "/" + entry->d_name, kind)) continue;
        if (counter++ == index) {
            *name = entry->d_name;
            return 0;
        }
    }
    return kRegNoMoreItems;
}

// The name's characters; a NUL follows when there is room (not counted).
int CopyName(const std::string& found, char* name, uint32_t* nameLength) {
    if (name == nullptr || nameLength == nullptr || *nameLength < found.size()) return -1;
    std::memcpy(name, found.data(), found.size());
    if (*nameLength > found.size()) name[found.size()] = '\0';
    *nameLength = static_cast<uint32_t>(found.size());
    return 0;
}

}  // namespace

int LnRegEnumKey(KEY* key, uint32_t index, char* name, uint32_t* nameLength) {
    if (key == nullptr) return -1;
    std::string found;
    const int rc = FindEntry(*key, index, EntryKind::Key, &found);
    return rc != 0 ? rc : CopyName(found, name, nameLength);
}

int LnRegEnumValue(KEY* key, uint32_t index, char* name, uint32_t* nameLength, uint32_t*,
                   uint32_t* type, void* data, uint32_t* dataLength) {
    if (key == nullptr) return -1;
    std::string found;
    const int rc = FindEntry(*key, index, EntryKind::Value, &found);
    if (rc != 0) return rc;
    if (CopyName(found, name, nameLength) != 0) return -1;
    ValEnt value;
    if (!value.Read(RegistryManager()->RootFolder() + "/" + key->Path() + "/" + found)) return -1;
    return CopyValueOut(value, type, data, dataLength);
}

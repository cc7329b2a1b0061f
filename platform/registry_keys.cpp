// Registry keys: the predefined roots, create, open, close and delete.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <new>

#include "platform/registry_internal.h"

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Removal runs as "rm -rf" in a child, as other tools of the product do.
int RemoveTree(const std::string& directory) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        usleep(500);
        execl("/bin/rm", "rm", "-rf", directory.c_str(), static_cast<char*>(nullptr));
        _exit(1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFSIGNALED(status) ? -1 : 0;
}

}  // namespace

KEY::KEY(const std::string& path, bool predefined)
    : path_(NormalisePath(path)), predefined_(predefined) {}

KEY* LnRegRootKey(LnRegRoot root) {
    static KEY roots[] = {
        KEY("HKEY_CLASSES_ROOT", true), KEY("HKEY_CURRENT_CONFIG", true),
        KEY("HKEY_CURRENT_USER", true), KEY("HKEY_LOCAL_MACHINE", true),
        KEY("HKEY_USERS", true),        KEY("HKEY_PERFORMANCE_DATA", true),
        KEY("HKEY_DYN_DATA", true),
    };
    return &roots[static_cast<int>(root)];
}

int LnRegCreateKey(KEY* parent, const char* subKey, uint32_t, const char*, uint32_t, uint32_t,
                   const void*, KEY** key, uint32_t* disposition) {
    LnRegManager* manager = RegistryManager();
    if (manager == nullptr || parent == nullptr || key == nullptr) return -1;
    const std::string path = JoinKeyPath(*parent, subKey);
    CreateKeyDirectories(manager->RootFolder(), path);
    if (disposition != nullptr) *disposition = 1;
    *key = new (std::nothrow) KEY(path, false);
    return *key != nullptr ? 0 : -1;
}

int LnRegCreateKey(KEY* parent, const char* subKey, KEY** key) {
    return LnRegCreateKey(parent, subKey, 0, nullptr, 0, 0, nullptr, key, nullptr);
}

int LnRegOpenKey(KEY* parent, const char* subKey, uint32_t, uint32_t, KEY** key) {
    LnRegManager* manager = RegistryManager();
    if (manager == nullptr || parent == nullptr || key == nullptr) return -1;
    const std::string path = JoinKeyPath(*parent, subKey);
    if (!Exists(manager->RootFolder() + "/" + path)) return -1;
    *key = new (std::nothrow) KEY(path, false);
    return *key != nullptr ? 0 : -1;
}

int LnRegOpenKey(KEY* parent, const char* subKey, KEY** key) {
    return LnRegOpenKey(parent, subKey, 0, 0, key);
}

int LnRegCloseKey(KEY* key) {
    if (key != nullptr && !key->Predefined()) delete key;
    return 0;
}

int LnRegDeleteKey(KEY* key, const char* subKey) {
    LnRegManager* manager = RegistryManager();
    if (manager == nullptr || key == nullptr) return -1;
    const std::string directory = manager->RootFolder() + "/" + JoinKeyPath(*key, subKey);
    if (!IsDirectory(directory)) return -1;
    return RemoveTree(directory);
}

int LnRegFlushKey(KEY*) {
    return 0;
}

// The registry manager: where the registry lives, and the directories of keys.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/registry_internal.h"

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

const char* NonEmpty(const char* value) {
    return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::string RegistryRootFolder(const char* ravelohome, const char* home) {
    const char* chosen = NonEmpty(ravelohome) ? ravelohome : NonEmpty(home) ? home : "/tmp";
    std::string base(chosen);
    if (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/.corvane";
}

LnRegManager::LnRegManager()
    : rootFolder_(RegistryRootFolder(std::getenv("RAVELOHOME"), std::getenv("HOME"))) {
    // snprintf rather than std::to_string, whose digit table would be a unique
    // symbol that keeps the library from ever unloading.
    char users[64];
    std::snprintf(users, sizeof(users), "HKEY_USERS/%u", static_cast<unsigned>(getuid()));
    CreateKeyDirectories(rootFolder_, users);
}

LnRegManager* RegistryManager() {
    static LnRegManager manager;
    return &manager;
}

std::string LnRegRootFolder() {
    return RegistryManager()->RootFolder();
}

std::string NormalisePath(const std::string& path) {
    std::string normalised(path);
    for (char& c : normalised) {
        if (c == '\\') c = '/';
    }
    return normalised;
}

std::string JoinKeyPath(const KEY& parent, const char* subKey) {
    if (subKey == nullptr || *subKey == '\0') return parent.Path();
    return parent.Path() + "/" + NormalisePath(subKey);
}

// The root folder itself is among the prefixes, so a fresh base gets it too.
void CreateKeyDirectories(const std::string& root, const std::string& path) {
    const std::string full = NormalisePath(root + "/" + path);
    if (Exists(full)) return;
    for (size_t cut = 1; cut <= full.size(); ++cut) {
        if (cut < full.size() && full[cut] != '/') continue;
        const std::string prefix = full.substr(0, cut);
        if (!Exists(prefix)) mkdir(prefix.c_str(), 0777);
    }
}

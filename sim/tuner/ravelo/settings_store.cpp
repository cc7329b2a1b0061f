// Reading and atomically rewriting settings.ini.
#include "sim/tuner/ravelo/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace ravelo {
namespace {

const char* kFileName = "settings.ini";

std::string Folder() {
    const char* dir = std::getenv("SOLVANE_SETTINGS_DIR");
    if (dir && *dir) return dir;
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.solvane";
    return "/tmp/.solvane";
}

// mkdir -p.
bool MakeFolder(const std::string& dir) {
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos != dir.size() && dir[pos] != '/') continue;
        const std::string part = dir.substr(0, pos);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Holds an exclusive lock on the folder's lock file for the life of the object.
class FolderLock {
  public:
    explicit FolderLock(const std::string& dir)
        : fd_(open((dir + "/settings.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0) flock(fd_, LOCK_EX);
    }
    ~FolderLock() {
        if (fd_ >= 0) close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

bool UsableKey(const std::string& key) {
    return !key.empty() && key.size() <= SettingsStore::kMaxKeyLength && key[0] != '#' &&
           key.find_first_of("=\r\n") == std::string::npos;
}

}  // namespace

bool SettingsStore::Identity::operator==(const Identity& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           mtimeSeconds == o.mtimeSeconds && mtimeNanoseconds == o.mtimeNanoseconds;
}

SettingsStore& SettingsStore::Instance() {
    static SettingsStore store;
    return store;
}

std::string SettingsStore::Path() const {
    return Folder() + "/" + kFileName;
}

SettingsStore::Identity SettingsStore::IdentityOf(const std::string& path) {
    Identity id;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.mtimeSeconds = st.st_mtim.tv_sec;
    id.mtimeNanoseconds = st.st_mtim.tv_nsec;
    return id;
}

std::map<std::string, std::string> SettingsStore::ParseText(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos || !UsableKey(line.substr(0, eq))) continue;
        values[line.substr(0, eq)] = line.substr(eq + 1, kMaxValueLength);
    }
    return values;
}

std::map<std::string, std::string> SettingsStore::ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return ParseText(text.str());
}

bool SettingsStore::WriteFile(const std::string& path,
                              const std::map<std::string, std::string>& values) {
    static std::atomic<unsigned> counter{0};
    std::string text = "# settings of the TV and FM plug-ins, one key=value a line\n";
    for (const auto& [key, value] : values) text += key + "=" + value + "\n";
    const std::string temp =
        path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, text) && fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

void SettingsStore::RefreshLocked(const std::string& path) {
    const Identity now = IdentityOf(path);
    if (loaded_ && path == loadedPath_ && now == loadedIdentity_) return;
    values_ = ReadFile(path);
    loadedPath_ = path;
    loadedIdentity_ = now;
    loaded_ = true;
}

bool SettingsStore::Get(const std::string& key, std::string* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    RefreshLocked(Path());
    auto it = values_.find(key);
    if (it == values_.end()) return false;
    *value = it->second;
    return true;
}

bool SettingsStore::Set(const std::string& key, const std::string& value) {
    if (!UsableKey(key) || value.find_first_of("\r\n") != std::string::npos) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    const std::string dir = Folder();
    const std::string path = dir + "/" + kFileName;
    if (!MakeFolder(dir)) return false;
    FolderLock folderLock(dir);
    // Start from the file as it is now, so another process's writes survive.
    std::map<std::string, std::string> values = ReadFile(path);
    values[key] = value.substr(0, kMaxValueLength);
    if (!WriteFile(path, values)) return false;
    values_ = std::move(values);
    loadedPath_ = path;
    loadedIdentity_ = IdentityOf(path);
    loaded_ = true;
    return true;
}

void SettingsStore::Reload() {
    std::lock_guard<std::mutex> lock(mutex_);
    loaded_ = false;
    RefreshLocked(Path());
}

}  // namespace ravelo

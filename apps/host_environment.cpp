// The host program's folders and files.
#include "apps/host_environment.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace host {
namespace {

namespace fs = std::filesystem;

constexpr char kSkinFolder[] = "SKIN00";

bool HasSkins(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / kSkinFolder, error);
}

}  // namespace

bool EnterSkinFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        std::fprintf(stderr, "mediahost: cannot tell where the program is (/proc/self/exe: %s)\n",
                     error.message().c_str());
        return false;
    }
    const fs::path beside = self.parent_path();
    const fs::path installed = beside.parent_path() / "share" / "tvfm";
    for (const fs::path& folder : {beside, installed}) {
        if (!HasSkins(folder)) continue;
        if (chdir(folder.c_str()) == 0) return true;
        std::fprintf(stderr, "mediahost: cannot enter %s: %s\n", folder.c_str(),
                     std::strerror(errno));
        return false;
    }
    std::fprintf(stderr,
                 "mediahost: no skins (%s) in %s or %s: build the program with "
                 "'cmake --build build --target demo' or install it with cmake --install\n",
                 kSkinFolder, beside.c_str(), installed.c_str());
    return false;
}

SettingsFolder::SettingsFolder(const std::string& chosen) {
    std::string folder = chosen;
    if (folder.empty()) {
        char pattern[] = "/tmp/mediahost.XXXXXX";
        if (!mkdtemp(pattern)) {
            std::fprintf(stderr,
                         "mediahost: cannot make a settings folder in /tmp (%s): choose one "
                         "with --settings DIR\n",
                         std::strerror(errno));
            return;
        }
        temporary_ = folder = pattern;
    } else {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error || access(folder.c_str(), W_OK) != 0) {
            std::fprintf(stderr,
                         "mediahost: the settings folder %s is not writable: choose another "
                         "with --settings DIR\n",
                         folder.c_str());
            return;
        }
    }
    setenv("SOLVANE_SETTINGS_DIR", folder.c_str(), 1);
    ready_ = true;
}

SettingsFolder::~SettingsFolder() {
    std::error_code error;
    if (!temporary_.empty()) fs::remove_all(temporary_, error);
}

ScreenFileChoice::ScreenFileChoice(const std::string& chosen) {
    // Absolute, since the program changes its folder before live video starts.
    std::error_code error;
    path_ = chosen.empty() ? chosen : fs::absolute(chosen, error).string();
    int fd = -1;
    if (path_.empty()) {
        char pattern[] = "/tmp/mediahost-screen.XXXXXX";
        fd = mkstemp(pattern);
        path_ = pattern;
        temporary_ = fd >= 0;
    } else {
        fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    }
    if (fd < 0) {
        std::fprintf(stderr,
                     "mediahost: cannot write the screen file %s (%s): choose another with "
                     "--screen-file PATH\n",
                     path_.c_str(), std::strerror(errno));
        return;
    }
    close(fd);
    ready_ = true;
}

ScreenFileChoice::~ScreenFileChoice() {
    if (temporary_) unlink(path_.c_str());
}

}  // namespace host

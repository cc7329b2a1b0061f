// The host's settings store as the player library keeps it: one text file, settings.ini,
// with one "key=value" line per setting, in the folder named by SOLVANE_SETTINGS_DIR (else
// "$HOME/.solvane", else "/tmp/.solvane"). Every write rewrites the file through a temporary
// file and a rename, under a file lock, so the file is never half-written and writes of
// other processes are not lost; reads reload the file whenever it changed on disk.
#pragma once

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <string>

namespace ravelo {

class SettingsStore {
  public:
    static SettingsStore& Instance();

    // Longest value kept, in characters; longer ones are cut.
    static constexpr size_t kMaxValueLength = 512;
    // Longest key, in characters; longer ones are refused, so a caller cannot grow the
    // file (and every later read and rewrite of it) without bound through its keys.
    static constexpr size_t kMaxKeyLength = 256;

    bool Get(const std::string& key, std::string* value);
    // False for an unusable key (empty, longer than kMaxKeyLength, with '=' or a line
    // break, or starting with '#') or value (with a line break), or when the file cannot
    // be written.
    bool Set(const std::string& key, const std::string& value);
    std::string Path() const;
    void Reload();

    // The settings of a file's text: "key=value" lines; comments ('#'), lines without
    // '=' and keys the store would refuse are skipped, values are cut to
    // kMaxValueLength, and a later line of a key wins.
    static std::map<std::string, std::string> ParseText(const std::string& text);

  private:
    struct Identity {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long mtimeSeconds = 0, mtimeNanoseconds = 0;
        bool operator==(const Identity& o) const;
    };

    static Identity IdentityOf(const std::string& path);
    static std::map<std::string, std::string> ReadFile(const std::string& path);
    static bool WriteFile(const std::string& path, const std::map<std::string, std::string>& v);
    void RefreshLocked(const std::string& path);

    std::mutex mutex_;
    std::map<std::string, std::string> values_;
    std::string loadedPath_;
    Identity loadedIdentity_;
    bool loaded_ = false;
};

}  // namespace ravelo

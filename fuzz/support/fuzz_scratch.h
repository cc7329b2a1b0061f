// A folder of the fuzzer's own for targets that read files: in memory when the
// system has /dev/shm (a disk would make each run wait for writeback), else in
// /tmp; removed when the fuzzer ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class FuzzScratch {
  public:
    static const std::string& Folder() {
        static FuzzScratch scratch;
        return scratch.folder_;
    }

  private:
    FuzzScratch() {
        for (const char* base : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(base) + "/tvfm-fuzz-XXXXXX";
            if (mkdtemp(&pattern[0]) != nullptr) {
                folder_ = pattern;
                return;
            }
        }
        folder_ = "/tmp";
    }
    ~FuzzScratch() {
        std::error_code ignored;
        if (folder_ != "/tmp") std::filesystem::remove_all(folder_, ignored);
    }
    std::string folder_;
};

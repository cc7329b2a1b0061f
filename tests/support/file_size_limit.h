// A disk that fills up partway, for tests of stored files: while a
// FileSizeLimit lives, no file of the process can grow beyond the given
// number of bytes (RLIMIT_FSIZE); writes past it fail with EFBIG instead of
// raising SIGXFSZ. The old limit and signal action come back at the end.
#pragma once

#include <signal.h>
#include <sys/resource.h>

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &savedAction_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        sigaction(SIGXFSZ, &savedAction_, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the test cannot make its point).
    bool Active() const { return active_; }

  private:
    rlimit saved_{};
    struct sigaction savedAction_ = {};
    bool active_ = false;
};

// OSS mixer access: open, read the master volume, write the new one to both
// channels, close.
#include "plugins/common/oss_mixer.h"

#include <fcntl.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace {

int OssOpen(const char* path) {
    return ::open(path, O_RDONLY);
}
int OssRead(int fd, int* word) {
    return ::ioctl(fd, SOUND_MIXER_READ_VOLUME, word) < 0 ? -1 : 0;
}
int OssWrite(int fd, int word) {
    return ::ioctl(fd, SOUND_MIXER_WRITE_VOLUME, &word) < 0 ? -1 : 0;
}
void OssClose(int fd) {
    ::close(fd);
}

constexpr MixerOps kOssOps{OssOpen, OssRead, OssWrite, OssClose};
std::atomic<const MixerOps*> g_ops{&kOssOps};

constexpr int kLevels = 16;

}  // namespace

const char* MixerDevicePath() {
    const char* path = std::getenv("ZAQ_MIXER_DEVICE");
    return path && *path ? path : "/dev/mixer";
}

void SetMixerOps(const MixerOps* ops) {
    g_ops.store(ops ? ops : &kOssOps);
}

void SetMixerLevel(int level) {
    const MixerOps& ops = *g_ops.load();
    const int fd = ops.open(MixerDevicePath());
    if (fd < 0) return;
    // The level read is only a probe that the device answers; the write is
    // made whatever it said.
    int reported = 0;
    ops.readVolume(fd, &reported);
    const int percent = level * kLevels * 100 / 255;
    ops.writeVolume(fd, (percent << 8) | percent);
    ops.close(fd);
}

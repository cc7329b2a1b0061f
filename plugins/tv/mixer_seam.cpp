// The OSS mixer step, reached through replaceable operations.
#include "plugins/tv/mixer_seam.h"

#include <fcntl.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>
#include <unistd.h>

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
const MixerOps* gOps = &kOssOps;

}  // namespace

void SetMixerOps(const MixerOps* ops) {
    gOps = ops ? ops : &kOssOps;
}

void SetMixerToFullLevel() {
    const MixerOps& ops = *gOps;
    const int fd = ops.open(kMixerDevicePath);
    if (fd < 0) return;
    int word = 0;
    // The level read is only a probe that the device answers; the write is
    // made whatever it said.
    ops.readVolume(fd, &word);
    ops.writeVolume(fd, kMixerFullWord);
    ops.close(fd);
}

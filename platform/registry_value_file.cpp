// ValEnt: one value file, a single line "type:length:data" without newline,
// read under a shared flock and written under an exclusive one.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/registry_internal.h"

namespace {

constexpr size_t kMaxFileText = 1023;

// Closes the descriptor and drops its lock on every way out.
class LockedFile {
  public:
    LockedFile(const std::string& path, int flags, int lockKind)
        : fd_(open(path.c_str(), flags, 0666)) {
        if (fd_ >= 0 && flock(fd_, lockKind) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~LockedFile() {
        if (fd_ < 0) return;
        flock(fd_, LOCK_UN);
        close(fd_);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// The position after the first two ":"-separated fields, or null.
const char* ThirdField(const char* text) {
    const char* first = std::strchr(text, ':');
    if (first == nullptr) return nullptr;
    const char* second = std::strchr(first + 1, ':');
    return second == nullptr ? nullptr : second + 1;
}

bool ParseText(const char* text, ValEnt* value) {
    int type = 0;
    long length = 0;
    char probe[2];
    if (std::sscanf(text, "%d:%ld:%1s", &type, &length, probe) != 3) return false;
    if (length < 0 || length > kRegMaxData) return false;
    const char* data = ThirdField(text);
    if (data == nullptr) return false;
    if (type == static_cast<int>(kRegNumber)) {
        const int32_t number = static_cast<int32_t>(std::strtol(data, nullptr, 10));
        std::memcpy(value->data, &number, sizeof(number));
    } else if (type == static_cast<int>(kRegString)) {
        std::memcpy(value->data, data, static_cast<size_t>(length));
        value->data[length] = '\0';
    } else {
        return false;
    }
    value->type = type;
    value->length = static_cast<int32_t>(length);
    return true;
}

bool WriteAll(int fd, const char* text, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, text, size);
        if (written <= 0) return false;
        text += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string FileText(const ValEnt& value) {
    char text[kRegMaxData + 64];
    if (value.type == static_cast<int32_t>(kRegNumber)) {
        int32_t number = 0;
        std::memcpy(&number, value.data, sizeof(number));
        std::snprintf(text, sizeof(text), "%d:%ld:%ld", value.type, static_cast<long>(value.length),
                      static_cast<long>(number));
    } else {
        std::snprintf(text, sizeof(text), "%d:%ld:%s", value.type, static_cast<long>(value.length),
                      reinterpret_cast<const char*>(value.data));
    }
    return text;
}

}  // namespace

bool ValEnt::Read(const std::string& file) {
    LockedFile locked(file, O_RDONLY, LOCK_SH);
    if (locked.fd() < 0) return false;
    type = 7;
    length = 0;
    // Zeroed beyond what is read, so a length field longer than the text reads NULs.
    char text[kMaxFileText + kRegMaxData + 1] = {};
    const ssize_t got = read(locked.fd(), text, kMaxFileText);
    if (got < 0) return false;
    return ParseText(text, this);
}

bool ValEnt::Write(const std::string& file) const {
    if (type != static_cast<int32_t>(kRegNumber) && type != static_cast<int32_t>(kRegString)) {
        return false;
    }
    const std::string text = FileText(*this);
    LockedFile locked(file, O_WRONLY | O_CREAT, LOCK_EX);
    if (locked.fd() < 0 || ftruncate(locked.fd(), 0) != 0) return false;
    return WriteAll(locked.fd(), text.data(), text.size());
}

// Strings come back NUL-terminated when the buffer has room and the stored
// data does not end in a NUL already.
int CopyValueOut(const ValEnt& value, uint32_t* type, void* data, uint32_t* length) {
    if (type != nullptr) *type = static_cast<uint32_t>(value.type);
    if (length == nullptr) return 0;
    const uint32_t size = static_cast<uint32_t>(value.length);
    if (data == nullptr) {
        *length = size;
        return 0;
    }
    if (*length < size) return -1;
    auto* out = static_cast<uint8_t*>(data);
    std::memcpy(out, value.data, size);
    const bool terminated = size > 0 && value.data[size - 1] == '\0';
    if (type != nullptr && value.type == static_cast<int32_t>(kRegString) && !terminated &&
        *length > size) {
        out[size] = '\0';
        *length = size + 1;
        return 0;
    }
    *length = size;
    return 0;
}

// ValEnt: one value file, a single line "type:length:data" without newline,
// read under a shared flock; writers take turns on an exclusive one and replace
// the file whole.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/registry_internal.h"
#include "platform/stored_number.h"

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

// The type and length fields, "%d:%ld:" as a 32-bit system reads them: optional
// blanks and sign, digits, then the colon; both saturate at the 32-bit limits.
const char* HeaderField(const char* text, int32_t* field) {
    char* end = nullptr;
    *field = ParseStoredInt32(text, &end, 10);
    if (end == text || *end != ':') return nullptr;
    return end + 1;
}

}  // namespace

bool ParseValueText(const char* text, ValEnt* value) {
    int32_t type = 0;
    int32_t length = 0;
    const char* afterType = HeaderField(text, &type);
    const char* data = afterType ? HeaderField(afterType, &length) : nullptr;
    if (data == nullptr) return false;
    // The third field must hold something other than blanks (as "%s" demands).
    const char* probe = data;
    while (std::isspace(static_cast<unsigned char>(*probe))) ++probe;
    if (*probe == '\0') return false;
    if (length < 0 || length > kRegMaxData) return false;
    if (type == static_cast<int>(kRegNumber)) {
        const int32_t number = ParseStoredInt32(data, nullptr, 10);
        std::memcpy(value->data, &number, sizeof(number));
    } else if (type == static_cast<int>(kRegString)) {
        // The text may be shorter than the length: what is missing reads as NULs.
        const size_t present = strnlen(data, static_cast<size_t>(length));
        std::memset(value->data, 0, sizeof(value->data));
        std::memcpy(value->data, data, present);
        value->data[length] = '\0';
    } else {
        return false;
    }
    value->type = type;
    value->length = length;
    return true;
}

namespace {

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
    char text[kMaxFileText + 1] = {};
    const ssize_t got = read(locked.fd(), text, kMaxFileText);
    if (got < 0) return false;
    return ParseValueText(text, this);
}

bool ValEnt::Write(const std::string& file) const {
    if (type != static_cast<int32_t>(kRegNumber) && type != static_cast<int32_t>(kRegString)) {
        return false;
    }
    // Writers take turns on the old file's lock; the new text replaces the file
    // whole, so a reader holds either the old file or the new one and a write that
    // fails leaves the old value readable.
    LockedFile locked(file, O_RDONLY, LOCK_EX);
    if (locked.fd() < 0 && errno != ENOENT) return false;
    return ReplaceFileContents(file, FileText(*this)) == 0;
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

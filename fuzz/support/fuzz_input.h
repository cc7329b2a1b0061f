// Reading a fuzzer's input: as text, or as a stream of numbers and byte runs
// for targets whose input is structured (geometry, file trees).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    // The next bytes as a value of T (zeros once the input is used up).
    template <typename T>
    T Next() {
        T value{};
        const size_t n = Remaining() < sizeof(T) ? Remaining() : sizeof(T);
        if (n > 0) std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }
    // A value in lowest..highest taken from the next bytes.
    int32_t NextIn(int32_t lowest, int32_t highest) {
        const uint32_t span = uint32_t(int64_t(highest) - lowest + 1);
        const uint32_t raw = Next<uint32_t>();
        return span == 0 ? int32_t(raw) : int32_t(lowest + int64_t(raw % span));
    }
    // Up to most of the next bytes, as a string.
    std::string NextBytes(size_t most) {
        const size_t n = Remaining() < most ? Remaining() : most;
        std::string bytes(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return bytes;
    }
    std::string Rest() { return NextBytes(Remaining()); }

  private:
    size_t Remaining() const { return at_ < size_ ? size_ - at_ : 0; }
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// The whole input as text.
inline std::string FuzzText(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Stops the run with a finding when a property of the parsed result fails.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                       \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Video memory as the vendor overlay libraries hand it out.
//
// The libraries were made for 32-bit x86: surface, buffer and screen
// addresses travel in 32-bit words (the Intel and S3 surface handles, the
// SiS video record, the VIA surface record). So that those words hold real
// addresses on x86-64 as well, every display library of this system maps
// video memory below 4 GiB (the simulated controller maps it with MAP_32BIT);
// on i386 every address fits anyway. The conversions below are the only place
// a word becomes a pointer or back.
#pragma once

#include <cstdint>

inline uint8_t* VideoMemoryPointer(uint32_t address) {
    return reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(address));
}

// The word that names a video-memory address (exact below 4 GiB).
inline uint32_t VideoMemoryWord(const void* pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

// The Intel and S3 calls take a surface as a pointer to its first word.
inline uint32_t* SurfaceHandle(uint32_t address) {
    return reinterpret_cast<uint32_t*>(static_cast<uintptr_t>(address));
}

// Pieces shared by the registry's files: the process-wide manager, paths and
// the in-memory form of one value.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

class LnRegManager {
  public:
    LnRegManager();
    const std::string& RootFolder() const { return rootFolder_; }

  private:
    std::string rootFolder_;
};

// The manager, created on first use; null if it cannot be obtained.
LnRegManager* RegistryManager();

// Every "\" of path turned into "/".
std::string NormalisePath(const std::string& path);
// parent's path joined with subKey (when given) by "/".
std::string JoinKeyPath(const KEY& parent, const char* subKey);
// Creates every missing directory of root + "/" + path; errors are ignored.
void CreateKeyDirectories(const std::string& root, const std::string& path);

// One value in memory and its file form.
struct ValEnt {
    int32_t type = 7;
    int32_t length = 0;
    uint8_t data[kRegMaxData + 1] = {};

    bool Read(const std::string& file);
    // Replaces the file whole (temporary file, flush, rename): a reader never sees
    // a part of it, and on failure (false) the old value stays readable.
    bool Write(const std::string& file) const;
};

// The text of a value file: "%d:%ld:%s" with the type, the length (0 to 512) and
// the data; numbers read as a system with a 32-bit long reads them, saturating.
// False, with value untouched, for a malformed text or a type other than 1 or 11.
bool ParseValueText(const char* text, ValEnt* value);

// Copies a read value out as a query does; -1 when the buffer is too small.
int CopyValueOut(const ValEnt& value, uint32_t* type, void* data, uint32_t* length);

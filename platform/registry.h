// The settings registry kept in files: every key is a directory and every
// value a one-line text file under <RAVELOHOME or HOME or /tmp>/.corvane.
//
// Choices where the format leaves room:
// - Only types 1 (number) and 11 (string) have a file form; setting any other
//   type fails with -1 and writes nothing.
// - LnRegEnumValue reads values in the same text form as LnRegQueryValue.
// - A query of a string with an out type appends a NUL (counted in the
//   returned length) when the buffer has room and the stored data does not
//   already end in one.
// - The product key and its player defaults are not created ahead of use; the
//   settings setters create the product key when they first write.
// - An empty RAVELOHOME or HOME counts as unset.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kRegNumber = 1;
constexpr uint32_t kRegString = 11;
constexpr int kRegMaxData = 512;
constexpr int kRegNoMoreItems = 259;

// A key: a path of components relative to the registry root folder.
class KEY {
  public:
    KEY(const std::string& path, bool predefined);
    virtual ~KEY() = default;

    const std::string& Path() const { return path_; }
    bool Predefined() const { return predefined_; }

  private:
    std::string path_;  // separators normalised to "/"
    bool predefined_;
};

enum class LnRegRoot {
    ClassesRoot,
    CurrentConfig,
    CurrentUser,
    LocalMachine,
    Users,
    PerformanceData,
    DynData,
};

// The predefined root keys; they live from library load to unload.
KEY* LnRegRootKey(LnRegRoot root);

// The root folder for these environment values: base (a single trailing "/"
// dropped) + "/.corvane".
std::string RegistryRootFolder(const char* ravelohome, const char* home);
// The root folder of this process's registry (the environment is read once).
std::string LnRegRootFolder();

// All return 0 on success and -1 on failure unless stated.
int LnRegCreateKey(KEY* parent, const char* subKey, uint32_t reserved, const char* keyClass,
                   uint32_t options, uint32_t access, const void* security, KEY** key,
                   uint32_t* disposition);
int LnRegCreateKey(KEY* parent, const char* subKey, KEY** key);
int LnRegOpenKey(KEY* parent, const char* subKey, uint32_t options, uint32_t access, KEY** key);
int LnRegOpenKey(KEY* parent, const char* subKey, KEY** key);
int LnRegCloseKey(KEY* key);
// Removes the key's directory (or that of its sub-key) with everything below it.
int LnRegDeleteKey(KEY* key, const char* subKey);
int LnRegDeleteValue(KEY* key, const char* name);
int LnRegQueryValue(KEY* key, const char* name, uint32_t* reserved, uint32_t* type, void* data,
                    uint32_t* length);
int LnRegSetValue(KEY* key, const char* name, uint32_t reserved, uint32_t type, const void* data,
                  uint32_t length);
// kRegNoMoreItems when there is no entry with that index.
int LnRegEnumKey(KEY* key, uint32_t index, char* name, uint32_t* nameLength);
int LnRegEnumValue(KEY* key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* reserved,
                   uint32_t* type, void* data, uint32_t* dataLength);
int LnRegFlushKey(KEY* key);

// Named settings of the product key: each call opens the key, performs one
// registry operation and closes it again.
#include "platform/settings.h"

#include <cstdlib>
#include <cstring>

#include "platform/registry.h"

namespace {

constexpr const char* kProductKey = "Software\\Corvane\\Vexplay";

// Closes the key on every way out.
class ProductKey {
  public:
    // Readers open the key; writers create it when missing.
    explicit ProductKey(bool create) {
        KEY* root = LnRegRootKey(LnRegRoot::LocalMachine);
        if (create) {
            LnRegCreateKey(root, kProductKey, &key_);
        } else {
            LnRegOpenKey(root, kProductKey, &key_);
        }
    }
    ~ProductKey() {
        if (key_ != nullptr) LnRegCloseKey(key_);
    }
    ProductKey(const ProductKey&) = delete;
    ProductKey& operator=(const ProductKey&) = delete;
    KEY* get() const { return key_; }

  private:
    KEY* key_ = nullptr;
};

int QueryProduct(const char* name, uint32_t* type, void* data, uint32_t* length) {
    ProductKey key(false);
    if (key.get() == nullptr) return -1;
    return LnRegQueryValue(key.get(), name, nullptr, type, data, length);
}

int SetProduct(const char* name, uint32_t type, const void* data, uint32_t length) {
    ProductKey key(true);
    if (key.get() == nullptr) return -1;
    return LnRegSetValue(key.get(), name, 0, type, data, length);
}

void CopyDefault(char* buffer, int size, const char* def) {
    if (def == nullptr) {
        buffer[0] = '\0';
        return;
    }
    std::strncpy(buffer, def, static_cast<size_t>(size));
    buffer[size - 1] = '\0';
}

}  // namespace

int SettingGetInt(const char* name, int def) {
    int32_t value = 0;
    uint32_t length = sizeof(value);
    uint32_t type = 0;
    if (QueryProduct(name, &type, &value, &length) != 0) return def;
    return value;
}

int SettingSetInt(const char* name, int value) {
    const int32_t word = value;
    return SetProduct(name, kRegNumber, &word, sizeof(word));
}

int SettingGetString(const char* name, char* buffer, int size, const char* def) {
    if (buffer == nullptr || size <= 0) return -1;
    uint32_t length = static_cast<uint32_t>(size);
    uint32_t type = 0;
    if (QueryProduct(name, &type, buffer, &length) != 0) {
        CopyDefault(buffer, size, def);
        return -1;
    }
    // Always hand back a terminated string, even for data stored without a NUL.
    if (length < static_cast<uint32_t>(size)) {
        buffer[length] = '\0';
    } else if (buffer[size - 1] != '\0') {
        buffer[size - 1] = '\0';
    }
    return 0;
}

int SettingSetString(const char* name, const char* text, int length) {
    if (text == nullptr || length < 0) return -1;
    return SetProduct(name, kRegString, text, static_cast<uint32_t>(length));
}

float SettingGetFloat(const char* name, float def) {
    char text[101] = {};
    uint32_t length = sizeof(text) - 1;
    uint32_t type = 0;
    if (QueryProduct(name, &type, text, &length) != 0) return def;
    return static_cast<float>(std::strtod(text, nullptr));
}

int SettingDeleteValue(const char* name) {
    ProductKey key(false);
    if (key.get() == nullptr) return -1;
    return LnRegDeleteValue(key.get(), name);
}

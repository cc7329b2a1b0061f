// The one binding step every hardware renderer uses to reach its vendor
// library: the library's paths are tried in order with immediate binding,
// then its names are bound in the stated order, with the loader's error state
// cleared and checked around each lookup. A missing name fails the binding
// but keeps the handle, so Close releases it. Renderers get the entry points
// as a typed table (BindVendorCalls), never through dlsym of their own.
//
// The seam: MIROVA_VENDOR_ROOT names a folder that stands for "/", so
// "/usr/lib/libI915G.so" is looked up as "$MIROVA_VENDOR_ROOT/usr/lib/libI915G.so";
// unset or empty, the real paths are used.
//
// A CVendorLibrary belongs to one renderer and is used under that
// renderer's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

// What a library is loaded from and which names it must offer.
struct VendorLibrarySpec {
    const char* const* paths;  // tried in this order
    size_t pathCount;
    const char* const* names;  // bound in this order
    size_t nameCount;
    const char* loadError;  // printed on standard output when no path loads (or null)
    const char* nameError;  // printed when a name is missing (or null)
};

enum class VendorBind {
    kBound,
    kNoLibrary,
    kNoName,
    kInitFailed,  // bound, but the library refused to start (NVIDIA)
};

// The path a library is opened by, through the seam.
std::string VendorLibraryPath(const char* path);

class CVendorLibrary {
  public:
    CVendorLibrary() = default;
    ~CVendorLibrary() { Close(); }
    CVendorLibrary(const CVendorLibrary&) = delete;
    CVendorLibrary& operator=(const CVendorLibrary&) = delete;

    // Fills slots[0 .. nameCount) on success; closes any library held before.
    VendorBind Bind(const VendorLibrarySpec& spec, void** slots);
    // dlclose of the handle, when one is held.
    void Close();

    bool Loaded() const { return handle_ != nullptr; }
    bool Bound() const { return bound_; }
    const std::string& Path() const { return path_; }
    // The name that was missing in the last binding, or empty.
    const std::string& MissingName() const { return missing_; }

  private:
    void* handle_ = nullptr;
    bool bound_ = false;
    std::string path_;
    std::string missing_;
};

// Members and names of a typed table come from one list:
//   #define MY_CALLS(X) X(member, function, "exported name") ...
//   struct MyCalls { MY_CALLS(VENDOR_CALL_MEMBER) };
//   const char* const kMyNames[] = {MY_CALLS(VENDOR_CALL_NAME)};
#define VENDOR_CALL_MEMBER(member, function, name) decltype(&function) member;
#define VENDOR_CALL_NAME(member, function, name) name,

// Binds a table whose members are function pointers in the order of the
// spec's names; on anything but kBound the table is left all null.
template <typename Calls>
VendorBind BindVendorCalls(CVendorLibrary* library, const VendorLibrarySpec& spec, Calls* calls) {
    static_assert(std::is_trivially_copyable<Calls>::value, "a table of function pointers");
    constexpr size_t kCount = sizeof(Calls) / sizeof(void*);
    static_assert(sizeof(Calls) == kCount * sizeof(void*), "a table of function pointers");
    *calls = Calls{};
    if (spec.nameCount != kCount) return VendorBind::kNoName;
    void* slots[kCount] = {};
    const VendorBind result = library->Bind(spec, slots);
    if (result == VendorBind::kBound) std::memcpy(static_cast<void*>(calls), slots, sizeof slots);
    return result;
}

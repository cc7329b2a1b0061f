// The seam folders of the tests and the host program: the stand-ins placed
// under a root as /usr/lib/... or /usr/local/lib/..., a copy that lacks one
// exported name, and a PCI tree with one display controller.
#include <dlfcn.h>
#include <elf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sim/display/sim_display.h"

namespace {

const char* const kStandIns[] = {"libI865G.so", "libI915G.so",    "libs3g.so",  "libddmpeg.so",
                                 "libdv.so",    "libradeonov.so", "libNVDLL.so"};

// Creates every missing folder of path.
bool MakeFolders(const std::string& path) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string prefix = path.substr(0, at);
        if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool ReadFile(const std::string& path, std::vector<char>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !bytes->empty();
}

bool WriteFile(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

// Changes the first character of one dynamic symbol's name, so a lookup of
// that name fails while the library still loads. Refused when the bytes are
// shared with another name.
template <typename Ehdr, typename Shdr, typename Sym>
bool HideName(std::vector<char>* file, const std::string& name) {
    if (file->size() < sizeof(Ehdr)) return false;
    Ehdr header;
    std::memcpy(&header, file->data(), sizeof header);
    const size_t tableEnd = size_t(header.e_shoff) + size_t(header.e_shnum) * sizeof(Shdr);
    if (header.e_shentsize != sizeof(Shdr) || tableEnd > file->size()) return false;
    auto section = [&](size_t i) {
        Shdr s;
        std::memcpy(&s, file->data() + header.e_shoff + i * sizeof(Shdr), sizeof s);
        return s;
    };
    for (size_t i = 0; i < header.e_shnum; ++i) {
        const Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM || symbols.sh_link >= header.e_shnum) continue;
        const Shdr strings = section(symbols.sh_link);
        if (symbols.sh_offset + symbols.sh_size > file->size() ||
            strings.sh_offset + strings.sh_size > file->size())
            return false;
        const size_t count = symbols.sh_size / sizeof(Sym);
        std::vector<Sym> table(count);
        std::memcpy(table.data(), file->data() + symbols.sh_offset, count * sizeof(Sym));
        const char* text = file->data() + strings.sh_offset;
        size_t target = 0;
        for (const Sym& s : table)
            if (s.st_name < strings.sh_size && name == text + s.st_name) target = s.st_name;
        if (target == 0) return false;
        for (const Sym& s : table) {
            if (s.st_name == target || s.st_name >= strings.sh_size) continue;
            const size_t end = s.st_name + std::strlen(text + s.st_name);
            if (s.st_name <= target && target < end) return false;
        }
        char& first = (*file)[strings.sh_offset + target];
        first = first == 'X' ? 'Y' : 'X';
        return true;
    }
    return false;
}

bool HideNameInElf(std::vector<char>* file, const std::string& name) {
    if (file->size() < EI_NIDENT || std::memcmp(file->data(), ELFMAG, SELFMAG) != 0) return false;
    if ((*file)[EI_CLASS] == ELFCLASS64)
        return HideName<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym>(file, name);
    if ((*file)[EI_CLASS] == ELFCLASS32)
        return HideName<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym>(file, name);
    return false;
}

}  // namespace

extern "C" {

const char* sim_display_stand_in_folder(void) {
    static const std::string folder = [] {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&sim_display_stand_in_folder), &info) == 0 ||
            info.dli_fname == nullptr)
            return std::string(".");
        const std::string path = info.dli_fname;
        const size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    }();
    return folder.c_str();
}

int sim_display_install_library(const char* root, const char* folder, const char* library,
                                const char* withoutName) {
    if (root == nullptr || folder == nullptr || library == nullptr) return -1;
    const std::string target = std::string(root) + folder;
    if (!MakeFolders(target)) return -1;
    const std::string built = std::string(sim_display_stand_in_folder()) + "/" + library;
    const std::string placed = target + "/" + library;
    unlink(placed.c_str());
    if (withoutName == nullptr) return symlink(built.c_str(), placed.c_str()) == 0 ? 0 : -1;
    std::vector<char> bytes;
    if (!ReadFile(built, &bytes) || !HideNameInElf(&bytes, withoutName)) return -1;
    return WriteFile(placed, bytes) ? 0 : -1;
}

int sim_display_install_all(const char* root, const char* folder) {
    for (const char* library : kStandIns)
        if (sim_display_install_library(root, folder, library, nullptr) != 0) return -1;
    return 0;
}

int sim_display_write_pci_tree(const char* root, int vendor, int device) {
    if (root == nullptr || !MakeFolders(std::string(root) + "/00")) return -1;
    unsigned char config[64] = {};
    config[0] = uint8_t(vendor);
    config[1] = uint8_t(vendor >> 8);
    config[2] = uint8_t(device);
    config[3] = uint8_t(device >> 8);
    config[10] = 0x00;  // class word 0x0300: VGA-compatible display controller
    config[11] = 0x03;
    std::ofstream out(std::string(root) + "/00/02.0", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(config), sizeof config);
    return out ? 0 : -1;
}

}  // extern "C"

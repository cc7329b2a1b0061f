// The PCI configuration files: a tree laid out like /proc/bus/pci, built from the
// input (bus folders, slot.function files, the summary file, links, any bytes as
// contents), walked as the renderer choice walks it, and the ids found reduced to
// a chip family.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_scratch.h"
#include "video/render/pci_scan.h"
#include "video/render/renderer_choice.h"

namespace {

const char* const kNames[] = {"00.0", "01.0", "02.1", "1f.0", "0a.0", "devices", ".0", "x.0y"};
const char* const kFolders[] = {"", "00/", "01/", "00/00/", "devices/"};

const std::string& Root() {
    static const std::string root = FuzzScratch::Folder() + "/pci";
    return root;
}

void BuildTree(FuzzInput& input) {
    std::error_code ignored;
    std::filesystem::remove_all(Root(), ignored);
    std::filesystem::create_directories(Root(), ignored);
    for (int entry = 0; entry < 8 && !input.Empty(); ++entry) {
        const uint8_t choice = input.Next<uint8_t>();
        const std::string folder = Root() + "/" + kFolders[choice % 5];
        std::filesystem::create_directories(folder, ignored);
        const std::string path = folder + kNames[(choice / 5) % 8];
        const std::string contents = input.NextBytes(input.Next<uint8_t>() % 40);
        if (choice >= 240) {
            symlink(Root().c_str(), path.c_str());  // a loop the walk must not follow
            continue;
        }
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(contents.data(), 1, contents.size(), file);
            std::fclose(file);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    PciDisplay previous;
    previous.vendor = input.Next<int32_t>();
    previous.device = input.Next<int32_t>();
    const int32_t vendor = input.Next<int32_t>();
    const int32_t device = input.Next<int32_t>();
    ReduceToFamily(vendor, device);
    BuildTree(input);
    const PciDisplay found = ScanPciDisplay(Root(), previous);
    if (found.found) {
        FUZZ_CHECK(found.vendor >= 0 && found.vendor <= 0xFFFF);
        FUZZ_CHECK(found.device >= 0 && found.device <= 0xFFFF);
        ReduceToFamily(found.vendor, found.device);
    } else {
        FUZZ_CHECK(found.vendor == previous.vendor && found.device == previous.device);
    }
    return 0;
}

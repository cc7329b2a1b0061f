// Every shared library with an export list (export_only in cmake/export_list.cmake)
// exports exactly that list: each listed name is there, each pattern matches, and
// nothing else is offered (no template copies, thread-state vtables or internals).
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Library {
    std::string path;
    std::string exportsFile;
};

std::vector<Library> ReadTable() {
    std::vector<Library> table;
    std::ifstream in(EXPORT_TABLE);
    std::string line;
    while (std::getline(in, line)) {
        const size_t bar = line.find('|');
        if (bar != std::string::npos) table.push_back({line.substr(0, bar), line.substr(bar + 1)});
    }
    return table;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> ReadEntries(const std::string& path) {
    std::vector<std::string> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string entry = Trimmed(line.substr(0, line.find('#')));
        if (!entry.empty()) entries.push_back(entry);
    }
    return entries;
}

// A glob has no spaces or parentheses: the `*` of a signature is a pointer.
bool IsPattern(const std::string& entry) {
    return entry.find_first_of("*?") != std::string::npos &&
           entry.find_first_of(" (") == std::string::npos;
}

// "ADDRESS TYPE NAME[@[@]VERSION]" lines of nm; version definitions (type A) are
// not symbols of the library's own.
std::set<std::string> DynamicSymbols(const std::string& library) {
    const std::string command = std::string(NM_PROGRAM) + " -D --defined-only -C '" + library + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::set<std::string> names;
    if (!pipe) return names;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) {
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        const size_t typeAt = line.find(' ');
        if (typeAt == std::string::npos || typeAt + 3 > line.size()) continue;
        if (line[typeAt + 1] == 'A') continue;
        std::string name = line.substr(typeAt + 3);
        const size_t version = name.find('@');
        if (version != std::string::npos) name.resize(version);
        names.insert(name);
    }
    return names;
}

bool Matches(const std::string& entry, const std::string& name) {
    return IsPattern(entry) ? fnmatch(entry.c_str(), name.c_str(), 0) == 0 : entry == name;
}

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

TEST(ExportedSymbols, TheTableCoversTheDeliverablesAndTheStandIns) {
    std::set<std::string> names;
    for (const Library& library : ReadTable()) names.insert(FileName(library.path));
    for (const char* expected :
         {"libmirova.so", "libtelvira.so", "libsonidra.so", "libravelo.so", "libtonvex.so",
          "libsolvane.so", "libsimdisplay.so", "libI865G.so", "libI915G.so", "libs3g.so",
          "libddmpeg.so", "libdv.so", "libradeonov.so", "libNVDLL.so"})
        EXPECT_EQ(names.count(expected), 1u) << expected;
}

TEST(ExportedSymbols, EachLibraryExportsExactlyItsList) {
    for (const Library& library : ReadTable()) {
        SCOPED_TRACE(FileName(library.path));
        const std::set<std::string> symbols = DynamicSymbols(library.path);
        ASSERT_FALSE(symbols.empty()) << "nm found no symbols in " << library.path;
        const std::vector<std::string> entries = ReadEntries(library.exportsFile);
        for (const std::string& entry : entries) {
            bool found = false;
            for (const std::string& symbol : symbols) found = found || Matches(entry, symbol);
            EXPECT_TRUE(found) << "listed but not exported: " << entry;
        }
        for (const std::string& symbol : symbols) {
            bool listed = false;
            for (const std::string& entry : entries) listed = listed || Matches(entry, symbol);
            EXPECT_TRUE(listed) << "exported but not listed: " << symbol;
        }
    }
}

}  // namespace

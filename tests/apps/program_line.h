// The command line that starts one of the project's programs in a test: under
// the build's emulator when it has one (an i386 build on a kernel that cannot
// run i386 programs runs them under qemu-i386).
#pragma once

#include <unistd.h>

#include <string>
#include <vector>

namespace testterm {

inline bool UnderEmulator() {
    return PROGRAM_EMULATOR[0] != '\0';
}

inline std::vector<std::string> ProgramLine(const std::string& program,
                                            const std::vector<std::string>& args) {
    std::vector<std::string> line;
    if (UnderEmulator()) line.push_back(PROGRAM_EMULATOR);
    line.push_back(program);
    line.insert(line.end(), args.begin(), args.end());
    return line;
}

// In a forked child: replaces it with the program of line (its first word), or
// ends it with 127 as a shell does when that cannot start.
[[noreturn]] inline void ExecLine(std::vector<std::string>& line) {
    std::vector<char*> pointers;
    for (std::string& word : line) pointers.push_back(&word[0]);
    pointers.push_back(nullptr);
    execv(pointers[0], pointers.data());
    _exit(127);
}

}  // namespace testterm

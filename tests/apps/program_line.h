// The command line that starts one of the project's programs in a test: under
// the build's emulator when it has one (an i386 build on a kernel that cannot
// run i386 programs runs them under qemu-i386).
#pragma once

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

}  // namespace testterm

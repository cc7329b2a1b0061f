// Runs a program to its end with stdin closed, collecting what it writes on
// stdout and stderr and how it ended.
#pragma once

#include <string>
#include <vector>

namespace testterm {

struct ChildResult {
    int exitCode = -1;  // -1 when it did not end by exit in time
    std::string out;
    std::string err;
};

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     int timeoutMs);

// The lines of text (without their newlines).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace testterm

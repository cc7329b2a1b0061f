// Reader of the skin's layout files. The files keep the host's .xml names but use a
// line format of our own, easier to write by hand and to check:
//   - blank lines and lines starting with '#' are ignored;
//   - every other line is a kind followed by fields, all separated by '|', with
//     spaces around each field trimmed: "kind | field | field ...".
// What each kind's fields mean is up to the reader of that layout (the FM screen
// reader, the setup menus).
#pragma once

#include <string>
#include <vector>

#include "interfaces/tuner_service.h"

namespace hostsim {

struct LayoutLine {
    std::string kind;
    std::vector<std::string> fields;
};

struct LayoutFile {
    bool loaded = false;
    std::vector<LayoutLine> lines;
};

// Reads path; a missing or unreadable file gives loaded false and no lines.
LayoutFile ReadLayoutFile(const std::string& path);
// The lines of a layout file's text (loaded true).
LayoutFile ParseLayoutText(const std::string& text);

// Splits "a b c" at runs of spaces.
std::vector<std::string> SplitWords(const std::string& text);

// Parses a whole decimal int (sign allowed); false for anything else.
bool ParseInt(const std::string& text, int& value);

// "left top right bottom"; false unless exactly four ints.
bool ParseRect(const std::string& text, ZaqRect& rect);

// The first line of that kind, or null.
const LayoutLine* FindLine(const LayoutFile& file, const std::string& kind);

}  // namespace hostsim

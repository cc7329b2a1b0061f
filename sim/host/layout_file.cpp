// Line reader of the skin's layout files (format in layout_file.h).
#include "sim/host/layout_file.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace hostsim {
namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '|')) fields.push_back(Trim(field));
    return fields;
}

}  // namespace

LayoutFile ReadLayoutFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return LayoutFile{};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseLayoutText(text.str());
}

LayoutFile ParseLayoutText(const std::string& text) {
    LayoutFile file;
    file.loaded = true;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::string content = Trim(line);
        if (content.empty() || content[0] == '#') continue;
        std::vector<std::string> fields = SplitFields(content);
        LayoutLine parsed;
        parsed.kind = fields.front();
        parsed.fields.assign(fields.begin() + 1, fields.end());
        file.lines.push_back(std::move(parsed));
    }
    return file;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::stringstream stream(text);
    std::string word;
    while (stream >> word) words.push_back(word);
    return words;
}

bool ParseInt(const std::string& text, int& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin != end;
}

bool ParseRect(const std::string& text, ZaqRect& rect) {
    std::vector<std::string> words = SplitWords(text);
    int v[4];
    if (words.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i) {
        if (!ParseInt(words[i], v[i])) return false;
    }
    rect = ZaqRect{v[0], v[1], v[2], v[3]};
    return true;
}

const LayoutLine* FindLine(const LayoutFile& file, const std::string& kind) {
    for (const auto& line : file.lines) {
        if (line.kind == kind) return &line;
    }
    return nullptr;
}

}  // namespace hostsim

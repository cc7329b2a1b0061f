// Terminal input in raw mode and script parsing.
#include "apps/terminal_keys.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "apps/key_feed.h"

namespace host {

namespace {

int ReadByte(int timeoutMs) {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) return -1;
    unsigned char byte = 0;
    const ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got == 0) return -2;
    return got < 0 ? -1 : byte;
}

int ArrowKey(int letter) {
    switch (letter) {
        case 'A':
            return kHostUp;
        case 'B':
            return kHostDown;
        case 'C':
            return kHostRight;
        case 'D':
            return kHostLeft;
        default:
            return -1;
    }
}

}  // namespace

int ReadKey(int timeoutMs) {
    const int key = ReadByte(timeoutMs);
    if (key == '\r') return kHostEnter;
    if (key != 27) return key;
    // An escape sequence "ESC [ A" is an arrow; a lone escape is dropped.
    if (ReadByte(50) != '[') return -1;
    return ArrowKey(ReadByte(50));
}

std::vector<int> ParseKeyScript(const std::string& script,
                                const std::function<int(const std::string& name)>& named) {
    std::vector<int> keys;
    for (size_t i = 0; i < script.size(); ++i) {
        const size_t close = script[i] == '{' ? script.find('}', i) : std::string::npos;
        if (close == std::string::npos) {
            keys.push_back(static_cast<unsigned char>(script[i]));
            continue;
        }
        const int key = named(script.substr(i + 1, close - i - 1));
        i = close;
        if (key >= 0) keys.push_back(key);
    }
    return keys;
}

std::vector<int> ParseScript(const std::string& script) {
    static const std::map<std::string, int> kNames = {
        {"up", kHostUp},
        {"down", kHostDown},
        {"right", kHostRight},
        {"left", kHostLeft},
        {"enter", kHostEnter},
        {"favourites", kScriptFavourites},
        {"finetune", kScriptFineTune},
    };
    return ParseKeyScript(script, [](const std::string& name) {
        if (name.rfind("fav ", 0) == 0) {
            const int position = std::atoi(name.c_str() + 4);
            return position >= 1 && position <= 12 ? kScriptFavouriteBase + position - 1 : -1;
        }
        auto found = kNames.find(name);
        return found != kNames.end() ? found->second : -1;
    });
}

}  // namespace host

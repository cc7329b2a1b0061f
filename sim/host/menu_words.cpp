// Decoding table of the menu commands' words (what each command carries is listed
// with CSetupMenuMediator in the host framework header).
#include "sim/host/menu_words.h"

#include <array>
#include <map>
#include <vector>

namespace hostsim {
namespace {

enum class Word {
    kUnused,      // not read
    kInt,         // points to an int
    kText,        // const char*
    kByte,        // points to one char
    kList,        // points to a std::vector<std::string>
    kCallback,    // a MediaEventCallback
    kTextIfFlag,  // text when the next word is given, else points to an int
};

using Layout = std::array<Word, 4>;

constexpr Layout kNone{Word::kUnused, Word::kUnused, Word::kUnused, Word::kUnused};
constexpr Layout kOsd{Word::kUnused, Word::kUnused, Word::kUnused, Word::kText};
constexpr Layout kFirstInt{Word::kInt, Word::kUnused, Word::kUnused, Word::kUnused};
constexpr Layout kSecondIntOsd{Word::kUnused, Word::kInt, Word::kUnused, Word::kText};
constexpr Layout kChannel{Word::kInt, Word::kInt, Word::kInt, Word::kText};
constexpr Layout kSetting{Word::kTextIfFlag, Word::kInt, Word::kUnused, Word::kUnused};
constexpr Layout kFirstText{Word::kText, Word::kUnused, Word::kUnused, Word::kUnused};
constexpr Layout kFirstList{Word::kList, Word::kUnused, Word::kUnused, Word::kUnused};
constexpr Layout kNotice{Word::kByte, Word::kInt, Word::kUnused, Word::kText};
constexpr Layout kCallbackWord{Word::kCallback, Word::kUnused, Word::kUnused, Word::kUnused};

const std::map<unsigned, Layout>& Layouts() {
    static const std::map<unsigned, Layout> layouts = {
        {8, kOsd},       {32, kSecondIntOsd}, {40, kNone},       {41, kNone},
        {42, kNone},     {43, kNone},         {50, kNone},       {65, kFirstInt},
        {66, kNone},     {81, kCallbackWord}, {83, kNone},       {87, kFirstInt},
        {88, kSetting},  {89, kSetting},      {90, kFirstInt},   {91, kFirstInt},
        {92, kFirstInt}, {95, kFirstText},    {96, kFirstList},  {97, kNone},
        {159, kChannel}, {160, kChannel},     {161, kChannel},   {163, kChannel},
        {165, kNotice},  {171, kOsd},         {180, kOsd},       {184, kSecondIntOsd},
        {190, kOsd},     {191, kOsd},         {198, kFirstList}, {199, kFirstText},
    };
    return layouts;
}

std::string ListText(const void* word) {
    const auto& list = *static_cast<const std::vector<std::string>*>(word);
    std::string text = "{";
    for (size_t i = 0; i < list.size(); ++i) text += (i ? "|" : "") + list[i];
    return text + "}";
}

std::string WordText(Word kind, const void* word, const void* next) {
    if (!word) return "0";
    switch (kind) {
        case Word::kInt:
            return std::to_string(PointedInt(word, 0));
        case Word::kText:
            return static_cast<const char*>(word);
        case Word::kByte:
            return std::to_string(*static_cast<const unsigned char*>(word));
        case Word::kList:
            return ListText(word);
        case Word::kCallback:
            return "fn";
        case Word::kTextIfFlag:
            return next ? static_cast<const char*>(word) : WordText(Word::kInt, word, nullptr);
        case Word::kUnused:
            break;
    }
    return "?";
}

}  // namespace

int PointedInt(const void* word, int fallback) {
    return word ? *static_cast<const int*>(word) : fallback;
}

std::string DescribeMenuCommand(unsigned command, MenuWords words) {
    auto found = Layouts().find(command);
    Layout layout = found == Layouts().end() ? kNone : found->second;
    std::string text = std::to_string(command);
    for (size_t i = 0; i < 4; ++i) {
        const void* next = i < 3 ? words[i + 1] : nullptr;
        text += " " + WordText(layout[i], words[i], next);
    }
    return text;
}

}  // namespace hostsim

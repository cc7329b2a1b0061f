// Skin layout files, as the FM screen and the setup menus read them: the lines,
// the layout reader's entries and rectangles, and the sizes the FM screen takes
// from them.
#include <cstdio>
#include <string>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_scratch.h"
#include "plugins/fm/fm_screen_widgets.h"
#include "sim/host/host_journal.h"
#include "sim/host/layout_file.h"

namespace {

const char* const kEntries[] = {"Favorite Channel Number",
                                "Current Channel",
                                "Frequency Unit",
                                "Clock",
                                "Date",
                                "Mute",
                                "Volume"};

// One file for the whole run, rewritten with each input.
const std::string& LayoutPath() {
    static const std::string path = FuzzScratch::Folder() + "/FMUI.xml";
    return path;
}

void Sizes(const ZaqRect& r) {
    const int width = sonidra::LayoutSpan(r.left, r.right);
    const int height = sonidra::LayoutSpan(r.top, r.bottom);
    FUZZ_CHECK((int64_t(r.right) - r.left + 1 == width) || width == INT_MIN || width == INT_MAX);
    FUZZ_CHECK((int64_t(r.bottom) - r.top + 1 == height) || height == INT_MIN || height == INT_MAX);
}

// The setup menu's items: "item | name | code sub-command argument".
void MenuItems(const hostsim::LayoutFile& file) {
    for (const auto& line : file.lines) {
        if (line.kind != "item" || line.fields.size() < 2) continue;
        const auto words = hostsim::SplitWords(line.fields[1]);
        int value = 0;
        for (const auto& word : words) hostsim::ParseInt(word, value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = FuzzText(data, size);
    const hostsim::LayoutFile parsed = hostsim::ParseLayoutText(text);
    for (const auto& line : parsed.lines) FUZZ_CHECK(line.kind.empty() || line.kind[0] != '#');
    MenuItems(parsed);

    std::FILE* file = std::fopen(LayoutPath().c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    // The host journals every open; emptied each run so the run holds no memory.
    hostsim::JournalClear();
    CUI_XML_ADAPTOR layout(LayoutPath().c_str());
    FUZZ_CHECK(layout.IsLoaded());
    layout.GetLayoutId();
    layout.GetMainWinBgImgLoc();
    layout.GetPanelBgImgLoc();
    layout.GetMainWinId();
    layout.GetPanelId();
    Sizes(layout.GetMainWinCoordinates());
    Sizes(layout.GetPanelCoordinates());
    using Reader = bool (CUI_XML_ADAPTOR::*)(const char*, CUIXmlEntry&) const;
    for (Reader read :
         {&CUI_XML_ADAPTOR::GetLabel, &CUI_XML_ADAPTOR::GetClock, &CUI_XML_ADAPTOR::GetDate,
          &CUI_XML_ADAPTOR::GetToggle, &CUI_XML_ADAPTOR::GetVolumnBar}) {
        for (const char* name : kEntries) {
            CUIXmlEntry entry;
            if ((layout.*read)(name, entry)) Sizes(entry.rect);
        }
    }
    return 0;
}

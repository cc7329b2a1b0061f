// The FM panel's widget table. Labels, clock and date are placed at their layout
// position with a fixed size per skin; the toggle and the volume bar take position and
// size from their layout rectangle.
#include "plugins/fm/fm_screen_widgets.h"

namespace sonidra {
namespace {

constexpr int kWidgetLayer = 3;

struct Size {
    int width;
    int height;
};

using Reader = bool (CUI_XML_ADAPTOR::*)(const char*, CUIXmlEntry&) const;
using Maker = void (*)(CUIFMPanel& panel, const char* entryName, const CUIXmlEntry& entry,
                       const ZaqRect& area, const char* name);

struct WidgetRow {
    const char* name;
    const char* entryName;
    Reader read;
    Maker make;
    Size small;  // at resolution 3; zero: from the layout
    Size standard;
};

ZaqRect FixedArea(const CUIXmlEntry& entry, Size size) {
    return ZaqRect{entry.rect.left, entry.rect.top, size.width, size.height};
}

ZaqRect LayoutArea(const CUIXmlEntry& entry) {
    const ZaqRect& r = entry.rect;
    return ZaqRect{r.left, r.top, LayoutSpan(r.left, r.right), LayoutSpan(r.top, r.bottom)};
}

// Widgets built with a parent belong to it; the panel deletes them.
void MakeLabel(CUIFMPanel& p, const char* entryName, const CUIXmlEntry& e, const ZaqRect& a,
               const char* name) {
    (new CUILabel(&p, entryName, e, a.left, a.top, a.right, a.bottom, name, kWidgetLayer, true))
        ->Update();
}

void MakeClock(CUIFMPanel& p, const char* entryName, const CUIXmlEntry& e, const ZaqRect& a,
               const char* name) {
    (new CUIClock(&p, entryName, e, a.left, a.top, a.right, a.bottom, name, kWidgetLayer, true,
                  e.format))
        ->Update();
}

void MakeDate(CUIFMPanel& p, const char* entryName, const CUIXmlEntry& e, const ZaqRect& a,
              const char* name) {
    (new CUIDate(&p, entryName, e, a.left, a.top, a.right, a.bottom, name, kWidgetLayer, true, 0))
        ->Update();
}

void MakeToggle(CUIFMPanel& p, const char* entryName, const CUIXmlEntry& e, const ZaqRect& a,
                const char* name) {
    (new CUIToggle(&p, entryName, e, a.left, a.top, a.right, a.bottom, name, kWidgetLayer, true))
        ->Update();
}

void MakeVolumeBar(CUIFMPanel& p, const char* entryName, const CUIXmlEntry& e, const ZaqRect& a,
                   const char* name) {
    (new CUIVolumeBar(&p, entryName, e, a.left, a.top, a.right, a.bottom, name, kWidgetLayer, true))
        ->Update();
}

constexpr WidgetRow kWidgets[] = {
    {"000", "Favorite Channel Number", &CUI_XML_ADAPTOR::GetLabel, MakeLabel, {16, 14}, {20, 17}},
    {"001", "Current Channel", &CUI_XML_ADAPTOR::GetLabel, MakeLabel, {86, 30}, {110, 40}},
    {"002", "Frequency Unit", &CUI_XML_ADAPTOR::GetLabel, MakeLabel, {70, 32}, {90, 40}},
    {"003", "Clock", &CUI_XML_ADAPTOR::GetClock, MakeClock, {140, 26}, {178, 32}},
    {"004", "Date", &CUI_XML_ADAPTOR::GetDate, MakeDate, {122, 26}, {157, 32}},
    {"005", "Mute", &CUI_XML_ADAPTOR::GetToggle, MakeToggle, {0, 0}, {0, 0}},
    {"006", "Volume", &CUI_XML_ADAPTOR::GetVolumnBar, MakeVolumeBar, {0, 0}, {0, 0}},
};

}  // namespace

void BuildPanelWidgets(CUIFMPanel& panel, const CUI_XML_ADAPTOR& layout, bool small) {
    for (const WidgetRow& row : kWidgets) {
        CUIXmlEntry entry;
        (layout.*row.read)(row.entryName, entry);
        const Size size = small ? row.small : row.standard;
        const ZaqRect area = size.width > 0 ? FixedArea(entry, size) : LayoutArea(entry);
        row.make(panel, row.entryName, entry, area, row.name);
    }
}

}  // namespace sonidra

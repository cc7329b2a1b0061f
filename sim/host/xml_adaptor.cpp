// CUI_XML_ADAPTOR: the FM screen's view of a layout file. Lines it reads:
//   layout  | <layout id>
//   mainwin | <id> | <left top right bottom> | <background image>
//   panel   | <id> | <left top right bottom> | <panel image>
//   label, clock, date, toggle, volume | <entry name> | <left top right bottom>
//           | <images, space separated> | <text> | <format>
// Trailing fields of an entry may be left out.
#include "sim/host/host_world.h"
#include "sim/host/layout_file.h"

struct CUI_XML_ADAPTOR::Layout {
    hostsim::LayoutFile file;
};

namespace {

enum EntryField { kRectField = 1, kImagesField, kTextField, kFormatField };

std::string Field(const hostsim::LayoutLine& line, size_t index) {
    return index < line.fields.size() ? line.fields[index] : std::string();
}

int IdOf(const hostsim::LayoutLine* line) {
    int id = 0;
    if (line && !hostsim::ParseInt(Field(*line, 0), id)) id = 0;
    return id;
}

ZaqRect RectOf(const hostsim::LayoutLine* line) {
    ZaqRect rect{0, 0, 0, 0};
    if (line && !hostsim::ParseRect(Field(*line, kRectField), rect)) rect = ZaqRect{0, 0, 0, 0};
    return rect;
}

bool ReadEntry(const hostsim::LayoutFile& file, const char* kind, const char* name,
               CUIXmlEntry& entry) {
    if (!name) return false;
    for (const auto& line : file.lines) {
        if (line.kind != kind || Field(line, 0) != name) continue;
        CUIXmlEntry found;
        found.name = name;
        if (!hostsim::ParseRect(Field(line, kRectField), found.rect)) return false;
        found.images = hostsim::SplitWords(Field(line, kImagesField));
        found.text = Field(line, kTextField);
        if (!hostsim::ParseInt(Field(line, kFormatField), found.format)) found.format = 0;
        entry = std::move(found);
        return true;
    }
    return false;
}

}  // namespace

CUI_XML_ADAPTOR::CUI_XML_ADAPTOR(const char* path) : layout_(std::make_unique<Layout>()) {
    std::string file = path ? path : "";
    layout_->file = hostsim::ReadLayoutFile(file);
    hostsim::Record("xml open " + file + (layout_->file.loaded ? " ok" : " missing"));
}

CUI_XML_ADAPTOR::~CUI_XML_ADAPTOR() = default;

bool CUI_XML_ADAPTOR::IsLoaded() const {
    return layout_->file.loaded;
}

std::string CUI_XML_ADAPTOR::GetLayoutId() const {
    const auto* line = hostsim::FindLine(layout_->file, "layout");
    return line ? Field(*line, 0) : std::string();
}

std::string CUI_XML_ADAPTOR::GetMainWinBgImgLoc() const {
    const auto* line = hostsim::FindLine(layout_->file, "mainwin");
    return line ? Field(*line, kImagesField) : std::string();
}

int CUI_XML_ADAPTOR::GetMainWinId() const {
    return IdOf(hostsim::FindLine(layout_->file, "mainwin"));
}

ZaqRect CUI_XML_ADAPTOR::GetMainWinCoordinates() const {
    return RectOf(hostsim::FindLine(layout_->file, "mainwin"));
}

std::string CUI_XML_ADAPTOR::GetPanelBgImgLoc() const {
    const auto* line = hostsim::FindLine(layout_->file, "panel");
    return line ? Field(*line, kImagesField) : std::string();
}

int CUI_XML_ADAPTOR::GetPanelId() const {
    return IdOf(hostsim::FindLine(layout_->file, "panel"));
}

ZaqRect CUI_XML_ADAPTOR::GetPanelCoordinates() const {
    return RectOf(hostsim::FindLine(layout_->file, "panel"));
}

bool CUI_XML_ADAPTOR::GetLabel(const char* name, CUIXmlEntry& entry) const {
    return ReadEntry(layout_->file, "label", name, entry);
}

bool CUI_XML_ADAPTOR::GetClock(const char* name, CUIXmlEntry& entry) const {
    return ReadEntry(layout_->file, "clock", name, entry);
}

bool CUI_XML_ADAPTOR::GetDate(const char* name, CUIXmlEntry& entry) const {
    return ReadEntry(layout_->file, "date", name, entry);
}

bool CUI_XML_ADAPTOR::GetToggle(const char* name, CUIXmlEntry& entry) const {
    return ReadEntry(layout_->file, "toggle", name, entry);
}

bool CUI_XML_ADAPTOR::GetVolumnBar(const char* name, CUIXmlEntry& entry) const {
    return ReadEntry(layout_->file, "volume", name, entry);
}

// The FM screen's widget classes: a widget records its creation, updates and
// flushes; a container owns the widgets built on it.
#include <algorithm>

#include "sim/host/host_world.h"

namespace {

ZaqRect AreaOf(int x, int y, int width, int height) {
    return ZaqRect{x, y, width, height};
}

std::string OrEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

CUIWidget::CUIWidget(CUIContainer* parent, std::string className, std::string entryName,
                     std::string name, ZaqRect area, int layer, bool visible)
    : parent_(parent),
      className_(std::move(className)),
      entryName_(std::move(entryName)),
      name_(std::move(name)),
      area_(area),
      layer_(layer),
      visible_(visible) {
    if (parent_) parent_->Adopt(this);
    hostsim::Record("widget " + className_ + " " + name_ + " \"" + entryName_ + "\" " +
                    std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                    std::to_string(area.right) + " " + std::to_string(area.bottom) + " " +
                    std::to_string(layer) + " " + (visible ? "1" : "0"));
}

CUIWidget::~CUIWidget() {
    if (parent_) parent_->Release(this);
    hostsim::Record("widget-delete " + name_);
}

void CUIWidget::Update() {
    hostsim::Record("widget-update " + name_);
}

void CUIWidget::Flush() {
    hostsim::Record("widget-flush " + name_);
}

CUIContainer::~CUIContainer() {
    // Children go first, each no longer telling its parent.
    std::vector<CUIWidget*> children;
    children.swap(children_);
    for (CUIWidget* child : children) {
        child->parent_ = nullptr;
        delete child;
    }
}

CUIWidget* CUIContainer::FindByEntry(const std::string& entryName) const {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&](const CUIWidget* child) { return child->EntryName() == entryName; });
    return it == children_.end() ? nullptr : *it;
}

void CUIContainer::Adopt(CUIWidget* child) {
    children_.push_back(child);
}

void CUIContainer::Release(CUIWidget* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

CUIBackground::CUIBackground(CUIContainer* parent, int id, const std::string& image, int x, int y,
                             int width, int height, const char* name, int layer, bool visible)
    : CUIContainer(parent, "CUIBackground", "id " + std::to_string(id), OrEmpty(name),
                   AreaOf(x, y, width, height), layer, visible),
      image_(image) {}

CUILabel::CUILabel(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x,
                   int y, int width, int height, const char* name, int layer, bool visible)
    : CUILabel(parent, "CUILabel", entryName, entry, x, y, width, height, name, layer, visible) {}

CUILabel::CUILabel(CUIContainer* parent, const char* className, const char* entryName,
                   const CUIXmlEntry& entry, int x, int y, int width, int height, const char* name,
                   int layer, bool visible)
    : CUIWidget(parent, className, OrEmpty(entryName), OrEmpty(name), AreaOf(x, y, width, height),
                layer, visible),
      text_(entry.text) {}

void CUILabel::SetText(const std::string& text) {
    text_ = text;
}

CUIClock::CUIClock(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x,
                   int y, int width, int height, const char* name, int layer, bool visible,
                   int clockFormat)
    : CUILabel(parent, "CUIClock", entryName, entry, x, y, width, height, name, layer, visible),
      format_(clockFormat) {}

CUIDate::CUIDate(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x,
                 int y, int width, int height, const char* name, int layer, bool visible,
                 int dateFormat)
    : CUILabel(parent, "CUIDate", entryName, entry, x, y, width, height, name, layer, visible),
      format_(dateFormat) {}

CUIToggle::CUIToggle(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x,
                     int y, int width, int height, const char* name, int layer, bool visible)
    : CUIWidget(parent, "CUIToggle", OrEmpty(entryName), OrEmpty(name), AreaOf(x, y, width, height),
                layer, visible),
      images_(entry.images) {}

void CUIToggle::SetOn(bool on) {
    on_ = on;
}

CUIVolumeBar::CUIVolumeBar(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry,
                           int x, int y, int width, int height, const char* name, int layer,
                           bool visible)
    : CUIWidget(parent, "CUIVolumeBar", OrEmpty(entryName), OrEmpty(name),
                AreaOf(x, y, width, height), layer, visible),
      images_(entry.images) {}

void CUIVolumeBar::SetLevel(int level) {
    level_ = std::clamp(level, 0, kLevels - 1);
}

CUIWindowManage* CUIWindowManage::GetOrCreateObject() {
    static CUIWindowManage manager;
    hostsim::Acquire("window-manager");
    hostsim::Record("winmanage-get");
    return &manager;
}

void CUIWindowManage::DestroyObject() {
    hostsim::Record(hostsim::Drop("window-manager") < 0 ? "winmanage-destroy unmatched"
                                                        : "winmanage-destroy");
}

uint32_t CUIRGBMixer::Mix(int red, int green, int blue) {
    auto channel = [](int value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); };
    return channel(red) << 16 | channel(green) << 8 | channel(blue);
}

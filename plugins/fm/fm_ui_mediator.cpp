// Building the FM screen from the layout, and the mediator's on-screen commands.
#include "plugins/fm/fm_ui_mediator.h"

#include <cstdio>
#include <cstring>

#include "interfaces/tuner_service.h"
#include "plugins/fm/fm_screen_widgets.h"
#include "plugins/fm/fm_settings_keys.h"

namespace {

constexpr const char kStandardLayout[] = "SKIN00/XML/UI/FM/FMUI.xml";
constexpr const char kSmallLayout[] = "SKIN00_800x600/XML/UI/FM/FMUI.xml";

int Width(const ZaqRect& r) {
    return sonidra::LayoutSpan(r.left, r.right);
}
int Height(const ZaqRect& r) {
    return sonidra::LayoutSpan(r.top, r.bottom);
}

}  // namespace

const char* CFMUIMediator::LayoutPathFor(int resolution) {
    return resolution == sonidra::kSmallSkin ? kSmallLayout : kStandardLayout;
}

CFMUIMediator::CFMUIMediator(const char* layoutPath)
    : painter_(CUIPainter::GetInstance()), windowManager_(CUIWindowManage::GetOrCreateObject()) {
    CUI_XML_ADAPTOR layout(layoutPath);
    if (layout.GetLayoutId() != "FM") {
        std::fprintf(stderr, "XML file is not for FM!\n");
        return;
    }
    const bool small = getRegInt(sonidra::kKeyResolution, 0) == sonidra::kSmallSkin;
    BuildBackground(layout);
    BuildPanel(layout);
    sonidra::BuildPanelWidgets(*panel_, layout, small);
    painter_->FlipOntoScreen();
}

CFMUIMediator::~CFMUIMediator() {
    panel_.reset();
    if (windowManager_) {
        background_.reset();
        CUIWindowManage::DestroyObject();
    }
    painter_.reset();
}

void CFMUIMediator::BuildBackground(const CUI_XML_ADAPTOR& layout) {
    backgroundImage_ = layout.GetMainWinBgImgLoc();
    mainWindow_ = layout.GetMainWinCoordinates();
    background_ = std::make_unique<CUIBackground>(
        nullptr, layout.GetMainWinId(), backgroundImage_, mainWindow_.left, mainWindow_.top,
        Width(mainWindow_), Height(mainWindow_), backgroundName_, backgroundLayer_, true);
    background_->Update();
}

void CFMUIMediator::BuildPanel(const CUI_XML_ADAPTOR& layout) {
    const ZaqRect area = layout.GetPanelCoordinates();
    panel_ =
        std::make_unique<CUIFMPanel>(nullptr, layout.GetPanelId(), layout.GetPanelBgImgLoc(),
                                     area.left, area.top, Width(area), Height(area), "00", 2, true);
    panel_->Update();
}

int CFMUIMediator::Execute(int command, void* argument, int b, int c, int d) {
    if (background_) {
        background_->Update();
        background_->Flush();
    }
    if (command == kOsdRedrawAll) {
        std::fputs("FM ui mediator update all\n", stdout);
        std::fflush(stdout);
        return 1;
    }
    if (command == kOsdDisplayFlag) {
        if (argument) displayFlag_ = *static_cast<const int*>(argument);
        return 0;
    }
    // A screen whose layout was refused has no panel: refuse rather than draw.
    if (!panel_) return -1;
    return panel_->Execute(0, command, argument, b, c, d);
}

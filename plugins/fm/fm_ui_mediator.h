// CFMUIMediator: the FM screen built from the skin's layout (background, FM panel and
// the seven panel widgets), and the single object through which the controller draws
// on it with numbered on-screen commands.
//
// Threads: built and destroyed on the host's thread with the controller; Execute runs
// on the controller's UI thread.
#pragma once

#include <memory>
#include <string>

#include "interfaces/host_framework.h"

// The on-screen display as the FM controller sees it.
class CUIOnScreenDisplay {
  public:
    // command with an argument pointer and three words; the result is the command's.
    virtual int Execute(int command, void* argument, int b, int c, int d) = 0;
    virtual void Refresh() {}
    virtual std::string Describe() const { return std::string(); }
    virtual ~CUIOnScreenDisplay() = default;
};

// On-screen commands the controller sends.
enum : int {
    kOsdMuteOn = 8,
    kOsdMuteOff = 22,
    kOsdVolume = 32,
    kOsdDate = 35,
    kOsdClock = 36,
    kOsdFrequency = 38,
    kOsdRedrawAll = 83,
    kOsdDisplayFlag = 173,
    kOsdFavourite = 200,
};

class CFMUIMediator : public CUIOnScreenDisplay {
  public:
    // Builds the screen from the layout at path (relative to the working directory).
    // A layout that is not for FM leaves a screen without background and panel.
    explicit CFMUIMediator(const char* layoutPath);
    ~CFMUIMediator() override;
    CFMUIMediator(const CFMUIMediator&) = delete;
    CFMUIMediator& operator=(const CFMUIMediator&) = delete;

    // 83 prints its line and returns 1; 173 stores the display flag; the rest goes to
    // the panel (-1 when there is no panel).
    int Execute(int command, void* argument, int b, int c, int d) override;

    bool HasPanel() const { return panel_ != nullptr; }
    int DisplayFlag() const { return displayFlag_; }

    // The layout path for a resolution setting: 3 picks the 800 x 600 skin.
    static const char* LayoutPathFor(int resolution);

  private:
    void BuildBackground(const CUI_XML_ADAPTOR& layout);
    void BuildPanel(const CUI_XML_ADAPTOR& layout);
    void BuildWidgets(const CUI_XML_ADAPTOR& layout, bool small);

    std::unique_ptr<CUIPainter> painter_;
    std::unique_ptr<CUIFMPanel> panel_;
    std::string backgroundImage_;
    ZaqRect mainWindow_{0, 0, 0, 0};
    int displayFlag_ = 1;
    const char* backgroundName_ = "0";
    int backgroundLayer_ = 1;
    CUIWindowManage* windowManager_ = nullptr;
    std::unique_ptr<CUIBackground> background_;
};

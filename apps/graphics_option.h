// The host program's --graphics NAME: a machine with that display
// controller. It writes a PCI tree holding the controller (MIROVA_PCI_ROOT),
// places the seven vendor stand-ins under a root that MIROVA_VENDOR_ROOT
// names, points the frame buffer (MIROVA_FBDEV) at the simulated controller's
// screen, paints a desktop, and makes the terminal preview and the .bmp
// capture come from the simulated monitor's scan-out. As a host application
// does, the program paints its video window with the overlay's colour key
// (read with ZMP_DIRECTPLAY_GETPROPERTY) before it looks at the monitor.
//
// --graphics-fault WHAT makes the vendor library fail, so the fallback to the
// frame buffer can be watched: missing-library, missing-name:NAME, init,
// mode, surface, tvout, or call:NAME (every call of that exported name fails).
//
// Adding a controller is one row of kGraphics in graphics_option.cpp.
#pragma once

#include <string>
#include <vector>

namespace host {

// The names --graphics accepts, for the usage line ("fb|intel865|...").
std::string GraphicsNames();
// The same names, one by one.
std::vector<std::string> GraphicsNameList();
// True when WHAT is one of the --graphics-fault words above.
bool KnownGraphicsFault(const std::string& what);

class GraphicsMachine {
  public:
    GraphicsMachine() = default;
    ~GraphicsMachine();
    GraphicsMachine(const GraphicsMachine&) = delete;
    GraphicsMachine& operator=(const GraphicsMachine&) = delete;

    // Sets the machine up; false (with the reason) for an unknown name or
    // fault, or when its folders cannot be made.
    bool Apply(const std::string& name, const std::string& fault, std::string* error);

  private:
    std::string folder_;
};

}  // namespace host

// The kinds of screen device behind OpenFrameBufferDevice.
#pragma once

#include <string>

#include "video/render/fb_device.h"

std::unique_ptr<CFbDevice> OpenLinuxFbDevice(const std::string& path);
std::unique_ptr<CFbDevice> OpenFileFbDevice(const std::string& path, const FbGeometry& geometry);
std::unique_ptr<CFbDevice> OpenVirtualFbDevice(VirtualScreen* screen);

// Runs "setterm -cursor on" or "setterm -cursor off".
void RunSetterm(bool cursorVisible);

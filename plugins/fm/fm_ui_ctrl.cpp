// CFMUICtrl forwards to the controller behind it.
#include "plugins/fm/fm_ui_ctrl.h"

#include "plugins/fm/fm_controller.h"

CFMUICtrl::CFMUICtrl() : controller_(std::make_unique<sonidra::FmController>(this)) {}

CFMUICtrl::~CFMUICtrl() = default;

int CFMUICtrl::Notify(unsigned type, char* data, unsigned len, int value) {
    return controller_->Notify(type, data, len, value);
}

int CFMUICtrl::MessageHandler(CUIMediaType media, CUICtrlCmdSet set, void* p, void* q, void* r) {
    return controller_->MessageHandler(media, set, p, q, r);
}

extern "C" ZAQ_EXPORT CUICTRL* ZaqCreateFmController() {
    return new CFMUICtrl();
}

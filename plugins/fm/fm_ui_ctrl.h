// CFMUICtrl: the FM radio controller the host loads for media type 17. It registers
// with the host, builds the setup menu and the FM screen, turns keys and menu events
// into queued events handled on its own UI thread, and drives the FM engine.
//
// Threads: the host's thread calls the constructor, Notify, MessageHandler and the
// destructor; queued keys and events run on the UI thread.
#pragma once

#include <memory>

#include "interfaces/export.h"
#include "interfaces/host_framework.h"

namespace sonidra {
class FmController;
}

class ZAQ_EXPORT CFMUICtrl : public CUICTRL {
  public:
    CFMUICtrl();
    ~CFMUICtrl() override;
    CFMUICtrl(const CFMUICtrl&) = delete;
    CFMUICtrl& operator=(const CFMUICtrl&) = delete;

    // 0 create the engine, 1 the host callback in data, 2 a key (data, len, value: the
    // completion flag, 0 while a frequency is being typed), 24 sleep minutes in value.
    // Returns 0.
    int Notify(unsigned type, char* data, unsigned len, int value) override;

    // Events for media 17 (others are ignored): set, code in p, value in q, data in r.
    // Returns 0.
    int MessageHandler(CUIMediaType media, CUICtrlCmdSet set, void* p, void* q, void* r);

  private:
    std::unique_ptr<sonidra::FmController> controller_;
};

// The factory a host may use instead of the class; the caller deletes the result.
extern "C" ZAQ_EXPORT CUICTRL* ZaqCreateFmController();

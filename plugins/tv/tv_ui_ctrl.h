// CTVUICtrl: the TV controller the host loads. It registers media type 14,
// owns the setup menu, panel and painter, turns host keys and menu events into
// queued events handled on its own thread, and drives the TV engine.
//
// Threads: the host's thread calls the constructor, Notify, MessageHandler and
// the destructor; queued events run on the controller thread.
#pragma once

#include <memory>

#include "interfaces/export.h"
#include "interfaces/host_framework.h"

struct TvController;

class ZAQ_EXPORT CTVUICtrl : public CUICTRL {
  public:
    CTVUICtrl();
    ~CTVUICtrl() override;
    CTVUICtrl(const CTVUICtrl&) = delete;
    CTVUICtrl& operator=(const CTVUICtrl&) = delete;

    // 0 create the engine, 1 the host callback in data, 2 a key (data, len,
    // value: 0 while typing), 24 sleep minutes in value. Returns 0.
    int Notify(unsigned type, char* data, unsigned len, int value) override;

    // Menu, engine and host messages for media type 14 (others are ignored):
    // command 3 and 15 take a sub-command in p1 and its argument in p2; p3
    // carries data or receives a result. Returns 0.
    int MessageHandler(CUIMediaType type, CUICtrlCmdSet command, int p1, int p2, void* p3);

    // For the host program and tests: the controller behind the class.
    TvController& Controller() { return *controller_; }

  private:
    std::unique_ptr<TvController> controller_;
};

// The factory a host may use instead of the class.
extern "C" ZAQ_EXPORT CUICTRL* ZaqCreateTvController();

// What the command line tells a session, beyond its mode.
#pragma once

namespace host {

struct RunOptions {
    // The host's own sleep timer in seconds (0: none); the session closes
    // itself when it runs out.
    int sleepSeconds = 0;
};

}  // namespace host

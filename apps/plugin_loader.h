// Loading a plug-in and creating its controller, as both sessions do it.
#pragma once

class CUICTRL;

namespace host {

// Loads `library` (kept loaded for the program's life: its threads are joined
// by then) and calls its exported `factory`; nullptr, with a message on
// stderr, when the library cannot be loaded or lacks the factory.
CUICTRL* CreateController(const char* library, const char* factory);

}  // namespace host

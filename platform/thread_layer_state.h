// Process-wide state of the thread layer shared by its files: the one-time
// initialisation and the thread-specific slot.
#pragma once

class CLinuxThread;

// Runs the one-time initialisation once per load; false if it could not run.
bool RunOneTimeInitialisation();
// Stores thread in the calling thread's slot; false on failure.
bool SaveCurrentThread(CLinuxThread* thread);
void DestroyMainThreadObject();
void* LinuxThreadStart(void* raw);

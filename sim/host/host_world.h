// Inside the host stand-in: the shared configuration and state every host class
// reads and changes, and the journal writer. One mutex guards all of it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/host/host_journal.h"

namespace hostsim {

struct Config {
    Screen screen;
    std::vector<Partition> partitions;
    std::vector<Patch> patches;
    bool versionKnown = true;
    int version[3] = {1, 0, 0};
    int preferredLanguage = 1;
    std::map<int, std::vector<CZAQPictureItem>> pictureItems;
    std::map<int, std::vector<CZAQTunerItem>> tunerItems;
};

// The configuration a fresh host starts with.
Config DefaultConfig();

// Appends one journal line and wakes waiters.
void Record(const std::string& line);

// Runs fn on the configuration or state under the host's lock; fn must not call
// back into the host.
void WithConfig(const std::function<void(Config&)>& fn);
void WithState(const std::function<void(State&)>& fn);

// Counted shared objects: Acquire returns the new count, Drop the remaining one, or
// -1 (changing nothing) when the object was not held.
int Acquire(const std::string& object);
int Drop(const std::string& object);

// Makes the driver object's words follow the screen configuration.
void ApplyScreenToDriver(const Screen& screen);

}  // namespace hostsim

// Shared fixture of the host stand-in's tests: a fresh host, run from the folder
// holding the copied skins, and a controller callback that remembers its events.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/host/host_journal.h"

struct SeenEvent {
    int code;
    std::string data;
    unsigned len;
    int value;
};

// A MediaEventCallback that stores what it receives and returns 0.
int RememberEvent(int code, const char* data, unsigned len, int value);
std::vector<SeenEvent> SeenEvents();

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    std::string previousDirectory_;
};

// An FM session as a host runs it: loads libsonidra, creates the FM controller through
// its exported factory, hands over the HostCallback, creates the engine, sends keys and
// menu events, and deletes the controller.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CUICTRL;

namespace host {

class FmSession {
  public:
    FmSession() = default;
    ~FmSession();
    FmSession(const FmSession&) = delete;
    FmSession& operator=(const FmSession&) = delete;

    // Loads the plug-in and creates the controller and its engine; false (with a
    // message on stderr) when the plug-in cannot be loaded.
    bool Open();
    // A key as the host sends it: value 0 while digits are typed, 1 otherwise.
    void SendKey(const std::string& key, int value);
    // A setup-menu event (event code, argument) as the FM menu reports it.
    void SendMenuEvent(int code, int argument);
    // A setup-menu event of another command set (15: the menu's actions).
    void SendMenuEvent(int set, int code, int argument);
    // The sleep timer's remaining minutes, as the host tells them each minute.
    void SendSleepMinutes(int minutes);
    void Close();

    // True once the controller reported that its engine closed (11, 13).
    static bool EngineClosed();
    // True once the controller reported that the radio could not start (11, 11).
    static bool TunerFailed();
    // (code, argument) of every HostCallback so far.
    static std::vector<std::pair<int, int>> HostEvents();

  private:
    CUICTRL* controller_ = nullptr;
};

}  // namespace host

// A TV session as a host runs it: loads libtelvira, creates the controller
// through its exported factory, hands over the HostCallback, creates the
// engine, sends keys and menu events, and deletes the controller.
#pragma once

#include <string>

class CUICTRL;

namespace host {

class TvSession {
  public:
    TvSession() = default;
    ~TvSession();
    TvSession(const TvSession&) = delete;
    TvSession& operator=(const TvSession&) = delete;

    // Loads the plug-in and creates the controller and its engine; false (with
    // a message on stderr) when the plug-in cannot be loaded.
    bool Open();
    // A key as the host sends it: value 0 while typing, nonzero committed.
    void SendKey(const std::string& key, int value);
    // A setup-menu event (sub-command, argument) as the menu reports it.
    void SendMenuEvent(int code, int subCommand, int argument);
    // The sleep timer's remaining minutes, as the host tells them each minute.
    void SendSleepMinutes(int minutes);
    // Deletes the controller.
    void Close();

  private:
    CUICTRL* controller_ = nullptr;
};

}  // namespace host

// What the host program sets up around a session: the folder it runs in (where
// the skins are), its settings folder and the screen file live video is drawn
// into. Each failure is one line on stderr naming the thing and what to do.
#pragma once

#include <string>

namespace host {

// Enters the folder that holds the skins: the program's own (a build's bin/),
// else ../share/tvfm beside it (an installed tree). False when neither has them.
bool EnterSkinFolder();

// A settings folder of its own (SOLVANE_SETTINGS_DIR), removed at the end when
// it is a fresh temporary one.
class SettingsFolder {
  public:
    explicit SettingsFolder(const std::string& chosen);
    ~SettingsFolder();
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    bool Ready() const { return ready_; }

  private:
    std::string temporary_;
    bool ready_ = false;
};

// The screen file: the chosen one, or a temporary file removed at the end.
class ScreenFileChoice {
  public:
    explicit ScreenFileChoice(const std::string& chosen);
    ~ScreenFileChoice();
    ScreenFileChoice(const ScreenFileChoice&) = delete;
    ScreenFileChoice& operator=(const ScreenFileChoice&) = delete;

    // False (with the line printed) when the file cannot be written.
    bool Ready() const { return ready_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool temporary_ = false;
    bool ready_ = false;
};

}  // namespace host

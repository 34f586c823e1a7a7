// Module1's services: the module-level state, the settings file and the
// program's paths, and the end of a saver run. Start-up (Main and the modes)
// lives in startup.h, above the forms.
#pragma once
#include <cstdint>
#include <string>

#include "platform/handles.h"
#include "shell/background_mode.h"

namespace Module1 {

// Module-level state, one copy for the process.
extern std::int32_t PlatformId;   // 2 = the NT family
extern std::int16_t UsePassword;  // non-zero: a screen-saver password is set
extern plat::HWND TaskbarWnd;
extern std::int16_t MoveCount;
extern std::int32_t MoveWindowStart;  // whole second of the day; 0 = no window open
// Who watches a saver run. A user's run ends on input, is counted and may
// be followed by Tellwell. In a screen-saver daemon's window input is the
// daemon's business, the run is neither counted nor followed by Tellwell,
// and the window's size may change. An unattended run (frames drawn without
// a display) takes no input and counts nothing.
enum class RunKind { User, DaemonWindow, Unattended };
extern RunKind Run;
inline bool UserRun() {
    return Run == RunKind::User;
}

// Puts every piece of module state back as the process starts with it.
void ResetState();

// The saver window as the end of a run sees it (Form1 registers itself).
class SaverForm {
  public:
    virtual ~SaverForm() = default;
    virtual plat::HWND hWnd() = 0;
    virtual void Show() = 0;    // shows the window again (after a failed check)
    virtual void Unload() = 0;  // closes and destroys the window
};
extern SaverForm* ActiveSaver;

// Settings file and paths.
std::string IniFilePath();
std::string ImageFolderPath();
std::string TellwellPath();
void ReadIniString(const std::string& section, const std::string& key, std::string& value,
                   const std::string& filePath);
bool CheckRecommendCounter();

// End of a saver run.
void EndSaver();
void CountMouseMove();
void ShowFatalMessage(const std::string& message);
void WaitUntilTick(std::int32_t& target);
bool IsOnline();

// Cursor display counter: hide until below -5, show until 6 or more.
void HideCursorFully();
void ShowCursorFully();

// The missing-files message, ending with the maker's address.
std::string MissingFilesMessage();

}  // namespace Module1

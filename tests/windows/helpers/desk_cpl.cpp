// A stand-in for the Display control panel's InstallScreenSaver, which Wine
// does not have, for the installer tests: placed as desk.cpl in the system
// folder, it does what the system's does with the screen saver file that
// rundll32 hands it (the rest of its command line): makes it the user's
// screen saver (SCRNSAVE.EXE) and turns the screen saver on. The system's
// then opens its settings page, which the test has no use for.
#include <windows.h>

extern "C" __declspec(dllexport) void CALLBACK
    InstallScreenSaverW(HWND, HINSTANCE, LPWSTR file, int) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD bytes = static_cast<DWORD>((::lstrlenW(file) + 1) * sizeof(WCHAR));
    ::RegSetValueExW(key, L"SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(file), bytes);
    ::RegSetValueExW(key, L"ScreenSaveActive", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"),
                     2 * sizeof(WCHAR));
    ::RegCloseKey(key);
}

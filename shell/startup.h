// Module1's start-up: the program's entry and its command-line modes.
#pragma once
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace Module1 {

void Main();
void ReadOSVersion();
std::string ReadRegistryString(plat::HKEY hive, const std::string& keyPath,
                               const std::string& valueName);
void StartSaver();
void ShowPreview();
// The saver inside a screen-saver daemon's window (see RunKind).
void RunHack();

// The windows that the modes open (defined with the forms).
void ShowSettingsDialog();
void ShowSaverWindow();

}  // namespace Module1

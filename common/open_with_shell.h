// Opens a document or web address with the system's default action.
#pragma once
#include <cstdint>
#include <string>

// Hands text to the shell (no owner window, the default verb, no parameters,
// no working folder, a normal window); returns the shell's result, greater
// than 32 on success. Callers do not depend on it.
std::int32_t OpenWithShell(const std::string& sFile);

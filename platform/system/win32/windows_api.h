// The Windows API for the win32 backend. Include it AFTER every platform/
// header: windows.h defines macros (RGB, SRCCOPY, ERROR_SUCCESS, ...) that
// would otherwise rewrite the declarations of the platform layer.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

namespace win32 {

// Handles cross the platform layer as 32-bit values. Windows keeps user and
// GDI handles (and the predefined registry hives) within 32 bits and expects
// them sign-extended, as a 32-bit program would pass them.
template <class Handle>
Handle ToHandle(std::uint32_t value) {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

inline std::uint32_t FromHandle(const void* handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace win32

// File services of the system role that other roles share: the software
// GDI and the Windows GDI save pictures with ReplaceFileContent, the settings file
// is rewritten with it, and every host answers Dir with StoredName.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/held_lock.h"

namespace plat {

// The name of the normal file that path names, as stored (exact match
// first, then one that differs only in letter case), or "".
std::string StoredName(const std::string& path);

// The folder of the running program's file (on Windows it ends with a
// backslash only at a drive's root). On Linux, for a shared installation
// (programs in PREFIX/libexec/corvane), the user's own program folder
// instead (posix/user_folder.h); on Windows the same for a folder the user
// cannot write (win32/user_folder.h).
std::string ProgramFolder();

// Whether anything exists at path.
bool FileExists(const std::string& path);

// The file's bytes, or nothing when it cannot be read or is larger than
// maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Writes content to a new file of a unique name beside path, flushes it to
// disk and renames it over path, so that a crash or a full disk leaves
// either the old or the new file, and two writers never share a temporary
// file. Keeps the old file's permissions; a symbolic link stays and its
// target is replaced. True on success.
bool ReplaceFileContent(const std::string& path, const std::string& content);

// Waits until no other holder (another process, or another holder in this
// one) has the lock of this folder, at most timeoutMs, and holds it until the
// result goes. A file written and read back under it reads back what this
// holder wrote, whatever other holders write. Null when the folder cannot be
// opened or the wait ran out: the caller goes on without it. The thread that
// takes the lock lets it go (on Windows only the owner can).
std::unique_ptr<HeldLock> LockFolder(const std::string& folder, unsigned timeoutMs);

}  // namespace plat

// Whole-file reads and crash-safe replacement of a file's content.
#pragma once
#include <optional>
#include <string>

namespace posixfs {

// The file's bytes, or nothing when it cannot be read or is larger than
// maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Whether anything exists at path.
bool Exists(const std::string& path);

// Writes content to a new file beside path, flushes it to disk and renames
// it over path, so that a crash or a full disk leaves either the old or the
// new file. Keeps the old file's permissions. True on success.
bool ReplaceFile(const std::string& path, const std::string& content);

}  // namespace posixfs

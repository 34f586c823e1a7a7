// The program folder of a shared installation: the programs in
// PREFIX/libexec/corvane and the pictures and default settings in
// PREFIX/share/corvane belong to root and stay as installed; each user runs
// them from a program folder of their own, which holds their corvane.ini
// and background.bmp and links to the installed pictures and Tellwell, so
// every path the saver builds names a file as it would in one folder.
#pragma once
#include <string>

namespace posixsys {

// PREFIX/share/corvane when programFolder is PREFIX/libexec/corvane, holds
// no corvane.ini, and that data folder holds one; "" otherwise (a folder of
// its own: the build tree, a per-user install).
std::string SharedDataFolder(const std::string& programFolder);

// $XDG_DATA_HOME/corvane when XDG_DATA_HOME is an absolute path, else
// ~/.local/share/corvane ($HOME, or the home in the password file); ""
// without a home.
std::string UserFolderPath();

// Fills in what is missing in the user's folder and replaces nothing that
// is there: the folder (new folders get mode 700), corvane.ini copied from
// the data folder, the picture folder with a link to each installed picture
// (background.bmp is the user's own file), and a link to the program
// folder's Tellwell. The folder must be the user's own, reached through
// folders only the user or root may change (no link placed by anyone else
// on the way, the folder itself no link): otherwise another user could
// steer the saver's writes into any folder of this user's. True when the
// folder then holds a corvane.ini; else false, and why says what was
// refused.
bool PrepareUserFolder(const std::string& user, const std::string& data,
                       const std::string& programs, std::string* why = nullptr);

// The program folder for programs in programFolder: itself, or for a shared
// installation the user's folder, prepared; the data folder (read-only, as
// installed) when no user folder can be made or it is refused (said on
// standard error).
std::string ResolveProgramFolder(const std::string& programFolder);

}  // namespace posixsys

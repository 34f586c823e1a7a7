// The program folder of an installation the user cannot write (System32,
// Program Files): the programs, the pictures and the default settings stay
// as installed; each user runs them from a program folder of their own,
// %LOCALAPPDATA%\Corvane, which holds their corvane.ini, copies of the
// installed pictures and background.bmp beside them, so every path the saver
// builds names a file as it would in one folder. Tellwell is not copied: a
// program of the installation named in the user's folder is started from
// the folder it was installed in (InstalledProgram), as a link there would.
// Paths are UTF-8.
#pragma once
#include <string>

namespace win32 {

// Whether a new file can be made in the folder: one is made and removed
// again. The only sure test (the folder's rights, a read-only medium, a
// policy all count).
bool CanWriteIn(const std::string& folder);

// %LOCALAPPDATA%\Corvane when LOCALAPPDATA is an absolute path, else the
// system's local application data folder with \Corvane; "" without one.
std::string UserFolderPath();

// Fills in what is missing in the user's folder and replaces nothing that
// is there: the folder, corvane.ini copied from the installed folder, the
// picture folder with a copy of each installed picture (background.bmp is
// the user's own). Each copy appears whole under its name or not at all, so
// two programs starting at once never read half a file. Neither the folder
// nor its picture folder may be a link (a junction or symbolic link): the
// saver's writes go where the name says. True when the folder then holds a
// corvane.ini; else false, and why says what was refused.
bool PrepareUserFolder(const std::string& user, const std::string& installed,
                       std::string* why = nullptr);

// The program folder for programs in programFolder: itself when the user can
// write it, else the user's folder, prepared; programFolder (read-only,
// nothing saved) when no user folder can be made.
std::string ResolveProgramFolder(const std::string& programFolder);

// The program that path names. A program file missing from the user's
// folder (programFolder) is the installed one (installedFolder) of the same
// name; any other path is itself.
std::string InstalledProgram(const std::string& path, const std::string& programFolder,
                             const std::string& installedFolder);

}  // namespace win32

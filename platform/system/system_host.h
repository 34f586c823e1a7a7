// The system services of a host, one implementation per operating system
// (system/posix, system/win32): time and chance, the system's version, the
// registry, the program's folder and command line, the instance claim,
// stored file names, the password change, starting programs and documents,
// the connection test and the end of the process. A desktop or headless
// host derives from it and adds the screen, the windows and the forms.
#pragma once
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/host.h"

namespace plat {

class SystemHost : public Host {
  public:
    // The program's arguments (Windows reads its own command line instead).
    SystemHost(int argc, char** argv);
    ~SystemHost() override;

    std::uint32_t GetTickCount() override;
    double Timer() override;
    double Rnd() override;
    void Randomize() override;
    int GetVersionExA(OSVERSIONINFOA* info) override;
    long RegOpenKeyExA(HKEY hive, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, HKEY* result) override;
    long RegQueryValueExA(HKEY key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* len) override;
    long RegCloseKey(HKEY key) override;
    std::string AppPath() override;
    std::string Command() override;
    char PathSeparator() override;
    std::string ExeSuffix() override;
    bool PrevInstance() override;
    std::string Dir(const std::string& path) override;
    // A copy that holds the lock for longer than 5 s has hung: go on without.
    std::unique_ptr<HeldLock> LockFolder(const std::string& folder) override {
        return plat::LockFolder(folder, 5000);
    }
    long PwdChangePasswordA(const std::string& provider, HWND parent, std::uint32_t reserved1,
                            std::uint32_t reserved2) override;
    [[noreturn]] void End() override;
    bool InternetGetConnectedState(std::uint32_t* flags, std::uint32_t reserved) override;
    bool StartProgram(const std::string& path) override;
    std::intptr_t ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                                const std::string& params, const std::string& dir,
                                int show) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace plat

// A stand-in for the password control panel of the older Windows family,
// for the process tests: placed as password.cpl in the program folder, where
// the loader finds it first. Each call appends its answer to
// password-calls.txt beside it; the answers come from the environment
// variable CORVANE_TEST_PASSWORD_ANSWERS ("0,1": the first check fails, the
// second passes; calls past the list pass).
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string CallLog() {
    char path[MAX_PATH];
    HMODULE self = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&CallLog), &self);
    ::GetModuleFileNameA(self, path, MAX_PATH);
    std::string log(path);
    return log.substr(0, log.find_last_of('\\') + 1) + "password-calls.txt";
}

int CallsSoFar(const std::string& log) {
    std::ifstream in(log);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND hwnd) {
    const std::string log = CallLog();
    const int call = CallsSoFar(log);
    char answers[256] = "";
    ::GetEnvironmentVariableA("CORVANE_TEST_PASSWORD_ANSWERS", answers, sizeof answers);
    const std::string list(answers);
    char answer = '1';
    if (static_cast<std::size_t>(call * 2) < list.size()) answer = list[call * 2];
    std::ofstream(log, std::ios::app)
        << "call " << call << " hwnd " << (hwnd != nullptr) << " answer " << answer << "\n";
    return answer == '1';
}

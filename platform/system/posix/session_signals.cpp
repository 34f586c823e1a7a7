#include "platform/system/posix/session_signals.h"

#include <signal.h>
#include <unistd.h>

#include <initializer_list>

namespace plat {
namespace {

// Only async-signal-safe calls: the default action back, the signal
// unblocked (the handler runs with it blocked) and raised again, which ends
// the process by it. Should it ever come back, the shell's code for it.
void EndNow(int sig) {
    ::signal(sig, SIG_DFL);
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, sig);
    ::sigprocmask(SIG_UNBLOCK, &mask, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);
}

}  // namespace

void EndOnSessionSignals() {
    struct sigaction action {};
    action.sa_handler = EndNow;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

}  // namespace plat

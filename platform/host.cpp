#include "platform/host.h"

namespace plat {
namespace {
Host* current = nullptr;
}

Host& host() {
    return *current;
}
void SetHost(Host* h) {
    current = h;
}

}  // namespace plat

// The fake host installed for a forms test, with its headless forms at hand.
#pragma once
#include "platform/headless/fake_host.h"
#include "platform/headless/headless_forms.h"

class FormsHost : public plat::FakeHost {
  public:
    FormsHost() { plat::SetHost(this); }
    ~FormsHost() override { plat::SetHost(nullptr); }
    plat::HeadlessForms& headless() { return static_cast<plat::HeadlessForms&>(*forms); }
};

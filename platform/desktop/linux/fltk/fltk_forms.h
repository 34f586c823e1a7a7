// The forms runtime on FLTK 1.3 (X11).
#pragma once
#include <memory>

#include "platform/forms.h"

namespace plat {

std::unique_ptr<FormsRuntime> CreateFltkForms();

}  // namespace plat

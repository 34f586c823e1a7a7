#include "platform/desktop/linux/fltk/fltk_options.h"

#include <FL/Fl.H>

namespace plat::fltk {
namespace {

// Fl keeps the options and their "already read" mark private. An explicit
// instantiation may name private members, and the friend function it
// defines hands their addresses out.
using Options = unsigned char[Fl::OPTION_LAST];
struct OptionsTag {};
Options* OptionValues(OptionsTag);
unsigned char* OptionsRead(OptionsTag);

template <Options* Values, unsigned char* Read>
struct OptionsAccess {
    friend Options* OptionValues(OptionsTag) { return Values; }
    friend unsigned char* OptionsRead(OptionsTag) { return Read; }
};
template struct OptionsAccess<&Fl::options_, &Fl::options_read_>;

}  // namespace

void UseOwnOptions() {
    Options& values = *OptionValues(OptionsTag{});
    values[Fl::OPTION_ARROW_FOCUS] = 0;  // arrows stay inside a text box
    values[Fl::OPTION_VISIBLE_FOCUS] = 1;
    values[Fl::OPTION_DND_TEXT] = 1;
    values[Fl::OPTION_SHOW_TOOLTIPS] = 1;
    values[Fl::OPTION_FNFC_USES_GTK] = 0;
    *OptionsRead(OptionsTag{}) = 1;
}

}  // namespace plat::fltk

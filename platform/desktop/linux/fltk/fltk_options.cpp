#include "platform/desktop/linux/fltk/fltk_options.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>

// The layout reached below (the options array and its "already read" mark,
// both private) is FLTK 1.3's from 1.3.4 on; another version may keep its
// options elsewhere, and writing there would go wrong unseen.
#if FL_MAJOR_VERSION != 1 || FL_MINOR_VERSION != 3 || FL_PATCH_VERSION < 4
#error \
    "fltk_options.cpp knows the private options of FLTK 1.3.4 to 1.3.x only: check Fl::options_ and Fl::options_read_ in this FLTK's Fl.H and extend the version test"
#endif

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

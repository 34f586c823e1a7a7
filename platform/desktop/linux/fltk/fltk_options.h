// The toolkit's global options, set by the program itself.
#pragma once

namespace plat::fltk {

// FLTK reads its options from preference files the first time any of them
// is asked for (drawing a focus box asks), and then writes those files back,
// ~/.fltk/fltk.org/fltk.prefs and, run as root, /etc/fltk/fltk.org/fltk.prefs,
// even when it found nothing to read. The forms write nothing outside the
// settings file, so this gives every option its default and marks them read
// before the toolkit can look. Call it before any widget is made.
void UseOwnOptions();

}  // namespace plat::fltk

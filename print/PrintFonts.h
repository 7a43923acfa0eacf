// The fonts the sheets and the print settings name, and the free fonts
// that stand in for them on this platform (fonts-ipafont for the Japanese
// ones, fonts-urw-base35 for Century).  A font named in the settings or a
// data file but missing on the machine is drawn with its stand-in.
#pragma once

namespace korvexa::print {

// Installs the substitutions (once per program, after the application
// object exists).
void SubstituteFonts();

}  // namespace korvexa::print

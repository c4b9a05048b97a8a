#pragma once
#include <QFont>

// The panel's Gothic and the letters' Mincho faces. The named Japanese faces are
// mapped onto the IPA proportional fonts, whose metrics the layout was made for.
namespace fonts {

// Registers the substitutions once; safe to call again.
void installSubstitutions();

// Sizes are points at 96 dots per inch, turned into whole pixels so the panel
// looks the same on every screen.
QFont gothic(double points, bool bold = false);
QFont mincho(double points, bool bold = false);

} // namespace fonts

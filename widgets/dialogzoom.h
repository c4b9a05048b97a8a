#pragma once
#include <QFont>

class QWidget;

// Dialogs at the window's zoom: the F1 help, the name box, the save dialog and the about
// box grow with the window, so that a class reads them from the back of the room.
namespace dialogzoom {

// Scales the fonts of `dialog` and of the widgets in it that set a font of their own by
// `factor`, from the sizes they had at the first call (their design), lays the dialog
// out again and keeps it within its screen. At 1, before any other factor, it does nothing.
void apply(QWidget& dialog, double factor);

// Whether `dialog` has been scaled by apply at a factor other than 1, now or before.
bool zoomed(const QWidget& dialog);

// `font` scaled by `factor`, in pixels or points as it is given.
QFont scaledFont(QFont font, double factor);

// Shrinks `window` where it is larger than its screen's available area and, when it is
// shown, moves it into that area.
void keepOnScreen(QWidget& window);

} // namespace dialogzoom

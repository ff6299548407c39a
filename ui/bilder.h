// The pictures of the program: the view buttons' arrows and the About logo,
// drawn by the program itself.
#pragma once

#include <QIcon>
#include <QImage>

enum class Bild { links, hoch, runter, rechts, groesser, kleiner, grund };

QIcon bildsymbol(Bild art);

// The logo of the About window, 138 x 150 pixels with a transparent background.
QImage logobild();

// The view window in world units and its mapping onto the pixels of a drawing
// surface. Only the origin is rounded; the scale factors stay exact.
#pragma once

#include <cstdint>

namespace abbildung {

// View window; every writer keeps xmin < xmax and ymin < ymax.
extern double xmin, xmax, ymin, ymax;

// Pixel column and row of the world origin (may lie outside the surface; kept
// within +-2^30 so that offsets from them cannot overflow; the conversions
// below use the unbounded origin).
extern std::int32_t _x, _y;
extern double fx, fy;    // pixels per world unit
extern double wbx, wby;  // world width and height
extern std::int32_t grafb, grafh;  // surface size in pixels

// Fills the eight mapping fields from the view window for a surface of the size given.
void abbildungeinrichten(int breite, int hoehe);

double pixelx(double x);
double pixely(double y);
double weltx(int c);
double welty(int r);

// True when the real pixel coordinate can be rounded to a 32-bit coordinate.
bool darstellbar(double v);

// Nearest integer, an exact half to the even neighbour. Values outside the
// 32-bit range are clamped to it and NaN gives 0, so no conversion is undefined.
std::int32_t Round(double v);

}  // namespace abbildung

#pragma once

#include "platform/geometry.h"

// The display picture is shown scaled to fit the output with its aspect kept, black bars
// filling the rest. These place it and take pointer positions back into its pixels.
namespace kv::letterbox {

// Where a picture_w x picture_h picture lies, centred and as large as fits, in an output of
// output_w x output_h.
Rect Fit(int output_w, int output_h, int picture_w, int picture_h);

// As Fit, but as the largest whole multiple of the picture that fits, so that every picture
// pixel covers the same square of output pixels; where not even the picture's own size fits,
// as Fit.
Rect FitWhole(int output_w, int output_h, int picture_w, int picture_h);

// Fit or FitWhole.
inline Rect Place(int output_w, int output_h, int picture_w, int picture_h, bool whole) {
  return whole ? FitWhole(output_w, output_h, picture_w, picture_h)
               : Fit(output_w, output_h, picture_w, picture_h);
}

// The output pixel at the centre of a picture pixel: where the pointer goes to be over it.
Point FromPicture(Point picture_pixel, const Rect& placed, int picture_w, int picture_h);

// The picture pixel under an output position. Positions over the bars lie outside the
// picture (negative, or at least its width or height).
Point ToPicture(Point output, const Rect& placed, int picture_w, int picture_h);

}  // namespace kv::letterbox

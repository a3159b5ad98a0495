#pragma once
// Small drawing and layout helpers of the toolbar: etched lines, 3-D borders, centring a control
// and the custom pointer of labels. Coordinates are in the destination's scale units unless said.
#include <cstdint>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class PictureBox;
class Window;
class Form;
}  // namespace quindel::platform

namespace quindel {

// A grey line with a white one a pixel down-right of it: a groove cut into the face.
void DisegnaLineaIncisa(platform::PictureBox& Destinazione, double X1, double Y1, double X2,
                        double Y2);

// A 3-D frame Spessore pixels thick around (X1, Y1)-(X2, Y2), in twips whatever the box's scale.
// Stile: 0 raised, 2 sunken, 3 raised hard, 4 sunken hard, anything else black.
void DisegnaBordo(platform::PictureBox& Destinazione, double X1, double Y1, double X2, double Y2,
                  std::int16_t Stile, std::int16_t Spessore);

// Moves the control to the middle of the form's client area, never past its top-left corner.
void CentraControlInForm(platform::Window& Control, platform::Form& Form);

// Gives every label on the form the picture box's drawing as its mouse pointer.
void ImpostaCursoreControlli(platform::Form& Form, const platform::PictureBox& Picture);

}  // namespace quindel

QUINDEL_API_END

#pragma once
// How the desktop backend shows a picture box: its back colour, its one-pixel border, and its
// persistent drawing at the device's resolution (PictureBox::DeviceSurface), device pixel for
// device pixel from the device pixel its client area starts on, so the denser artwork reaches
// the screen without being scaled again. Painted into a picture in logical pixels (a grab), it
// shows its logical drawing (PictureBox::Surface).
#include <QPainter>
#include <QRect>

namespace quindel::platform {
class PictureBox;
}

namespace quindel::qt {

// Paints p over rect, the whole of its widget, in the widget's logical coordinates.
void PaintPictureBox(QPainter& painter, const QRect& rect, const platform::PictureBox& p);

}  // namespace quindel::qt

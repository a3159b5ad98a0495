#include "platform/qt/PicturePainter.h"

#include <cmath>

#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/qt/QtImage.h"

namespace quindel::qt {

void PaintPictureBox(QPainter& painter, const QRect& rect, const platform::PictureBox& p) {
    painter.fillRect(rect, QColor::fromRgb(p.BackColor()));
    if (p.BorderStyle() != 0) {
        painter.setPen(QColor::fromRgb(platform::look::kShadow));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    const QPointF origin(p.ClientOriginPx().x, p.ClientOriginPx().y);
    // Device pixels to a logical one where this paint lands: the screen's ratio in a window, 1
    // in a picture taken in logical pixels (a grab), or on a screen of ratio 1 beside a denser one.
    const double landing = painter.deviceTransform().m11();
    if (p.DeviceRatio() == 1.0 || std::abs(landing - 1.0) < 1e-9) {
        painter.drawImage(origin, Wrap(p.Surface()));
        return;
    }
    // A picture of the device's ratio lands on the device pixel the client area starts on, one
    // of its pixels on each device pixel: nothing is scaled again.
    QImage drawing = Wrap(p.DeviceSurface());
    drawing.setDevicePixelRatio(p.DeviceRatio());
    painter.drawImage(origin, drawing);
}

}  // namespace quindel::qt

#include "platform/qt/PicturePainter.h"

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
    const platform::PointPx o = p.ClientOriginPx();
    // A picture of the device's ratio lands on the device pixel the client area starts on, one
    // of its pixels on each device pixel: nothing is scaled again.
    QImage drawing = Wrap(p.DeviceSurface());
    drawing.setDevicePixelRatio(p.DeviceRatio());
    painter.drawImage(QPointF(o.x, o.y), drawing);
}

}  // namespace quindel::qt

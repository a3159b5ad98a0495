#include "platform/qt/QtImage.h"

#include <QPixmap>
#include <array>
#include <utility>

#include "platform/Window.h"

namespace quindel::qt {

namespace {

constexpr std::array<std::pair<std::int16_t, Qt::CursorShape>, 15> kShapes{{
    {1, Qt::ArrowCursor},
    {2, Qt::CrossCursor},
    {3, Qt::IBeamCursor},
    {4, Qt::ArrowCursor},
    {5, Qt::SizeAllCursor},
    {6, Qt::SizeBDiagCursor},
    {7, Qt::SizeVerCursor},
    {8, Qt::SizeFDiagCursor},
    {9, Qt::SizeHorCursor},
    {10, Qt::UpArrowCursor},
    {11, Qt::WaitCursor},
    {12, Qt::ForbiddenCursor},
    {13, Qt::BusyCursor},
    {14, Qt::WhatsThisCursor},
    {15, Qt::SizeAllCursor},
}};

}  // namespace

QImage Wrap(const platform::Image& img) {
    return Wrap(img.view());
}

QImage Wrap(const platform::PixelsView& pixels) {
    return QImage(pixels.data, pixels.width, pixels.height, qsizetype(pixels.stride),
                  QImage::Format_RGB32);
}

platform::Image FromQImage(const QImage& q) {
    const QImage argb = q.convertToFormat(QImage::Format_RGB32);
    platform::Image out(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) out.setPixel(x, y, row[x]);
    }
    return out;
}

QCursor CursorFor(std::int16_t pointer, const platform::Image& icon) {
    if (pointer == platform::pointer::Custom && !icon.empty()) {
        // The icon keeps its transparency: ARGB32 rather than the opaque view.
        const QImage view(reinterpret_cast<const uchar*>(icon.pixels().data()), icon.width(),
                          icon.height(), qsizetype(icon.width()) * 4, QImage::Format_ARGB32);
        return QCursor(QPixmap::fromImage(view), icon.width() / 2, icon.height() / 2);
    }
    for (const auto& [code, shape] : kShapes)
        if (code == pointer) return QCursor(shape);
    return QCursor(Qt::ArrowCursor);
}

}  // namespace quindel::qt

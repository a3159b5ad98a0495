#include "platform/qt/QtClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "platform/qt/QtImage.h"

namespace quindel::qt {

namespace {

const QStringList kRtfNames = {QStringLiteral("text/rtf"), QStringLiteral("text/richtext"),
                               QStringLiteral("application/rtf")};
const QStringList kPictureNames = {QStringLiteral("image/png"), QStringLiteral("image/bmp")};

QByteArray Encoded(const QImage& img, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

// The clipboard takes the data over: it is never touched again here.
void Offer(QMimeData* data) {
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

const QMimeData* QtClipboard::Current() {
    return QGuiApplication::clipboard()->mimeData();
}

QString QtClipboard::FirstOf(const QStringList& names) {
    const QMimeData* data = Current();
    if (!data) return {};
    for (const QString& name : names)
        if (data->hasFormat(name)) return name;
    return {};
}

void QtClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetTextAndRtf(std::string_view text, std::string_view rtf) {
    auto* data = new QMimeData;
    const QByteArray bytes(rtf.data(), qsizetype(rtf.size()));
    data->setData(kRtfNames[0], bytes);
    data->setData(kRtfNames[1], bytes);
    data->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    Offer(data);
}

void QtClipboard::SetText(std::string_view text) {
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    Offer(data);
}

void QtClipboard::SetPicture(const platform::Image& picture) {
    const QImage img = Wrap(picture).copy();  // the copy outlives the caller's picture
    auto* data = new QMimeData;
    data->setImageData(img);
    data->setData(kPictureNames[0], Encoded(img, "PNG"));
    data->setData(kPictureNames[1], Encoded(img, "BMP"));
    Offer(data);
}

std::optional<std::string> QtClipboard::Text() const {
    const QMimeData* data = Current();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

std::optional<std::string> QtClipboard::Rtf() const {
    const QString name = FirstOf(kRtfNames);
    if (name.isEmpty()) return std::nullopt;
    return Current()->data(name).toStdString();
}

std::optional<platform::Image> QtClipboard::Picture() const {
    const QMimeData* data = Current();
    if (!data) return std::nullopt;
    QImage img;
    if (data->hasImage()) img = qvariant_cast<QImage>(data->imageData());
    const QString name = FirstOf(kPictureNames);
    if (img.isNull() && !name.isEmpty()) img = QImage::fromData(data->data(name));
    if (img.isNull()) return std::nullopt;
    return FromQImage(img);
}

std::uint8_t QtClipboard::Formats() const {
    const QMimeData* data = Current();
    if (!data) return 0;
    using platform::ClipFormat;
    const bool picture = data->hasImage() || !FirstOf(kPictureNames).isEmpty();
    return std::uint8_t((data->hasText() ? std::uint8_t(ClipFormat::Text) : 0) |
                        (FirstOf(kRtfNames).isEmpty() ? 0 : std::uint8_t(ClipFormat::Rtf)) |
                        (picture ? std::uint8_t(ClipFormat::Picture) : 0));
}

bool QtClipboard::HasSelectionBuffer() const {
    return QGuiApplication::clipboard()->supportsSelection();
}

void QtClipboard::SetSelection(std::string_view text) {
    if (!HasSelectionBuffer()) return;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), qsizetype(text.size())),
                                          QClipboard::Selection);
}

std::optional<std::string> QtClipboard::Selection() const {
    if (!HasSelectionBuffer()) return std::nullopt;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Selection);
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

}  // namespace quindel::qt

#include "platform/qt/CursorCache.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>

namespace quindel::qt {

namespace {

bool MovesThePointer(QEvent::Type t) {
    switch (t) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::HoverMove:
        case QEvent::DragMove:
        case QEvent::Wheel:
        case QEvent::TabletMove:
        case QEvent::TouchUpdate:
            return true;
        default:
            return false;
    }
}

}  // namespace

CursorCache::CursorCache(int maxAgeMs) : maxAge_(maxAgeMs) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

CursorCache::~CursorCache() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

QPoint CursorCache::Pos() {
    const Clock::time_point now = Clock::now();
    if (!valid_ || now - readAt_ >= maxAge_) {
        pos_ = QCursor::pos();
        readAt_ = now;
        valid_ = true;
        ++reads_;
    }
    return pos_;
}

bool CursorCache::eventFilter(QObject*, QEvent* e) {
    if (MovesThePointer(e->type())) valid_ = false;
    return false;
}

}  // namespace quindel::qt

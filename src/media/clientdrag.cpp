#include "clientdrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace zorvik {

ClientDrag::ClientDrag(QWidget* window) : QObject(window), window_(window) {
    watch(window);
}

void ClientDrag::watch(QWidget* part) {
    part->installEventFilter(this);
}

bool ClientDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            dragging_ = true;
            grab_ = e->globalPosition().toPoint() - window_->frameGeometry().topLeft();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (dragging_ && (e->buttons() & Qt::LeftButton))
            window_->move(e->globalPosition().toPoint() - grab_);
        break;
    }
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvik

#include "windowframe.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowFrame::WindowFrame(QWidget* window, QMenuBar* titleBar)
    : QObject(window), window(window), titleBar(titleBar) {
    borderWidth = [] { return 0; };
    titleBar->installEventFilter(this);
    window->installEventFilter(this);
    // The cursor shows the resize zones as the pointer passes over them.
    window->setMouseTracking(true);
}

Qt::Edges WindowFrame::edgesAt(const QPoint& pos) const {
    const int border = borderWidth();
    if (border <= 0 || !window->rect().contains(pos))
        return {};
    const int w = window->width(), h = window->height();
    bool left = pos.x() < border, right = pos.x() >= w - border;
    bool top = pos.y() < border, bottom = pos.y() >= h - border;
    // Along a side, the last stretch before a corner resizes both ways, as on framed windows.
    const int corner = border * 2;
    if (left || right) {
        top = top || pos.y() < corner;
        bottom = bottom || pos.y() >= h - corner;
    }
    if (top || bottom) {
        left = left || pos.x() < corner;
        right = right || pos.x() >= w - corner;
    }
    Qt::Edges edges;
    if (left)
        edges |= Qt::LeftEdge;
    if (right)
        edges |= Qt::RightEdge;
    if (top)
        edges |= Qt::TopEdge;
    if (bottom)
        edges |= Qt::BottomEdge;
    return edges;
}

void WindowFrame::setShadows(const QList<QWidget*>& panels, bool on) {
    for (QWidget* panel : panels) {
        if (!panel)
            continue;
        auto* effect = qobject_cast<QGraphicsDropShadowEffect*>(panel->graphicsEffect());
        if (!effect && !on)
            continue;
        if (!effect) {
            effect = new QGraphicsDropShadowEffect(panel);
            effect->setBlurRadius(30);
            effect->setOffset(4, 4);
            panel->setGraphicsEffect(effect);
        }
        effect->setColor(on ? QColor(0, 0, 0, 160) : QColor(Qt::transparent));
    }
}

void WindowFrame::stop() {
    dragging = false;
    resizeEdges = {};
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == titleBar)
        return titleBarEvent(event);
    if (watched == window)
        return windowEvent(event);
    return false;
}

bool WindowFrame::titleBarEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            // A press on a menu title opens its popup, and the popup takes the release: starting a
            // drag there would leave the window following the pointer with no button held.
            if (mouse->button() != Qt::LeftButton ||
                titleBar->actionAt(mouse->position().toPoint()))
                return false;
            dragOffset = mouse->globalPosition().toPoint() - window->pos();
            dragging = true;
            return false;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!dragging)
                return false;
            if (!(mouse->buttons() & Qt::LeftButton) || QApplication::activePopupWidget()) {
                stop();
                return false;
            }
            const QPoint global = mouse->globalPosition().toPoint();
            if (window->isMaximized() && restoreForDrag) {
                restoreForDrag();
                // Keep the pointer over the title bar of the restored, narrower window.
                dragOffset = QPoint(qMin(dragOffset.x(), window->width() / 2), dragOffset.y());
            }
            window->move(global - dragOffset);
            return false;
        }
        case QEvent::MouseButtonRelease:
            stop();
            return false;
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            stop();
            if (mouse->button() == Qt::LeftButton &&
                !titleBar->actionAt(mouse->position().toPoint()) && toggleMaximised)
                toggleMaximised();
            return false;
        }
        default:
            return false;
    }
}

bool WindowFrame::windowEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const Qt::Edges edges = edgesAt(mouse->position().toPoint());
            if (mouse->button() != Qt::LeftButton || !edges)
                return false;
            // The window manager resizes best where it can; elsewhere the frame follows the
            // pointer.
            if (window->windowHandle() && window->windowHandle()->startSystemResize(edges))
                return true;
            resizeEdges = edges;
            pressGlobal = mouse->globalPosition().toPoint();
            pressGeometry = window->geometry();
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!resizeEdges) {
                const Qt::Edges edges = edgesAt(mouse->position().toPoint());
                Qt::CursorShape shape = Qt::ArrowCursor;
                if (edges == (Qt::LeftEdge | Qt::TopEdge) ||
                    edges == (Qt::RightEdge | Qt::BottomEdge))
                    shape = Qt::SizeFDiagCursor;
                else if (edges == (Qt::RightEdge | Qt::TopEdge) ||
                         edges == (Qt::LeftEdge | Qt::BottomEdge))
                    shape = Qt::SizeBDiagCursor;
                else if (edges & (Qt::LeftEdge | Qt::RightEdge))
                    shape = Qt::SizeHorCursor;
                else if (edges & (Qt::TopEdge | Qt::BottomEdge))
                    shape = Qt::SizeVerCursor;
                if (shape == Qt::ArrowCursor)
                    window->unsetCursor();
                else
                    window->setCursor(shape);
                return false;
            }
            if (!(mouse->buttons() & Qt::LeftButton)) {
                stop();
                return false;
            }
            const QPoint delta = mouse->globalPosition().toPoint() - pressGlobal;
            QRect geometry = pressGeometry;
            const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
            if (resizeEdges & Qt::LeftEdge)
                geometry.setLeft(
                    qMin(geometry.left() + delta.x(), geometry.right() - minimum.width()));
            if (resizeEdges & Qt::RightEdge)
                geometry.setRight(
                    qMax(geometry.right() + delta.x(), geometry.left() + minimum.width()));
            if (resizeEdges & Qt::TopEdge)
                geometry.setTop(
                    qMin(geometry.top() + delta.y(), geometry.bottom() - minimum.height()));
            if (resizeEdges & Qt::BottomEdge)
                geometry.setBottom(
                    qMax(geometry.bottom() + delta.y(), geometry.top() + minimum.height()));
            window->setGeometry(geometry);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (resizeEdges) {
                stop();
                return true;
            }
            return false;
        default:
            return false;
    }
}

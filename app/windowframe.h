// Makes a frameless top-level window behave like a framed one: it is dragged by the free part of
// its title bar, maximised or restored by a double click there, and resized from its edges and
// corners (the transparent margin around its panels).
#pragma once

#include <functional>

#include <QObject>
#include <QList>
#include <QPoint>
#include <QRect>

class QMenuBar;
class QMouseEvent;
class QWidget;

class WindowFrame : public QObject {
    Q_OBJECT
public:
    WindowFrame(QWidget* window, QMenuBar* titleBar);

    // Called on a double click on the title bar.
    std::function<void()> toggleMaximised;
    // Called when a maximised window starts to be dragged; it must restore the window.
    std::function<void()> restoreForDrag;
    // Width of the resize zone along the window's border; 0 while maximised.
    std::function<int()> borderWidth;

    bool isDragging() const { return dragging; }
    // The drop shadow of the window's panels: on, or transparent while the window relayouts
    // (a shadow is costly to repaint at every step). Created on first use.
    static void setShadows(const QList<QWidget*>& panels, bool on);

    // Which edges a point of the window (its own coordinates) would resize.
    Qt::Edges edgesAt(const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool titleBarEvent(QEvent* event);
    bool windowEvent(QEvent* event);
    void stop();

    QWidget* window;
    QMenuBar* titleBar;
    bool dragging = false;
    QPoint dragOffset;
    Qt::Edges resizeEdges;
    QPoint pressGlobal;
    QRect pressGeometry;
};

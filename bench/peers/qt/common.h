// What the Qt peer benchmarks share: the font our benchmarks draw with, a shown window on the
// offscreen platform, event counters that prove a figure really repainted (or laid out again),
// and the heap in use.
#pragma once

#include <QEvent>
#include <QFont>
#include <QObject>
#include <QWidget>
#include <memory>

namespace peers {

// DejaVu Sans (9 pt is 12 pixels at 96 DPI), anti-aliased in greyscale as ours is.
QFont benchFont(qreal points = 9, bool bold = false);

// A top-level widget of `width` × `height` pixels, shown and exposed.
std::unique_ptr<QWidget> shownWindow(int width, int height);

// Counts the events of one type that one widget receives.
class EventCounter : public QObject {
public:
    EventCounter(QWidget* widget, QEvent::Type type) : m_type(type) {
        widget->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_type) ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

// Counts the paint events one widget receives.
class PaintCounter : public EventCounter {
public:
    explicit PaintCounter(QWidget* widget) : EventCounter(widget, QEvent::Paint) {}
};

// Bytes of the heap in use; growth in it counts every byte, where the resident set moves in
// whole pages.
double heapInUse();

}  // namespace peers

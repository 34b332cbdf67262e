#include "common.h"

#include <malloc.h>
#include <QApplication>
#include <QTest>

namespace peers {

QFont benchFont(qreal points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

std::unique_ptr<QWidget> shownWindow(int width, int height) {
    auto window = std::make_unique<QWidget>();
    window->setGeometry(0, 0, width, height);
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window was never exposed");
    QApplication::processEvents();
    return window;
}

double heapInUse() {
    return static_cast<double>(mallinfo2().uordblks);
}

}  // namespace peers

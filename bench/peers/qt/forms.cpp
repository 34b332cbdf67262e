// Buttons with Qt (bench_button): a 1280 × 800 window of 100 push buttons repainted whole, the
// repaint a hover change costs (one button), and the heap each further button takes.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "common.h"
#include "figures.h"

namespace peers {

std::unique_ptr<QWidget> buttonForm() {
    auto window = shownWindow(1280, 800);
    // 100 buttons of 112 × 30 pixels in a 10 × 10 grid, as ours.
    for (int i = 0; i < 100; ++i) {
        auto* button = new QPushButton(QStringLiteral("Button %1").arg(i), window.get());
        button->setObjectName(QStringLiteral("b%1").arg(i));
        button->setGeometry(16 + (i % 10) * 126, 20 + (i / 10) * 76, 112, 30);
        button->show();
    }
    QApplication::processEvents();
    return window;
}

namespace {

void QtRepaintFormOf100Buttons(benchmark::State& state) {
    auto window = buttonForm();
    PaintCounter paints(window->findChild<QPushButton*>(QStringLiteral("b55")));
    for (auto _ : state)
        window->repaint();
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("a button was not repainted");
}
BENCHMARK(QtRepaintFormOf100Buttons)->Unit(benchmark::kMillisecond);

// The pointer enters and leaves one button of the 100, through the window system's path (the
// platform's mouse event, enter and leave, hover): each change repaints that button alone.
void QtButtonHoverRepaint(benchmark::State& state) {
    auto window = buttonForm();
    auto* button = window->findChild<QPushButton*>(QStringLiteral("b12"));
    QPushButton* neighbour = window->findChild<QPushButton*>(QStringLiteral("b13"));
    PaintCounter paints(button);
    PaintCounter neighbourPaints(neighbour);
    QWindow* handle = window->windowHandle();
    const QPoint inside = button->mapTo(window.get(), QPoint(5, 5));
    const QPoint outside = button->mapTo(window.get(), QPoint(5, 50));  // between rows
    // The pointer enters the new window away from where it last was (Qt drops a move to the
    // same place, and with it this window's entry).
    QTest::mouseMove(handle, QPoint(1, 1));
    QTest::mouseMove(handle, outside);
    paints.count = 0;
    neighbourPaints.count = 0;
    bool in = false;
    for (auto _ : state) {
        QTest::mouseMove(handle, in ? outside : inside);
        in = !in;
    }
    state.counters["paints_per_change"] =
        static_cast<double>(paints.count) / static_cast<double>(state.iterations());
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("the button did not repaint on every hover change");
    if (neighbourPaints.count > 0) state.SkipWithError("a hover change repainted another button");
}
BENCHMARK(QtButtonHoverRepaint)->Unit(benchmark::kMicrosecond);

// Heap growth for 1,000 buttons more in a window that already has 1,000, each shown and painted.
void QtMemoryPerButton(benchmark::State& state) {
    for (auto _ : state) {
        auto window = shownWindow(1280, 800);
        const auto addButtons = [&window](int from, int count) {
            for (int i = from; i < from + count; ++i) {
                auto* button = new QPushButton(QStringLiteral("Button %1").arg(i), window.get());
                button->setGeometry(16 + (i % 10) * 126, 20 + (i / 10 % 10) * 76, 112, 30);
                button->show();
            }
            QApplication::processEvents();
        };
        addButtons(0, 1000);
        const double before = heapInUse();
        addButtons(1000, 1000);
        state.counters["heap_bytes_per_button"] = (heapInUse() - before) / 1000.0;
    }
}
BENCHMARK(QtMemoryPerButton)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace peers

// The choice group with Qt (bench_choice_groups): 1,000 radio buttons "Item N" in one button
// group, placed by a grid in columns of 40 rows, laid out again and repainted whole after a font
// change, and repainted whole alone.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "common.h"
#include "figures.h"

namespace peers {

namespace {

constexpr int kItems = 1000;
constexpr int kRows = 40;

QRadioButton* item(QWidget& window, int i) {
    return window.findChild<QRadioButton*>(QStringLiteral("item%1").arg(i));
}

// The window keeps its 1890 × 1000 pixels and the last item lies inside it.
bool fits(QWidget& window) {
    return window.size() == QSize(1890, 1000) &&
           window.rect().contains(item(window, kItems - 1)->geometry());
}

}  // namespace

std::unique_ptr<QWidget> choiceGroupForm() {
    auto window = shownWindow(1890, 1000);
    auto* grid = new QGridLayout(window.get());
    // Ours: 2 pixels inside the border, no gap between rows or columns.
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(0);
    // The window stays 1890 pixels wide, as our group does. Qt's radio buttons are wider than our
    // items (25 columns of them need about 2,060 pixels at 9 points), so the grid narrows the
    // columns to fit, which cuts a few pixels off the ends of the longer captions; left to
    // itself it would widen the window to its own minimum.
    grid->setSizeConstraint(QLayout::SetNoConstraint);
    auto* group = new QButtonGroup(window.get());
    for (int i = 0; i < kItems; ++i) {
        auto* button = new QRadioButton(QStringLiteral("Item %1").arg(i), window.get());
        button->setObjectName(QStringLiteral("item%1").arg(i));
        grid->addWidget(button, i % kRows, i / kRows);  // down each column first, as ours
        group->addButton(button, i);
        button->show();
    }
    // An empty row and column after the items take any room left over, so that the items sit at
    // the top left in rows as high as they need, as ours.
    grid->setRowStretch(kRows, 1);
    grid->setColumnStretch(kItems / kRows, 1);
    QApplication::processEvents();
    return window;
}

namespace {

// The font size flipped between 9.75 and 9 points (13 and 12 pixels at 96 DPI), as ours: the
// layout request the change posts is handled now rather than in the event loop, which measures
// every item's size hint again and lays the grid out again; then the whole window repaints.
void QtChoiceGroupLayoutAndPaint1000Items(benchmark::State& state) {
    auto window = choiceGroupForm();
    QRadioButton* last = item(*window, kItems - 1);
    PaintCounter paints(last);
    EventCounter layouts(window.get(), QEvent::LayoutRequest);
    const auto setFontSize = [&window](qreal points) {
        window->setFont(benchFont(points));
        QCoreApplication::sendPostedEvents(window.get(), QEvent::LayoutRequest);
    };
    int n = 0;
    for (auto _ : state) {
        setFontSize(++n % 2 ? 9.75 : 9);
        window->repaint();
    }
    state.counters["paints_per_iteration"] =
        static_cast<double>(paints.count) / static_cast<double>(state.iterations());
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("an item was not repainted");
    if (layouts.count < static_cast<int>(state.iterations()))
        state.SkipWithError("the grid was not laid out again after every font change");
    // The size hints follow the font, and the items fit at both sizes.
    const int width = last->sizeHint().width();
    const bool fitted = fits(*window);
    setFontSize(++n % 2 ? 9.75 : 9);
    if (last->sizeHint().width() == width)
        state.SkipWithError("the items were not measured at the new size");
    if (!fitted || !fits(*window)) state.SkipWithError("the items do not fit in the window");
}
BENCHMARK(QtChoiceGroupLayoutAndPaint1000Items)->Unit(benchmark::kMillisecond);

// The whole window repainted from the layout it has.
void QtChoiceGroupPaint1000Items(benchmark::State& state) {
    auto window = choiceGroupForm();
    PaintCounter paints(item(*window, kItems - 1));
    for (auto _ : state)
        window->repaint();
    state.counters["paints_per_iteration"] =
        static_cast<double>(paints.count) / static_cast<double>(state.iterations());
    if (!fits(*window)) state.SkipWithError("the items do not fit in the window");
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("an item was not repainted");
}
BENCHMARK(QtChoiceGroupPaint1000Items)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace peers

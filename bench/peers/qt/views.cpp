// The views with Qt, for figures ours does not have yet: a 1,000,000-row list (QListView,
// uniform item sizes) first painted and scrolled by pages, a 100,000-node tree (QTreeWidget)
// filled and expanded whole, and 1 MB of text in a QPlainTextEdit set, painted and typed into.
#include <benchmark/benchmark.h>
#include <QAbstractListModel>
#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <QWindow>

#include "common.h"
#include "figures.h"

namespace peers {

RowsModel::RowsModel(int rows) : m_rows(rows) {}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QStringLiteral("Row %1").arg(index.row() + 1);
}

QListView* addListView(QWidget& window, QAbstractItemModel& model) {
    auto* view = new QListView(&window);
    view->setUniformItemSizes(true);
    view->setFont(benchFont());
    view->setGeometry(0, 0, 400, 600);
    view->setModel(&model);
    view->show();
    return view;
}

QList<QTreeWidgetItem*> treeNodes() {
    // 1,000 nodes of 99 children each: 100,000 nodes.
    QList<QTreeWidgetItem*> top;
    top.reserve(1000);
    for (int i = 0; i < 1000; ++i) {
        auto* node = new QTreeWidgetItem(QStringList(QStringLiteral("Node %1").arg(i + 1)));
        for (int j = 0; j < 99; ++j)
            node->addChild(new QTreeWidgetItem(
                QStringList(QStringLiteral("Node %1.%2").arg(i + 1).arg(j + 1))));
        top.append(node);
    }
    return top;
}

QTreeWidget* addTreeWidget(QWidget& window) {
    auto* tree = new QTreeWidget(&window);
    tree->setHeaderHidden(true);
    tree->setUniformRowHeights(true);
    tree->setFont(benchFont());
    tree->setGeometry(0, 0, 400, 600);
    tree->show();
    return tree;
}

QString megabyteOfText() {
    // Numbered lines of prose, about 80 characters each, to 1,000,000 characters.
    const QString words = QStringLiteral(
        "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor ");
    QString text;
    text.reserve(1000000 + 200);
    for (int line = 1; text.size() < 1000000; ++line)
        text += QStringLiteral("%1: ").arg(line, 5) + words.left(72) + QLatin1Char('\n');
    text.truncate(1000000);
    return text;
}

QPlainTextEdit* addTextEdit(QWidget& window) {
    auto* edit = new QPlainTextEdit(&window);
    edit->setFont(benchFont());
    edit->setGeometry(0, 0, 800, 600);
    edit->show();
    return edit;
}

namespace {

// A view given a model of 1,000,000 rows, shown and painted once.
void QtListFirstPaint(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    RowsModel model(1000000);
    for (auto _ : state) {
        std::unique_ptr<QListView> view(addListView(*window, model));
        PaintCounter paints(view->viewport());
        QApplication::processEvents();
        state.PauseTiming();
        const bool painted = paints.count > 0 && view->indexAt(QPoint(5, 5)).row() == 0;
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the list was not laid out and painted");
            break;
        }
    }
}
BENCHMARK(QtListFirstPaint)->Unit(benchmark::kMillisecond);

// One page down (back to the top at the end), repainted.
void QtListPageScroll(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    RowsModel model(1000000);
    QListView* view = addListView(*window, model);
    QApplication::processEvents();
    QScrollBar* bar = view->verticalScrollBar();
    PaintCounter paints(view->viewport());
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        QApplication::processEvents();
    }
    state.counters["rows_per_page"] = bar->pageStep();
    if (paints.count < static_cast<int>(state.iterations()) || bar->maximum() < 999000)
        state.SkipWithError("the list did not scroll and repaint");
}
BENCHMARK(QtListPageScroll)->Unit(benchmark::kMicrosecond);

// 100,000 nodes made and added to a shown tree, which paints its first page.
void QtTreeInsert(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    QTreeWidget* tree = addTreeWidget(*window);
    QApplication::processEvents();
    PaintCounter paints(tree->viewport());
    for (auto _ : state) {
        tree->addTopLevelItems(treeNodes());
        QApplication::processEvents();
        state.PauseTiming();
        const bool filled = tree->topLevelItemCount() == 1000 && paints.count > 0;
        tree->clear();
        QApplication::processEvents();
        paints.count = 0;
        state.ResumeTiming();
        if (!filled) {
            state.SkipWithError("the tree was not filled and painted");
            break;
        }
    }
}
BENCHMARK(QtTreeInsert)->Unit(benchmark::kMillisecond);

// Every node of the 100,000 expanded, and the tree repainted.
void QtTreeExpandAllRender(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    QTreeWidget* tree = addTreeWidget(*window);
    tree->addTopLevelItems(treeNodes());
    QApplication::processEvents();
    PaintCounter paints(tree->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        tree->collapseAll();
        QApplication::processEvents();
        paints.count = 0;
        state.ResumeTiming();
        tree->expandAll();
        QApplication::processEvents();
        if (paints.count == 0 || !tree->topLevelItem(999)->isExpanded()) {
            state.SkipWithError("the tree was not expanded and repainted");
            break;
        }
    }
}
BENCHMARK(QtTreeExpandAllRender)->Unit(benchmark::kMillisecond);

// 1,000,000 characters set into a shown text box, which paints its first page.
void QtPlainTextSetAndPaint(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    QPlainTextEdit* edit = addTextEdit(*window);
    const QString text = megabyteOfText();
    QApplication::processEvents();
    PaintCounter paints(edit->viewport());
    for (auto _ : state) {
        edit->setPlainText(text);
        QApplication::processEvents();
    }
    state.counters["lines"] = edit->blockCount();
    if (paints.count < static_cast<int>(state.iterations()) ||
        edit->document()->characterCount() != text.size() + 1)
        state.SkipWithError("the text box was not filled and painted");
}
BENCHMARK(QtPlainTextSetAndPaint)->Unit(benchmark::kMillisecond);

// One keystroke in the middle of the 1 MB text, through the window system's path, repainted:
// a letter typed, then taken back with Backspace, and so on.
void QtPlainTextKeystroke(benchmark::State& state) {
    auto window = shownWindow(800, 600);
    QPlainTextEdit* edit = addTextEdit(*window);
    edit->setPlainText(megabyteOfText());
    QTextCursor cursor(edit->document()->findBlockByNumber(edit->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(cursor);
    edit->centerCursor();
    edit->setFocus();
    QApplication::processEvents();
    const int before = edit->document()->characterCount();
    PaintCounter paints(edit->viewport());
    QWindow* handle = window->windowHandle();
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            QTest::keyClick(handle, Qt::Key_Backspace);
        else
            QTest::keyClick(handle, 'x');
        typed = !typed;
    }
    if (edit->document()->characterCount() != before + (typed ? 1 : 0) ||
        paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("the keystrokes did not reach the text box or did not repaint it");
}
BENCHMARK(QtPlainTextKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace peers

// The Qt 5 Widgets peer of our benchmarks (./run peers): the offscreen platform, the Fusion
// style, DejaVu Sans 9 pt at 96 DPI with greyscale anti-aliasing, and Google Benchmark's
// output. `bench_qt --shots DIR` writes what the figures draw as PNG files instead.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtMath>
#include <cstdio>
#include <cstring>

#include "common.h"
#include "figures.h"

namespace {

bool writeShots(const QString& folder) {
    using namespace peers;
    QDir().mkpath(folder);
    bool ok = paragraphImage(kLatinWords).save(folder + "/paragraph-latin.png");
    ok = paragraphImage(kArabicWords).save(folder + "/paragraph-arabic.png") && ok;
    ok = paragraphImage(kChineseWords).save(folder + "/paragraph-chinese.png") && ok;
    QTextDocument document;
    setUpDocument(document);
    document.setHtml(longHtml());
    QImage markup(608, qCeil(document.size().height()), QImage::Format_RGB32);
    markup.fill(Qt::white);
    {
        QPainter painter(&markup);
        document.drawContents(&painter, markup.rect());
    }
    ok = markup.save(folder + "/markup.png") && ok;
    ok = galleryForm()->grab().save(folder + "/gallery.png") && ok;
    ok = buttonForm()->grab().save(folder + "/buttons.png") && ok;
    ok = choiceGroupForm()->grab().save(folder + "/choices.png") && ok;
    auto window = shownWindow(1200, 600);
    RowsModel model(1000000);
    addListView(*window, model);
    QTreeWidget* tree = addTreeWidget(*window);
    tree->move(400, 0);
    tree->addTopLevelItems(treeNodes());
    tree->expandAll();
    QPlainTextEdit* edit = addTextEdit(*window);
    edit->setGeometry(800, 0, 400, 600);
    edit->setPlainText(megabyteOfText());
    QApplication::processEvents();
    ok = window->grab().save(folder + "/views.png") && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    // The same fonts as our benchmarks see, and no display.
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        qputenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(peers::benchFont());

    if (argc == 3 && std::strcmp(argv[1], "--shots") == 0) {
        if (!writeShots(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "bench_qt: could not write the pictures to %s\n", argv[2]);
            return 1;
        }
        return 0;
    }

    benchmark::AddCustomContext("qt_version", qVersion());
    benchmark::AddCustomContext("qt_platform", QGuiApplication::platformName().toStdString());
    benchmark::AddCustomContext("qt_style", QApplication::style()->objectName().toStdString());
    benchmark::AddCustomContext("compiler", ORVANE_COMPILER);
    const QFontInfo font(QApplication::font());
    benchmark::AddCustomContext(
        "qt_font",
        QStringLiteral("%1 %2 px").arg(font.family()).arg(font.pixelSize()).toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

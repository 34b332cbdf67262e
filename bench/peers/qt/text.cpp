// Text with Qt: the 10,000-character paragraph wrapped into 600 pixels (bench_text), and the
// 30,000-character markup document laid out at 600 pixels and drawn, whole and as a label
// shows it (bench_labelhtml).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>

#include "common.h"
#include "figures.h"

namespace peers {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 4000;
constexpr int kChars = 10000;

}  // namespace

QString paragraph(const QString& words) {
    QString text;
    while (text.size() < kChars)
        text += words;
    text.truncate(kChars);
    return text;
}

const QString kLatinWords = QStringLiteral(
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do "
    "eiusmod tempor incididunt ut labore et dolore magna aliqua. ");
const QString kArabicWords = QStringLiteral(
    "اللغة العربية هي لغة سامية يتحدث بها أكثر من أربعمائة مليون "
    "إنسان في العالم، وهي إحدى اللغات الرسمية في الأمم المتحدة. ");
const QString kChineseWords = QStringLiteral(
    "汉语是世界上使用人数最多的语言之一，拥有悠久的历史和丰富的文化。"
    "现代标准汉语以北京语音为标准音，以北方话为基础方言。");

QImage paragraphImage(const QString& words) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(benchFont());
    painter.drawText(QRect(0, 0, kWidth, kHeight), Qt::TextWordWrap, paragraph(words));
    return image;
}

QString longHtml() {
    // Our caption (bold, italic, coloured and line-break markup) is built alongside, and the
    // loop ends where ours does: when that caption reaches 30,000 characters.
    const char* words[] = {"lorem",      "ipsum", "dolor", "sit", "amet",    "consectetur",
                           "adipiscing", "elit",  "sed",   "do",  "eiusmod", "tempor"};
    QString ours;
    QString html;
    for (int i = 0; ours.size() < 30000; ++i) {
        const QString word = QLatin1String(words[i % 12]);
        if (i % 7 == 3) {
            ours += "<b>" + word + "</b>";
            html += "<b>" + word + "</b>";
        } else if (i % 11 == 5) {
            ours += "<i>" + word + "</i>";
            html += "<i>" + word + "</i>";
        } else if (i % 13 == 8) {
            // Our colours are blue-green-red: 0000C0 is red.
            ours += "<forecolor=0000C0>" + word + "</forecolor>";
            html += "<span style=\"color:#c00000\">" + word + "</span>";
        } else {
            ours += word;
            html += word;
        }
        ours += i % 90 == 89 ? QStringLiteral("<br>") : QStringLiteral(" ");
        html += i % 90 == 89 ? QStringLiteral("<br>") : QStringLiteral(" ");
    }
    return html;
}

void setUpDocument(QTextDocument& document) {
    document.setDefaultFont(benchFont());
    document.setDocumentMargin(4);
    document.setTextWidth(608);  // 600 pixels for text after the margins, as ours
}

namespace {

void drawParagraph(benchmark::State& state, const QString& words) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(benchFont());
    painter.setPen(Qt::black);
    const QString text = paragraph(words);
    QRect bounds;
    for (auto _ : state) {
        painter.drawText(QRect(0, 0, kWidth, kHeight), Qt::TextWordWrap, text, &bounds);
        benchmark::DoNotOptimize(bounds);
    }
    // Qt's lines are the font's ascent plus descent high, in fractions of a pixel.
    const qreal lineHeight = QFontMetricsF(painter.font(), &image).height();
    state.counters["lines"] = qRound(bounds.height() / lineHeight);
    state.counters["height_px"] = bounds.height();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kChars);
}

void QtDrawTextLatin(benchmark::State& state) {
    drawParagraph(state, kLatinWords);
}
BENCHMARK(QtDrawTextLatin)->Unit(benchmark::kMillisecond);

// The Latin paragraph as a different text on every draw, as ours: the words rotated by one
// character more each time, in turn through all 124 rotations.
void QtDrawTextLatinFresh(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(benchFont());
    painter.setPen(Qt::black);
    QStringList texts;
    for (int k = 0; k < kLatinWords.size(); ++k)
        texts.append(paragraph(kLatinWords.mid(k) + kLatinWords.left(k)));
    int next = 0;
    QRect bounds;
    for (auto _ : state) {
        painter.drawText(QRect(0, 0, kWidth, kHeight), Qt::TextWordWrap, texts[next], &bounds);
        next = (next + 1) % texts.size();
        benchmark::DoNotOptimize(bounds);
    }
    state.counters["height_px"] = bounds.height();
    state.counters["texts"] = texts.size();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kChars);
}
BENCHMARK(QtDrawTextLatinFresh)->Unit(benchmark::kMillisecond);

void QtDrawTextArabic(benchmark::State& state) {
    drawParagraph(state, kArabicWords);
}
BENCHMARK(QtDrawTextArabic)->Unit(benchmark::kMillisecond);

void QtDrawTextChinese(benchmark::State& state) {
    drawParagraph(state, kChineseWords);
}
BENCHMARK(QtDrawTextChinese)->Unit(benchmark::kMillisecond);

// Parse, lay out at 600 pixels and draw the whole document into a bitmap as tall as it.
void QtRichTextWholeAt600(benchmark::State& state) {
    const QString html = longHtml();
    QTextDocument document;
    setUpDocument(document);
    document.setHtml(html);
    const int height = qCeil(document.size().height());
    QImage image(608, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state) {
        painter.fillRect(image.rect(), Qt::white);
        document.setHtml(html);
        document.drawContents(&painter, image.rect());
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["height"] = height;
    state.counters["blocks"] = document.blockCount();
}
BENCHMARK(QtRichTextWholeAt600)->Unit(benchmark::kMillisecond);

// The same document on a 608 × 800 label: a caption change and its repaint.
void QtRichLabel600x800(benchmark::State& state) {
    auto window = shownWindow(700, 900);
    QLabel label(window.get());
    label.setTextFormat(Qt::RichText);
    label.setWordWrap(true);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setFont(benchFont());
    label.setGeometry(0, 0, 608, 800);
    label.show();
    PaintCounter paints(&label);
    const QString html = longHtml();
    // Each change differs from the last (state.iterations() stands still inside the loop).
    bool dotted = false;
    for (auto _ : state) {
        label.setText(dotted ? html + "." : html);
        dotted = !dotted;
        QApplication::processEvents();
    }
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("the label did not repaint after every change");
}
BENCHMARK(QtRichLabel600x800)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace peers

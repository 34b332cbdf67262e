// Our gallery form (examples/forms/gallery.json) built from the same file with Qt's nearest
// widgets, and rendered whole with QWidget::render (bench_gallery). Labels become QLabel (rich
// text for the HTML labels), buttons QPushButton, check boxes QCheckBox, option buttons
// QRadioButton, frames QGroupBox, and the choice groups framed rows of the same widgets.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTreeWidget>

#include "common.h"
#include "figures.h"

namespace peers {

namespace {

int pixels(const QJsonValue& twips) {
    return qRound(twips.toDouble() / 15.0);
}

QFont fontOf(const QJsonObject& properties) {
    const QJsonObject f =
        properties[QStringLiteral("Font")].toObject()[QStringLiteral("Font")].toObject();
    QFont font = benchFont(f[QStringLiteral("Size")].toDouble(9),
                           f[QStringLiteral("Weight")].toInt(400) >= 700);
    font.setItalic(f[QStringLiteral("Italic")].toBool());
    font.setUnderline(f[QStringLiteral("Underline")].toBool());
    return font;
}

// Our colours are blue-green-red numbers; system colours (high bit set) stay the style's.
bool colourOf(const QJsonValue& value, QColor& colour) {
    if (!value.isDouble()) return false;
    const double n = value.toDouble();
    if (n < 0 || n > 0xFFFFFF) return false;
    const int v = static_cast<int>(n);
    colour = QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return true;
}

QPixmap pictureOf(const QJsonObject& properties) {
    QPixmap picture;
    const QString bytes =
        properties[QStringLiteral("PNG")].toObject()[QStringLiteral("Bytes")].toString();
    if (!bytes.isEmpty()) picture.loadFromData(QByteArray::fromBase64(bytes.toLatin1()));
    return picture;
}

}  // namespace

QString richTextOf(const QString& caption) {
    // Colours, sizes and faces become spans; b, i, u, s, sub, sup, br and entities Qt reads as
    // they are.
    static const QRegularExpression tag(
        QStringLiteral("<(/?)(forecolor|backcolor|size|name)(?:=([^>]*))?>"),
        QRegularExpression::CaseInsensitiveOption);
    QString html;
    int from = 0;
    auto it = tag.globalMatch(caption);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        html += caption.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        if (!m.captured(1).isEmpty()) {
            html += QStringLiteral("</span>");
            continue;
        }
        const QString name = m.captured(2).toLower();
        const QString value = m.captured(3);
        QString style;
        if (name == QLatin1String("forecolor") || name == QLatin1String("backcolor")) {
            const QString rgb = value.mid(4, 2) + value.mid(2, 2) + value.mid(0, 2);
            style = (name == QLatin1String("forecolor") ? QStringLiteral("color:#")
                                                        : QStringLiteral("background-color:#")) +
                    rgb;
        } else if (name == QLatin1String("size")) {
            style = QStringLiteral("font-size:%1pt").arg(value);
        } else {
            style = QStringLiteral("font-family:'%1'").arg(value);
        }
        html += QStringLiteral("<span style=\"%1\">").arg(style);
    }
    return html + caption.mid(from);
}

namespace {

Qt::Alignment alignmentOf(int value) {
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (value < 0 || value > 8) value = 0;
    return horizontal[value % 3] | vertical[value / 3];
}

// A label's frame, background and colours from our BorderStyle, Appearance and BackStyle.
void styleLabel(QLabel& label, const QJsonObject& p, int defaultBorder) {
    if (p[QStringLiteral("BorderStyle")].toInt(defaultBorder) != 0) {
        const bool sunken = p[QStringLiteral("Appearance")].toInt() == 1;
        label.setFrameShape(sunken ? QFrame::Panel : QFrame::Box);
        label.setFrameShadow(sunken ? QFrame::Sunken : QFrame::Plain);
    }
    QPalette palette = label.palette();
    QColor colour;
    if (p[QStringLiteral("BackStyle")].toInt() == 1) {
        label.setAutoFillBackground(true);
        if (colourOf(p[QStringLiteral("BackColor")], colour))
            palette.setColor(QPalette::Window, colour);
    }
    if (colourOf(p[QStringLiteral("ForeColor")], colour))
        palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
    label.setMargin(2);
}

// The items of a choice group: `Caption` split at '|', in columns of `RowsPerColumn`.
template <class Item>
void addChoiceItems(QWidget& group, const QJsonObject& p) {
    QStringList captions = p[QStringLiteral("Caption")].toString().split(QLatin1Char('|'));
    if (p[QStringLiteral("Sorted")].toBool()) captions.sort();
    const QString stateList = p[QStringLiteral("States")].toString();
    const QStringList states =
        stateList.isEmpty() ? QStringList() : stateList.split(QLatin1Char('|'));
    const int rows = qMax(1, p[QStringLiteral("RowsPerColumn")].toInt(1));
    const bool buttons = p[QStringLiteral("Button")].toBool();
    const int selected = p[QStringLiteral("SelIndex")].toInt(-1);
    const QFont font = fontOf(p);
    for (int i = 0; i < captions.size(); ++i) {
        QAbstractButton* item = nullptr;
        if (buttons) {
            item = new QPushButton(captions[i], &group);
            item->setCheckable(true);
            item->setGeometry(4 + i / rows * 64, 4 + i % rows * 24, 60, 22);
        } else {
            item = new Item(captions[i], &group);
            item->setAutoExclusive(false);
            item->setGeometry(4 + i / rows * 70, 4 + i % rows * 22, 68, 20);
        }
        item->setFont(font);
        item->setChecked(i < states.size() ? states[i] == QLatin1String("True") : i == selected);
    }
}

// Adds the form file's controls to `form`; one whose Container names a frame goes in that frame.
int addControls(QWidget& form, const QJsonArray& controls, const QString& defaultButton) {
    int count = 0;
    QHash<QString, QWidget*> frames;
    for (const QJsonValue& entry : controls) {
        const QJsonObject c = entry.toObject();
        QWidget& parent = *frames.value(c[QStringLiteral("Container")].toString(), &form);
        const QString cls = c[QStringLiteral("Class")].toString();
        const QJsonObject p = c[QStringLiteral("Properties")].toObject();
        const QString caption = p[QStringLiteral("Caption")].toString();
        const QPixmap picture = pictureOf(p);
        QWidget* w = nullptr;
        if (cls == QLatin1String("ucLabelHTML")) {
            auto* label = new QLabel(richTextOf(caption), &parent);
            label->setTextFormat(Qt::RichText);
            label->setWordWrap(p[QStringLiteral("WordWrap")].toBool());
            label->setAlignment(alignmentOf(p[QStringLiteral("CaptionAlignment")].toInt()));
            styleLabel(*label, p, 0);
            QFont font = fontOf(p);
            font.setLetterSpacing(QFont::AbsoluteSpacing,
                                  p[QStringLiteral("CharacterSpacing")].toDouble());
            label->setFont(font);
            w = label;
        } else if (cls == QLatin1String("ucLabel")) {
            auto* label = new QLabel(caption, &parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(p[QStringLiteral("WordWrap")].toBool());
            label->setAlignment(
                (p[QStringLiteral("Alignment")].toInt() == 1 ? Qt::AlignRight : Qt::AlignLeft) |
                Qt::AlignVCenter);
            styleLabel(*label, p, 1);
            QFont font = fontOf(p);
            if (p[QStringLiteral("HyperLink")].toBool()) font.setUnderline(true);
            label->setFont(font);
            if (!picture.isNull()) {
                // The image left of the caption, as a label of its own inside this one.
                label->setIndent(22);
                auto* image = new QLabel(label);
                image->setPixmap(picture);
                image->setGeometry(3, (pixels(c[QStringLiteral("Height")]) - 16) / 2, 16, 16);
            }
            w = label;
        } else if (cls == QLatin1String("ucButton")) {
            auto* button = new QPushButton(caption, &parent);
            if (!picture.isNull()) button->setIcon(QIcon(picture));
            button->setDefault(c[QStringLiteral("Name")].toString() == defaultButton);
            w = button;
        } else if (cls == QLatin1String("ucCheck") || cls == QLatin1String("ucOption")) {
            QAbstractButton* button = nullptr;
            if (p[QStringLiteral("Style")].toInt() == 1) {
                button = new QPushButton(caption, &parent);
                button->setCheckable(true);
            } else if (cls == QLatin1String("ucCheck")) {
                auto* check = new QCheckBox(caption, &parent);
                if (p[QStringLiteral("Value")].toInt() == 2) {
                    check->setTristate(true);
                    check->setCheckState(Qt::PartiallyChecked);
                }
                button = check;
            } else {
                button = new QRadioButton(caption, &parent);
            }
            const QJsonValue value = p[QStringLiteral("Value")];
            if (value.toBool() || value.toInt() == 1) button->setChecked(true);
            if (!picture.isNull()) button->setIcon(QIcon(picture));
            w = button;
        } else if (cls == QLatin1String("ucFrame")) {
            auto* frame = new QGroupBox(caption, &parent);
            frames.insert(c[QStringLiteral("Name")].toString(), frame);
            w = frame;
        } else if (cls == QLatin1String("ucOptionGroup") || cls == QLatin1String("ucCheckGroup") ||
                   cls == QLatin1String("ucButtonGroup")) {
            auto* group = new QFrame(&parent);
            if (p[QStringLiteral("BorderStyle")].toInt(1) != 0) group->setFrameShape(QFrame::Box);
            if (cls == QLatin1String("ucCheckGroup"))
                addChoiceItems<QCheckBox>(*group, p);
            else
                addChoiceItems<QRadioButton>(*group, p);
            w = group;
        } else if (cls == QLatin1String("ucProgressBar")) {
            auto* bar = new QProgressBar(&parent);
            bar->setValue(p[QStringLiteral("Value")].toInt());
            bar->setTextVisible(!p[QStringLiteral("Text")].toString().isEmpty());
            w = bar;
        } else if (cls == QLatin1String("ucUpDown")) {
            w = new QSpinBox(&parent);
        } else if (cls == QLatin1String("ucImage") || cls == QLatin1String("ucPicture")) {
            auto* image = new QLabel(&parent);
            if (!picture.isNull()) image->setPixmap(picture);
            w = image;
        } else if (cls == QLatin1String("ucShape")) {
            // The nearest plain widget: a filled box.
            auto* shape = new QFrame(&parent);
            shape->setFrameShape(QFrame::Box);
            shape->setAutoFillBackground(true);
            w = shape;
        } else if (cls == QLatin1String("ucText")) {
            const QString text = p[QStringLiteral("Text")].toString();
            if (p[QStringLiteral("Multiline")].toBool())
                w = new QPlainTextEdit(text, &parent);
            else
                w = new QLineEdit(text, &parent);
        } else if (cls == QLatin1String("ucTextGroup")) {
            auto* group = new QFrame(&parent);
            group->setFrameShape(QFrame::Box);
            const QStringList items = caption.split(QLatin1Char('|'));
            for (int i = 0; i < items.size(); ++i) {
                auto* edit = new QLineEdit(items[i], group);
                edit->setGeometry(4 + i / 3 * 70, 4 + i % 3 * 22, 66, 20);
            }
            w = group;
        } else if (cls == QLatin1String("ucListView")) {
            auto* list = new QTreeWidget(&parent);
            list->setRootIsDecorated(false);
            w = list;
        } else if (cls == QLatin1String("ucTreeView")) {
            w = new QTreeWidget(&parent);
        } else if (cls == QLatin1String("ucMenu") || cls == QLatin1String("ucImageList")) {
            continue;  // nothing of their own on the form: the menu is built by the program
        } else {
            qFatal("the gallery has a control of a class the Qt peer does not know: %s",
                   qPrintable(cls));
        }
        w->setObjectName(c[QStringLiteral("Name")].toString());
        if (cls != QLatin1String("ucLabelHTML") && cls != QLatin1String("ucLabel"))
            w->setFont(fontOf(p));
        w->setEnabled(p[QStringLiteral("Enabled")].toBool(true));
        w->setGeometry(pixels(c[QStringLiteral("Left")]), pixels(c[QStringLiteral("Top")]),
                       pixels(c[QStringLiteral("Width")]), pixels(c[QStringLiteral("Height")]));
        if (p[QStringLiteral("AutoSize")].toBool() || p[QStringLiteral("Autosize")].toBool()) {
            if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap())
                label->resize(label->width(), label->heightForWidth(label->width()));
            else
                w->adjustSize();
        }
        w->show();
        ++count;
    }
    return count;
}

}  // namespace

std::unique_ptr<QWidget> galleryForm(int* controls) {
    QFile file(QStringLiteral(ORVANE_GALLERY_FORM));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", ORVANE_GALLERY_FORM);
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject form = root[QStringLiteral("Form")].toObject();
    auto window =
        shownWindow(pixels(form[QStringLiteral("Width")]), pixels(form[QStringLiteral("Height")]));
    const int count = addControls(*window, root[QStringLiteral("Controls")].toArray(),
                                  form[QStringLiteral("Default")].toString());
    if (controls) *controls = count;
    QApplication::processEvents();
    return window;
}

namespace {

void QtGalleryRender(benchmark::State& state) {
    int controls = 0;
    auto form = galleryForm(&controls);
    QImage image(form->size(), QImage::Format_ARGB32_Premultiplied);
    PaintCounter paints(form->findChild<QWidget*>(QStringLiteral("btnStandard")));
    for (auto _ : state) {
        form->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["controls"] = controls;
    if (paints.count < static_cast<int>(state.iterations()))
        state.SkipWithError("a control was not drawn");
}
BENCHMARK(QtGalleryRender)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace peers

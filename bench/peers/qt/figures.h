// The inputs and widgets of the Qt figures, shared by the benchmarks and by --shots, which
// writes what they draw as pictures to compare with ours.
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

class QListView;
class QPlainTextEdit;
class QTextDocument;
class QTreeWidget;
class QTreeWidgetItem;

namespace peers {

// bench_text's words, repeated to exactly 10,000 characters.
extern const QString kLatinWords;
extern const QString kArabicWords;
extern const QString kChineseWords;
QString paragraph(const QString& words);
// The paragraph of `words` drawn wrapped into 600 pixels on a white 600 × 4000 image.
QImage paragraphImage(const QString& words);

// bench_labelhtml's 30,000-character caption in HTML, and a document set up as ours is.
QString longHtml();
void setUpDocument(QTextDocument& document);

// Our label markup as Qt rich text.
QString richTextOf(const QString& caption);

// A shown 1280 × 800 window of 100 buttons (bench_button).
std::unique_ptr<QWidget> buttonForm();
// A shown 1890 × 1000 window of 1,000 radio buttons "Item N" in one button group, in a grid
// of 40 rows by 25 columns (bench_choice_groups).
std::unique_ptr<QWidget> choiceGroupForm();
// The gallery form built from its form file and shown; `controls` gets its number of controls.
std::unique_ptr<QWidget> galleryForm(int* controls = nullptr);

// `rows` rows of "Row N", made when asked for.
class RowsModel : public QAbstractListModel {
public:
    explicit RowsModel(int rows);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int m_rows;
};

// A 400 × 600 list view of `model`, with uniform item sizes, shown in `window`.
QListView* addListView(QWidget& window, QAbstractItemModel& model);
// 1,000 nodes of 99 children each.
QList<QTreeWidgetItem*> treeNodes();
// An empty 400 × 600 tree shown in `window`.
QTreeWidget* addTreeWidget(QWidget& window);
// 1,000,000 characters of numbered lines.
QString megabyteOfText();
// An empty 800 × 600 plain text box shown in `window`.
QPlainTextEdit* addTextEdit(QWidget& window);

}  // namespace peers

// List boxes and the list functions of platform/ui.h that only they have.
#include "platform/ui_liste.h"

#include "platform/ui_runtime.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

namespace vkrui {
namespace {

constexpr int kValueRole = Qt::UserRole;

// Qt tells screen readers that the current row has the focus whenever the row changes, also
// while the list has not: a row the program selects (the panel's own port, when it opens) would
// talk over the control that has the focus. The current row is told when the list takes the
// focus instead, so that Tab into the list says which device is selected.
class ListBoxTree : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        if (hasFocus())
            QTreeWidget::currentChanged(current, previous);
        else
            QAbstractItemView::currentChanged(current, previous);
    }
    // After the list's own focus event, which Qt sends once this handler is done.
    void focusInEvent(QFocusEvent* event) override {
        QTreeWidget::focusInEvent(event);
        QTimer::singleShot(0, this, [this] {
            if (hasFocus() && currentIndex().isValid())
                QTreeWidget::currentChanged(currentIndex(), currentIndex());
        });
    }
};

QTreeWidget* TreeOf(const ControlRec& rec) {
    return static_cast<QTreeWidget*>(rec.widget);
}

// Every column but the last fits its texts; the last takes the rest of the width. A text cut
// short shows whole in its tooltip.
void FillItem(QTreeWidgetItem* item, const QString& label, int value) {
    const QStringList texts = label.split(QLatin1Char('\t'));
    for (int column = 0; column < item->columnCount() || column < texts.size(); ++column) {
        const QString text = texts.value(column);
        item->setText(column, text);
        item->setToolTip(column, text);
    }
    item->setData(0, kValueRole, value);
}

void FitColumns(QTreeWidget* tree) {
    for (int column = 0; column + 1 < tree->columnCount(); ++column)
        tree->resizeColumnToContents(column);
}

} // namespace

QWidget* MakeListBox(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* tree = new ListBoxTree(canvas);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setAllColumnsShowFocus(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setTabKeyNavigation(false); // Tab leaves the list; the arrow keys move between rows
    QStringList titles;
    for (const char* title : def.columnTitles)
        titles << Utf8(title);
    tree->setColumnCount(std::max<int>(1, static_cast<int>(titles.size())));
    tree->setHeaderLabels(titles);
    tree->setHeaderHidden(titles.isEmpty());
    tree->header()->setStretchLastSection(true);
    tree->header()->setSectionsMovable(false);
    // Rows the program puts in arrive with signals blocked; only the user's choice commits.
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [panel, id](QTreeWidgetItem* current) {
        if (current) DeliverControlEvent(panel, id, EVENT_COMMIT);
    });
    return tree;
}

int ListCount(const ControlRec& rec) {
    return TreeOf(rec)->topLevelItemCount();
}

QString ListLabel(const ControlRec& rec, int index) {
    const QTreeWidgetItem* item = TreeOf(rec)->topLevelItem(index);
    QStringList texts;
    for (int column = 0; column < item->columnCount(); ++column)
        texts << item->text(column);
    return texts.join(QLatin1Char('\t'));
}

int ListValue(const ControlRec& rec, int index) {
    return TreeOf(rec)->topLevelItem(index)->data(0, kValueRole).toInt();
}

int ListCurrentIndex(const ControlRec& rec) {
    QTreeWidget* tree = TreeOf(rec);
    QTreeWidgetItem* current = tree->currentItem();
    return current && current->isSelected() ? tree->indexOfTopLevelItem(current) : -1;
}

int ListSelectValue(ControlRec& rec, int value) {
    QTreeWidget* tree = TreeOf(rec);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->data(0, kValueRole).toInt() != value) continue;
        const QSignalBlocker quiet(tree);
        tree->setCurrentItem(tree->topLevelItem(i));
        return UIE_OK;
    }
    return UIE_ITEM_NOT_FOUND;
}

void ListReplace(ControlRec& rec, int index, const QString& label, int value) {
    QTreeWidget* tree = TreeOf(rec);
    const QSignalBlocker quiet(tree);
    FillItem(tree->topLevelItem(index), label, value);
    FitColumns(tree);
}

void ListInsert(ControlRec& rec, int index, const QString& label, int value) {
    QTreeWidget* tree = TreeOf(rec);
    const QSignalBlocker quiet(tree);
    auto* item = new QTreeWidgetItem;
    FillItem(item, label, value);
    tree->insertTopLevelItem(index < 0 ? tree->topLevelItemCount() : index, item);
    FitColumns(tree);
}

void ListClear(ControlRec& rec) {
    QTreeWidget* tree = TreeOf(rec);
    const QSignalBlocker quiet(tree);
    tree->clear();
}

} // namespace vkrui

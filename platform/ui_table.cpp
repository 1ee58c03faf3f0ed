// Table controls and the table functions of platform/ui.h.
#include "platform/ui_table.h"

#include "platform/ui_runtime.h"
#include "platform/ui_widgets.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <cmath>

namespace vkrui {
namespace {

// Cells show the definition's decimals; with none given the shortest exact form is shown.
// The cell holds the value as set; a user entry is rounded to what the editor shows.
class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(const ControlDefinition& def, QObject* parent) : QStyledItemDelegate(parent), def_(def) {}

    QString displayText(const QVariant& value, const QLocale&) const override {
        const double v = value.toDouble();
        return def_.decimals > 0 ? QString::number(v, 'f', def_.decimals) : QString::number(v, 'g', 12);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* box = new NumericBox(parent);
        box->setFrame(false);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setDecimals(def_.decimals > 0 ? def_.decimals : 6);
        box->setRange(FiniteLimit(def_.minimum), FiniteLimit(def_.maximum));
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<NumericBox*>(editor)->setValue(index.data(Qt::EditRole).toDouble());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* box = static_cast<NumericBox*>(editor);
        box->interpretText();
        model->setData(index, box->value(), Qt::EditRole);
    }

  private:
    const ControlDefinition& def_;
};

QTableWidget* TableOf(int panel, int control, int* error) {
    ControlRec* rec = FindControl(panel, control, error);
    if (!rec) return nullptr;
    auto* table = qobject_cast<QTableWidget*>(rec->widget);
    if (!table) *error = UIE_BAD_VALUE_TYPE;
    return table;
}

QTableWidgetItem* CellOf(QTableWidget* table, Point cell, int* error) {
    if (cell.x < 1 || cell.y < 1 || cell.x > table->columnCount() || cell.y > table->rowCount()) {
        *error = UIE_BAD_INDEX;
        return nullptr;
    }
    return table->item(cell.y - 1, cell.x - 1);
}

} // namespace

QWidget* MakeTable(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* table = new QTableWidget(std::max(def.rows, 0), std::max(def.columns, 0), canvas);
    table->setItemDelegate(new CellDelegate(def, table));
    // Tab leaves the table for the next control; the arrow keys move between the cells.
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int column = 0; column < table->columnCount(); ++column) {
        const char* title =
            column < static_cast<int>(def.columnTitles.size()) ? def.columnTitles[column] : "";
        table->setHorizontalHeaderItem(column, new QTableWidgetItem(Utf8(title)));
    }
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setData(Qt::EditRole, def.defaultValue);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (def.readOnly) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, column, item);
        }
    QObject::connect(table, &QTableWidget::itemChanged, table, [panel, id](QTableWidgetItem* item) {
        DeliverControlEvent(panel, id, EVENT_COMMIT, item->row() + 1, item->column() + 1);
    });
    return table;
}

} // namespace vkrui

using namespace vkrui;

Point MakePoint(int x, int y) {
    return Point{x, y};
}

int SetTableCellVal(int panel, int control, Point cell, double value) {
    int error = UIE_OK;
    QTableWidget* table = TableOf(panel, control, &error);
    QTableWidgetItem* item = table ? CellOf(table, cell, &error) : nullptr;
    if (!item) return error;
    const QSignalBlocker quiet(table);
    item->setData(Qt::EditRole, value);
    return UIE_OK;
}

int GetTableCellVal(int panel, int control, Point cell, double* value) {
    int error = UIE_OK;
    QTableWidget* table = TableOf(panel, control, &error);
    QTableWidgetItem* item = table ? CellOf(table, cell, &error) : nullptr;
    if (!item) return error;
    if (!value) return UIE_BAD_VALUE_TYPE;
    *value = item->data(Qt::EditRole).toDouble();
    return UIE_OK;
}

static QTableWidgetItem* HeaderOf(int panel, int control, int column, int attribute, int* error) {
    QTableWidget* table = TableOf(panel, control, error);
    if (!table) return nullptr;
    if (attribute != ATTR_LABEL_TEXT) {
        *error = UIE_BAD_ATTRIBUTE;
        return nullptr;
    }
    if (column < 1 || column > table->columnCount()) {
        *error = UIE_BAD_INDEX;
        return nullptr;
    }
    return table->horizontalHeaderItem(column - 1);
}

// List boxes have column titles too.
static int SetListColumnTitle(QTreeWidget* list, int column, int attribute, const char* value) {
    if (attribute != ATTR_LABEL_TEXT) return UIE_BAD_ATTRIBUTE;
    if (column < 1 || column > list->columnCount()) return UIE_BAD_INDEX;
    list->headerItem()->setText(column - 1, Utf8(value));
    return UIE_OK;
}

int SetTableColumnAttribute(int panel, int control, int column, int attribute, const char* value) {
    int error = UIE_OK;
    if (ControlRec* rec = FindControl(panel, control, &error))
        if (auto* list = qobject_cast<QTreeWidget*>(rec->widget))
            return SetListColumnTitle(list, column, attribute, value);
    QTableWidgetItem* header = HeaderOf(panel, control, column, attribute, &error);
    if (!header) return error;
    const QSignalBlocker quiet(header->tableWidget());
    header->setText(Utf8(value));
    return UIE_OK;
}

int GetTableColumnAttribute(int panel, int control, int column, int attribute, std::string* value) {
    int error = UIE_OK;
    if (ControlRec* rec = FindControl(panel, control, &error))
        if (auto* list = qobject_cast<QTreeWidget*>(rec->widget)) {
            if (attribute != ATTR_LABEL_TEXT) return UIE_BAD_ATTRIBUTE;
            if (column < 1 || column > list->columnCount()) return UIE_BAD_INDEX;
            if (!value) return UIE_BAD_VALUE_TYPE;
            *value = list->headerItem()->text(column - 1).toStdString();
            return UIE_OK;
        }
    QTableWidgetItem* header = HeaderOf(panel, control, column, attribute, &error);
    if (!header) return error;
    if (!value) return UIE_BAD_VALUE_TYPE;
    *value = header->text().toStdString();
    return UIE_OK;
}

// The Qt item model over a sheet: roles from cells, edits to the sheet's entry points.
#include "platform/view/sheet_table_model.h"

#include "platform/sheet.h"
#include "platform/view/cell_style_qt.h"

#include <algorithm>

namespace vemo {

namespace {

// The grid shows some empty rows and columns past the page, as spreadsheets do.
constexpr int kSpareRows = 20;
constexpr int kSpareColumns = 5;
constexpr int kMinRows = 50;
constexpr int kMinColumns = 26;

int shown_rows(const Sheet& sheet) { return std::max(sheet.used_rows() + kSpareRows, kMinRows); }
int shown_columns(const Sheet& sheet) {
  return std::max(sheet.used_columns() + kSpareColumns, kMinColumns);
}

}  // namespace

SheetTableModel::SheetTableModel(Sheet& sheet, QObject* parent)
    : QAbstractTableModel(parent),
      sheet_(sheet),
      rows_(shown_rows(sheet)),
      columns_(shown_columns(sheet)) {
  sheet_.view_hooks().cells_changed = [this](const CellArea& area) { cells_changed(area); };
  sheet_.view_hooks().layout_changed = [this] { layout_changed(); };
}

SheetTableModel::~SheetTableModel() {
  sheet_.view_hooks().cells_changed = nullptr;
  sheet_.view_hooks().layout_changed = nullptr;
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const CellPos pos = pos_of(index);
  switch (role) {
    case Qt::DisplayRole:
      return sheet_.display_text(pos);
    case Qt::EditRole:
      return sheet_.formula(pos);
    case Qt::FontRole:
      return qt_font(sheet_.format(pos).font);
    case Qt::ForegroundRole:
      return qt_color(sheet_.format(pos).font.color);
    case Qt::BackgroundRole: {
      const QColor color = qt_color(sheet_.format(pos).background);
      return color.isValid() ? QVariant(color) : QVariant();
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(qt_alignment(sheet_.format(pos), sheet_.value(pos)));
    default:
      return {};
  }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return column_name(section + 1);
  return section + 1;
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (sheet_.user_can_edit(pos_of(index))) result |= Qt::ItemIsEditable;
  return result;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  return sheet_.user_edit(pos_of(index), value.toString());
}

void SheetTableModel::cells_changed(const CellArea& area) {
  if (area.bottom > rows_ || area.right > columns_) {
    layout_changed();
    return;
  }
  emit dataChanged(index(area.top - 1, area.left - 1), index(area.bottom - 1, area.right - 1));
}

void SheetTableModel::layout_changed() {
  beginResetModel();
  rows_ = shown_rows(sheet_);
  columns_ = shown_columns(sheet_);
  endResetModel();
  emit sheetLayoutChanged();
}

}  // namespace vemo

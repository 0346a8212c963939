// The page grid over a sheet; every user action goes to the sheet's entry points.
#include "platform/view/grid_view.h"

#include "platform/sheet.h"
#include "platform/view/cell_delegate.h"
#include "platform/view/sheet_table_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace vemo {

GridView::GridView(Sheet& sheet, QWidget* parent)
    : QTableView(parent), sheet_(sheet), model_(new SheetTableModel(sheet, this)) {
  setModel(model_);
  auto* delegate = new CellDelegate(sheet, this);
  setItemDelegate(delegate);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed);
  // Pixel scrolling, so the scroll position the sheet is told is in pixels.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);

  connect(delegate, &CellDelegate::enterPressed, this, [this] {
    keep_focus();
    sheet_.user_key(kKeyEnter);
    keep_focus();
  });
  connect(delegate, &CellDelegate::altPressed, this, [this] { sheet_.user_key(kKeyAlt); });
  connect(model_, &SheetTableModel::sheetLayoutChanged, this, &GridView::apply_layout);
  connect(this, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { sheet_.user_click(SheetTableModel::pos_of(index)); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridView::scrolled);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridView::scrolled);
  connect(qApp, &QApplication::focusChanged, this, &GridView::focus_changed);
  sheet_.view_hooks().selection_moved = [this](const CellArea& area) {
    show_sheet_selection(area);
  };
  apply_layout();
}

GridView::~GridView() {
  // Focus moves while the widget is torn down; it is no user action to report by then.
  disconnect(qApp, &QApplication::focusChanged, this, &GridView::focus_changed);
  sheet_.view_hooks().selection_moved = nullptr;
}

void GridView::apply_layout() {
  clearSpans();
  for (const CellArea& area : sheet_.merged_areas()) {
    if (area.bottom <= model_->rowCount() && area.right <= model_->columnCount()) {
      setSpan(area.top - 1, area.left - 1, area.rows(), area.columns());
    }
  }
  for (int c = 0; c < model_->columnCount(); ++c) setColumnWidth(c, sheet_.column_width(c + 1));
  for (int r = 0; r < model_->rowCount(); ++r) setRowHeight(r, sheet_.row_height(r + 1));
  show_sheet_selection(sheet_.selection().area());
}

// The program moved the cursor: show it without reporting it back as the user's selection.
void GridView::show_sheet_selection(const CellArea& area) {
  if (area.bottom > model_->rowCount() || area.right > model_->columnCount()) return;
  showing_sheet_selection_ = true;
  const QModelIndex first = model_->index(area.top - 1, area.left - 1);
  selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(first, model_->index(area.bottom - 1, area.right - 1)),
                           QItemSelectionModel::ClearAndSelect);
  showing_sheet_selection_ = false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  // Keys reaching the grid itself, not an open editor. Enter never moves the cursor here.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      sheet_.user_key(kKeyEnter);
      return;
    case Qt::Key_Alt:
      sheet_.user_key(kKeyAlt);
      return;
    case Qt::Key_Delete:
      sheet_.user_key(kKeyDelete);
      return;
    default:
      QTableView::keyPressEvent(event);
  }
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) {
    const QPoint pointer = viewport()->mapTo(this, event->position().toPoint());
    sheet_.user_double_click(SheetTableModel::pos_of(index), pointer.x(), pointer.y());
  }
  QTableView::mouseDoubleClickEvent(event);
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  if (showing_sheet_selection_) return;
  const QModelIndexList indexes = selectionModel()->selectedIndexes();
  if (indexes.isEmpty()) return;
  CellArea area = CellArea::of(SheetTableModel::pos_of(indexes.first()));
  for (const QModelIndex& index : indexes) {
    const CellPos p = SheetTableModel::pos_of(index);
    area = {std::min(area.top, p.row), std::min(area.left, p.col), std::max(area.bottom, p.row),
            std::max(area.right, p.col)};
  }
  if (area == sheet_.selection().area()) return;
  sheet_.user_select(area);
}

void GridView::scrolled() {
  sheet_.user_scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void GridView::keep_focus() {
  // Handlers that write beyond the shown cells reset the model, which deletes the open editor
  // and the keyboard focus with it; the clerk goes on typing in the page.
  if (QApplication::focusWidget() == nullptr && isVisible()) setFocus(Qt::OtherFocusReason);
}

bool GridView::contains_widget(const QWidget* widget) const {
  return widget != nullptr && (widget == this || isAncestorOf(widget));
}

// Focus counts for the grid as a whole: moving into its own editor is no loss of focus.
void GridView::focus_changed(QWidget* old, QWidget* now) {
  const bool was_inside = contains_widget(old);
  const bool is_inside = contains_widget(now);
  if (!was_inside && is_inside) sheet_.user_focus_in();
  if (was_inside && !is_inside) sheet_.user_focus_out();
}

}  // namespace vemo

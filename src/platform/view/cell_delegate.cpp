// Paints grid cells with the cell painter and runs in-place editing through the sheet.
#include "platform/view/cell_delegate.h"

#include "platform/sheet.h"
#include "platform/view/sheet_table_model.h"

#include <QKeyEvent>
#include <QPainter>

namespace vemo {

CellDelegate::CellDelegate(Sheet& sheet, QObject* parent)
    : QStyledItemDelegate(parent), sheet_(sheet), painter_(sheet) {}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  painter_.paint_cell(*painter, option.rect, SheetTableModel::pos_of(index));
  if (option.state & QStyle::State_Selected) {
    QColor tint = option.palette.highlight().color();
    tint.setAlpha(40);
    painter->fillRect(option.rect, tint);
  }
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  // The sheet raises the edit start, or refuses a locked cell of a protected page.
  if (!sheet_.user_begin_edit(SheetTableModel::pos_of(index))) return nullptr;
  return QStyledItemDelegate::createEditor(parent, option, index);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Content change first, then the key; the cursor stays where it is (the engine moves it).
      emit commitData(editor);
      // A handler that rebuilt the page has already taken the editor away.
      if (editor->isVisible()) emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      emit enterPressed();
      return true;
    }
    if (key == Qt::Key_Alt) {
      emit altPressed();
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace vemo

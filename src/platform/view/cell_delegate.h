// Paints grid cells with the cell painter and runs in-place editing through the sheet: the
// edit start may be refused, and Enter commits and then reports its key press.
#pragma once

#include "platform/view/cell_painter.h"

#include <QStyledItemDelegate>

namespace vemo {

class Sheet;

class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  CellDelegate(Sheet& sheet, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 signals:
  // Enter ended an edit, after its content change; Alt was pressed in the editor.
  void enterPressed();
  void altPressed();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  Sheet& sheet_;
  CellPainter painter_;
};

}  // namespace vemo

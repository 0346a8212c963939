// The page grid: a table view over a sheet that shows its merged areas, formats and geometry
// and reports the user's actions through the sheet's entry points, which raise its events.
#pragma once

#include "platform/cell_address.h"

#include <QTableView>

namespace vemo {

class Sheet;
class SheetTableModel;

class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(Sheet& sheet, QWidget* parent = nullptr);
  ~GridView() override;

  Sheet& sheet() const { return sheet_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  void apply_layout();
  void show_sheet_selection(const CellArea& area);
  void focus_changed(QWidget* old, QWidget* now);
  void scrolled();
  void keep_focus();
  bool contains_widget(const QWidget* widget) const;

  Sheet& sheet_;
  SheetTableModel* model_;
  bool showing_sheet_selection_ = false;
};

}  // namespace vemo

// The Qt item model over a sheet: translates the sheet's cells into item roles and the
// user's edits into the sheet's entry points. It holds no cell data of its own.
#pragma once

#include "platform/cell_address.h"

#include <QAbstractTableModel>

namespace vemo {

class Sheet;

class SheetTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SheetTableModel(Sheet& sheet, QObject* parent = nullptr);
  ~SheetTableModel() override;

  Sheet& sheet() const { return sheet_; }
  static CellPos pos_of(const QModelIndex& index) { return {index.row() + 1, index.column() + 1}; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A user's finished edit: the sheet stores it and raises the content change.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // Merged areas, widths or heights changed, or the page was cleared or reloaded.
  void sheetLayoutChanged();

 private:
  void cells_changed(const CellArea& area);
  void layout_changed();

  Sheet& sheet_;
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace vemo

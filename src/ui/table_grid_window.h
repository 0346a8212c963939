// user_table: the table grid window over one table (users, confirmations or a page's lists).
#pragma once

#include "app/user_admin.h"
#include "session/session.h"

#include <QPushButton>
#include <QTableView>
#include <QWidget>

namespace vemo {

class RecordsetTableModel;

class TableGridWindow final : public QWidget {
  Q_OBJECT

 public:
  TableGridWindow(Session& session, GridSource source, QWidget* parent = nullptr);
  ~TableGridWindow() override;

  const GridSource& source() const { return source_; }
  QTableView* DataGrid1() const { return grid_; }
  RecordsetTableModel* Adodc1() const { return model_; }

  // Appends an empty record, makes it current and starts editing its first visible cell.
  void add_row();
  // Deletes the records of the selected cells.
  void delete_selected_rows();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void apply_columns();

  Session& session_;
  GridSource source_;
  GridTable table_;
  RecordsetTableModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace vemo

// A table model over a recordset: every edit, new row and deletion goes through the
// recordset to the database at once.
#pragma once

#include "platform/recordset.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <vector>

namespace vemo {

class RecordsetTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RecordsetTableModel(std::unique_ptr<Recordset> recordset, QObject* parent = nullptr);
  ~RecordsetTableModel() override;

  // Header texts by position; columns beyond keep their field names.
  void set_captions(const QStringList& captions);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Writes the field and updates the record; false (the old value stays) when refused.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  // New records are appended (row must be rowCount()), each written at once.
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

 private:
  bool seek(int row);
  QStringList current_texts() const;

  std::unique_ptr<Recordset> recordset_;
  std::vector<QStringList> rows_;  // the texts shown, in the recordset's order
  QStringList captions_;
};

}  // namespace vemo

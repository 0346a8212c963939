// Table model over a recordset.
#include "ui/recordset_table_model.h"

#include "platform/log.h"
#include "platform/number_text.h"

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("grid");

}  // namespace

RecordsetTableModel::RecordsetTableModel(std::unique_ptr<Recordset> recordset, QObject* parent)
    : QAbstractTableModel(parent), recordset_(std::move(recordset)) {
  if (!recordset_) recordset_ = std::make_unique<Recordset>();
  for (recordset_->MoveFirst(); !recordset_->Eof(); recordset_->MoveNext()) {
    rows_.push_back(current_texts());
  }
}

RecordsetTableModel::~RecordsetTableModel() = default;

void RecordsetTableModel::set_captions(const QStringList& captions) {
  captions_ = captions;
  if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int RecordsetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int RecordsetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : recordset_->FieldCount();
}

QVariant RecordsetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return rows_[index.row()].value(index.column());
}

QVariant RecordsetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < captions_.size() ? captions_[section] : recordset_->FieldName(section);
}

Qt::ItemFlags RecordsetTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool RecordsetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount()) return false;
  const QString text = value.toString();
  if (text == rows_[index.row()].value(index.column())) return false;
  if (!seek(index.row())) return false;
  if (!recordset_->SetValue(index.column(), text) || !recordset_->Update()) {
    recordset_->CancelUpdate();  // the refusal is logged by the recordset
    return false;
  }
  // The stored row may differ from the typed text (number text, dates).
  rows_[index.row()] = current_texts();
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return true;
}

bool RecordsetTableModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row != rowCount() || count < 1) return false;
  for (int i = 0; i < count; ++i) {
    if (!recordset_->AddNew() || !recordset_->Update()) {
      recordset_->CancelUpdate();
      return false;
    }
    // The new record is the current one, at the end of the recordset.
    const int at = rowCount();
    beginInsertRows(QModelIndex(), at, at);
    rows_.push_back(current_texts());
    endInsertRows();
  }
  return true;
}

bool RecordsetTableModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  bool all = true;
  for (int r = row + count - 1; r >= row; --r) {
    if (!seek(r) || !recordset_->Delete()) {
      all = false;
      continue;
    }
    beginRemoveRows(QModelIndex(), r, r);
    rows_.erase(rows_.begin() + r);
    endRemoveRows();
  }
  return all;
}

bool RecordsetTableModel::seek(int row) {
  recordset_->MoveFirst();
  for (int i = 0; i < row && !recordset_->Eof(); ++i) recordset_->MoveNext();
  if (recordset_->Eof()) {
    log_skip(kWhere, QStringLiteral("row ") + number_text(row + 1),
             QStringLiteral("the recordset has no such row"));
    return false;
  }
  return true;
}

QStringList RecordsetTableModel::current_texts() const {
  QStringList texts;
  for (int i = 0; i < recordset_->FieldCount(); ++i) texts << recordset_->Text(i);
  return texts;
}

}  // namespace vemo

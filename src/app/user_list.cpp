// User list workbook access.
#include "app/user_list.h"

#include "platform/log.h"

namespace vemo {
namespace {

QString cell(const SheetRows& rows, size_t row, int column) {
  return row < rows.size() && column < rows[row].size() ? rows[row][column] : QString();
}

}  // namespace

bool UserList::load(const QString& path) {
  path_ = path;
  QString error;
  auto rows = read_first_worksheet(path, &error);
  loaded_ = rows.has_value();
  rows_ = loaded_ ? std::move(*rows) : SheetRows();
  if (!loaded_) log_skip(QStringLiteral("userlist"), QStringLiteral("read ") + path, error);
  return loaded_;
}

QStringList UserList::names() const {
  QStringList result;
  for (size_t r = 0; r < rows_.size(); ++r) {
    const QString name = cell(rows_, r, 0);
    if (!name.isEmpty()) result << name;
  }
  return result;
}

QString UserList::first_name() const { return cell(rows_, 0, 0); }

QString UserList::start_station() const { return cell(rows_, 0, 1); }

void UserList::note_typed_name(const QString& text) {
  for (size_t r = 0; r < rows_.size(); ++r) {
    if (cell(rows_, r, 0) == text) return;
  }
  rows_.push_back(QStringList{text});
  save();
}

bool UserList::set_start_station(const QString& station) {
  if (rows_.empty()) rows_.emplace_back();
  while (rows_[0].size() < 2) rows_[0] << QString();
  rows_[0][1] = station;
  return save();
}

bool UserList::save() {
  if (path_.isEmpty()) return false;
  QString error;
  if (write_first_worksheet(path_, rows_, &error)) return true;
  log_skip(QStringLiteral("userlist"), QStringLiteral("save ") + path_, error);
  return false;
}

}  // namespace vemo

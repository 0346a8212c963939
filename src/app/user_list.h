// The user list beside the databases (userlist.xlsx): user names in column A, the
// departure station in B1. Changes are written back at once.
#pragma once

#include "platform/workbook.h"

#include <QString>
#include <QStringList>

namespace vemo {

class UserList {
 public:
  // A missing or unreadable file leaves the list empty; the log-in still works.
  bool load(const QString& path);
  bool loaded() const { return loaded_; }

  // Every non-empty first-column text, in the workbook's order (duplicates kept).
  QStringList names() const;
  QString first_name() const;
  // The departure station (发站): B1.
  QString start_station() const;

  // The user-name box changed: a text not yet in column A is appended and saved.
  void note_typed_name(const QString& text);
  bool set_start_station(const QString& station);

 private:
  bool save();

  QString path_;
  SheetRows rows_;
  bool loaded_ = false;
};

}  // namespace vemo

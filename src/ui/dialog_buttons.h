// The 确定 and 取消 row under a small dialog's fields.
#pragma once

#include <QDialog>
#include <QLayout>
#include <QPushButton>

namespace vemo {

struct OkCancel {
  QPushButton* ok = nullptr;      // cmdOK, the default button
  QPushButton* cancel = nullptr;  // cmdCancel
};

// Lays the fields out above a right-aligned 确定/取消 row.
OkCancel add_ok_cancel(QDialog* dialog, QLayout* fields);

}  // namespace vemo

// Dialog 对话框标题: the departure station (发站设置).
#pragma once

#include "app/user_list.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace vemo {

class StationDialog final : public QDialog {
  Q_OBJECT

 public:
  // Text1 shows B1 of the user list (the designed 成都 when the list could not be read);
  // 确定 hands the typed station to on_ok, which stores it, and closes the dialog.
  StationDialog(const UserList& user_list, std::function<void(const QString&)> on_ok,
                QWidget* parent = nullptr);

  QLineEdit* Text1() const { return text_; }

 private:
  std::function<void(const QString&)> on_ok_;
  QLabel* label_ = nullptr;
  QLineEdit* text_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace vemo

// The departure-station dialog.
#include "ui/station_dialog.h"

#include <QFont>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vemo {

StationDialog::StationDialog(const UserList& user_list, std::function<void(const QString&)> on_ok,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), on_ok_(std::move(on_ok)) {
  setObjectName(QStringLiteral("Dialog"));
  setWindowTitle(QStringLiteral("对话框标题"));

  label_ = new QLabel(QStringLiteral("发站："), this);
  label_->setObjectName(QStringLiteral("Label1"));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("Text1"));
  QFont font(QStringLiteral("宋体"));
  font.setPointSizeF(14.25);
  text_->setFont(font);
  text_->setText(user_list.loaded() ? user_list.start_station() : QStringLiteral("成都"));
  label_->setBuddy(text_);
  ok_ = new QPushButton(QStringLiteral("确定"), this);
  ok_->setObjectName(QStringLiteral("OKButton"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (on_ok_) on_ok_(text_->text());
    accept();
  });

  auto* row = new QHBoxLayout;
  row->addWidget(label_);
  row->addWidget(text_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(ok_, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vemo

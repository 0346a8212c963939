// The 确定 and 取消 row.
#include "ui/dialog_buttons.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vemo {

OkCancel add_ok_cancel(QDialog* dialog, QLayout* fields) {
  OkCancel buttons;
  buttons.ok = new QPushButton(QStringLiteral("确定"), dialog);
  buttons.ok->setObjectName(QStringLiteral("cmdOK"));
  buttons.ok->setDefault(true);
  buttons.cancel = new QPushButton(QStringLiteral("取消"), dialog);
  buttons.cancel->setObjectName(QStringLiteral("cmdCancel"));
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(fields);
  layout->addLayout(row);
  return buttons;
}

}  // namespace vemo

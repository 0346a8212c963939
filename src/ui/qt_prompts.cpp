// Message boxes on screen.
#include "ui/qt_prompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace vemo {
namespace {

QMessageBox::Icon box_icon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Exclamation:
      return QMessageBox::Warning;
    case PromptIcon::Critical:
      return QMessageBox::Critical;
    case PromptIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

PromptAnswer QtPrompts::ask(const Prompt& prompt) {
  QMessageBox box(box_icon(prompt.icon),
                  prompt.title.isEmpty() ? QStringLiteral("Vemo") : prompt.title, prompt.text,
                  QMessageBox::NoButton, parent_);
  if (prompt.buttons == PromptButtons::YesNo) {
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QAbstractButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setEscapeButton(no);
    // Enter answers Yes.
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() && box.buttonRole(box.clickedButton()) == QMessageBox::YesRole
               ? PromptAnswer::Yes
               : PromptAnswer::No;
  }
  box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.exec();
  return PromptAnswer::Ok;
}

}  // namespace vemo

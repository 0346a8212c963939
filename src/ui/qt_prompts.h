// Message boxes on screen for the engine's prompts.
#pragma once

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace vemo {

class QtPrompts final : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void set_parent(QWidget* parent) { parent_ = parent; }
  PromptAnswer ask(const Prompt& prompt) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace vemo

// Message boxes as the engine sees them: a text, a title, buttons and an answer. The
// desktop app shows real boxes; tests and vemo-cli answer from a script or an option.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace vemo {

enum class PromptButtons { Ok, YesNo };
enum class PromptIcon { None, Information, Question, Exclamation, Critical };
enum class PromptAnswer { Ok, Yes, No };

struct Prompt {
  QString text;
  QString title;
  PromptButtons buttons = PromptButtons::Ok;
  PromptIcon icon = PromptIcon::None;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual PromptAnswer ask(const Prompt& prompt) = 0;

  void tell(const QString& text, const QString& title = QString(),
            PromptIcon icon = PromptIcon::None);
  // True only on Yes.
  bool confirm(const QString& text, const QString& title = QString(),
               PromptIcon icon = PromptIcon::Question);
};

// Answers from a list given in advance (No once it runs out) and records every prompt.
class ScriptedPrompts final : public Prompts {
 public:
  explicit ScriptedPrompts(std::deque<PromptAnswer> answers = {});
  PromptAnswer ask(const Prompt& prompt) override;

  void push(PromptAnswer answer) { answers_.push_back(answer); }
  const std::vector<Prompt>& shown() const { return shown_; }
  QStringList texts() const;
  void clear_shown() { shown_.clear(); }

 private:
  std::deque<PromptAnswer> answers_;
  std::vector<Prompt> shown_;
};

// Headless runs: every question gets one fixed answer; texts go to a sink (stderr).
class FixedAnswerPrompts final : public Prompts {
 public:
  explicit FixedAnswerPrompts(PromptAnswer answer, bool echo = true);
  PromptAnswer ask(const Prompt& prompt) override;

 private:
  PromptAnswer answer_;
  bool echo_;
};

}  // namespace vemo

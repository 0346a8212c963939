// Prompt helpers and the headless answerers.
#include "platform/prompts.h"

#include "platform/log.h"

#include <cstdio>

namespace vemo {

void Prompts::tell(const QString& text, const QString& title, PromptIcon icon) {
  ask({text, title, PromptButtons::Ok, icon});
}

bool Prompts::confirm(const QString& text, const QString& title, PromptIcon icon) {
  return ask({text, title, PromptButtons::YesNo, icon}) == PromptAnswer::Yes;
}

ScriptedPrompts::ScriptedPrompts(std::deque<PromptAnswer> answers) : answers_(std::move(answers)) {}

PromptAnswer ScriptedPrompts::ask(const Prompt& prompt) {
  shown_.push_back(prompt);
  if (prompt.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
  if (answers_.empty()) return PromptAnswer::No;
  const PromptAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

QStringList ScriptedPrompts::texts() const {
  QStringList result;
  for (const Prompt& p : shown_) result << p.text;
  return result;
}

FixedAnswerPrompts::FixedAnswerPrompts(PromptAnswer answer, bool echo)
    : answer_(answer), echo_(echo) {}

PromptAnswer FixedAnswerPrompts::ask(const Prompt& prompt) {
  log_debug(QStringLiteral("prompt"), prompt.title + QStringLiteral(": ") + prompt.text);
  if (echo_) std::fprintf(stderr, "%s\n", prompt.text.trimmed().toUtf8().constData());
  if (prompt.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
  return answer_;
}

}  // namespace vemo

// vemo-cli confirm: the final confirmation of a waybill number.
#include "cli/commands.h"
#include "cli/station_login.h"
#include "users/confirmation.h"

namespace vemo::cli {
namespace {

// Message boxes on standard output; questions take the answer --yes gave.
class ConsolePrompts final : public Prompts {
 public:
  explicit ConsolePrompts(QTextStream& out) : out_(out) {}
  PromptAnswer ask(const Prompt& prompt) override {
    out_ << prompt.text << '\n';
    out_.flush();
    return prompt.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
  }

 private:
  QTextStream& out_;
};

}  // namespace

int run_confirm(const Options& options, Io& io) {
  const QString number = options.positional.value(1).trimmed();
  if (number.isEmpty()) {
    io.err << kWaybillNumberEmpty << '\n';
    return 1;
  }
  if (!options.has(QStringLiteral("yes"))) {
    io.err << QStringLiteral("最后确认后普通用户不能再修改该运单；确认请加 --yes。") << '\n';
    return 1;
  }
  Session session;
  if (!log_in_station(session, options.positional.value(0), options, io)) return 1;
  session.prompts = std::make_shared<ConsolePrompts>(io.out);
  switch (confirm_waybill(session, session.main_conn, number)) {
    case ConfirmOutcome::Confirmed:
      return 0;
    case ConfirmOutcome::AlreadyRegistered:
      io.out << QStringLiteral("运输托号 ") << number << QStringLiteral(" 已有确认记录") << '\n';
      return 0;
    default:
      return 1;
  }
}

}  // namespace vemo::cli

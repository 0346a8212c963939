// Log-in logic.
#include "app/login.h"

#include "data/compaction.h"
#include "data/connections.h"
#include "data/scramble.h"
#include "platform/log.h"
#include "platform/sql_text.h"

namespace vemo {
namespace {

const QString kExit = QStringLiteral("exit");

struct RoleRights {
  const char* role;
  const char* right;
  bool developer;
  QStringList enabled;
  QStringList disabled;
};

const RoleRights* rights_for(const QString& role) {
  static const RoleRights table[] = {
      {"TQ", "W", true, {"user_gl", "qr_mxb"}, {}},
      {"ADMIN", "W", false, {"user_gl", "qr_mxb"}, {}},
      {"W", "W", false, {}, {"user_gl", "qr_mxb"}},
      {"R", "R", false, {}, {"user_gl", "preprint", "pj_print", "qr_mxb", "queren"}},
  };
  for (const auto& entry : table) {
    if (role.toUpper() == QLatin1String(entry.role)) return &entry;
  }
  return nullptr;
}

}  // namespace

QString lookup_user_right(Session& session, const QString& user, const QString& password) {
  session.main_conn = open_connection(session, session.main_db_path);
  const QString sql = QStringLiteral("select * from ws_gxq where username=") + sql_quote(user) +
                      QStringLiteral(" and mm=") + sql_quote(password);
  auto rs = open_query(session, session.main_conn, sql);
  if (!rs->IsOpen() || rs->Eof()) return kExit;

  const QString result = rs->Text(QStringLiteral("userright"));
  const QVariant b1 = rs->Value(QStringLiteral("fw_b1"));
  const QVariant b2 = rs->Value(QStringLiteral("fw_b2"));
  const QVariant b3 = rs->Value(QStringLiteral("fw_b3"));
  // A null fw_b1 keeps the earlier scope; a null fw_b2 or fw_b3 leaves fw_b1 alone.
  if (!b1.isNull()) {
    session.user_scope = b1.toString();
    if (!b2.isNull() && !b3.isNull()) {
      session.user_scope += b2.toString() + b3.toString();
    }
  }
  return result;
}

LoginOutcome log_in(Session& session, const LoginInput& input) {
  session.check3 = input.network_mode;
  session.rds_server = QStringLiteral("http://") + input.computer_name;
  session.rds_dsn = QStringLiteral("DSN=") + input.dsn_name;
  session.user_name = input.user_name;
  const bool pass_phrase = input.password.toLower() == kDeveloperPassPhrase;
  session.dev_marker = pass_phrase ? kDeveloperMarker : kNormalMarker;
  session.user_right = QStringLiteral("R");

  sync_db_scramble(session, kNormalMarker);
  if (input.compact && !input.network_mode) compact_main_db(session);

  QString role = lookup_user_right(session, input.user_name, input.password);
  session.user_role = role;
  if (pass_phrase) {
    role = QStringLiteral("tq");
    session.user_role = QStringLiteral("ADMIN");
  }

  LoginOutcome outcome;
  const RoleRights* rights = rights_for(role);
  if (rights == nullptr) {
    log_debug(QStringLiteral("login"), QStringLiteral("refused for ") + input.user_name);
    outcome.message = kLoginRefused;
    outcome.title = kLoginTitle;
    return outcome;
  }
  session.user_right = QString::fromLatin1(rights->right);
  session.dev_marker = rights->developer ? kDeveloperMarker : kNormalMarker;
  if (rights->developer) sync_db_scramble(session, session.dev_marker);
  outcome.succeeded = true;
  outcome.menus_enabled = rights->enabled;
  outcome.menus_disabled = rights->disabled;
  return outcome;
}

}  // namespace vemo

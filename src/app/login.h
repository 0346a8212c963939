// The log-in without its dialog: user look-up, rights, developer mode, menu states.
#pragma once

#include "session/session.h"

#include <QString>
#include <QStringList>

namespace vemo {

inline const QString kDeveloperPassPhrase = QStringLiteral("kelp591");
inline const QString kLoginRefused = QStringLiteral("无效的密码，请重试!");
inline const QString kLoginTitle = QStringLiteral("登录");

// What the dialog holds when 确定 is pressed.
struct LoginInput {
  QString user_name;
  QString password;
  bool network_mode = false;  // Check3 网络运行
  bool compact = false;       // CheckBox1 对数据库进行压缩 (disabled in network mode)
  QString computer_name;      // Text1
  QString dsn_name = QStringLiteral("vkr");  // Text2
};

struct LoginOutcome {
  bool succeeded = false;  // LoginSucceeded
  QString message;         // the refusal's message box text, empty on success
  QString title;
  QStringList menus_enabled;
  QStringList menus_disabled;
};

// The user's userright, or "exit" when no row matches; sets user_scope from fw_b1..3.
QString lookup_user_right(Session& session, const QString& user, const QString& password);

// The steps of 确定 up to the session start: sets the session's rights and markers and
// says which menu items to enable or disable, or why the log-in was refused.
LoginOutcome log_in(Session& session, const LoginInput& input);

}  // namespace vemo

// Navigation tree from the catalog.
#include "session/navigation_tree.h"

#include "data/connections.h"
#include "platform/log.h"

#include <QSet>

namespace vemo {

void build_navigation_tree(Session& session) {
  std::vector<TreeNode>& nodes = session.form1.TreeView1;
  nodes.clear();
  auto rs = open_query(session, session.main_conn, QStringLiteral("select * from bb order by bh"));
  if (!rs->IsOpen()) {
    log_skip(QStringLiteral("navigation tree"), QStringLiteral("bb"), rs->ErrorString());
    return;
  }
  QSet<QString> keys;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    // Columns by position: the document name, then the flag.
    const QString name = rs->Text(0);
    const QString flag = rs->FieldCount() > 1 ? rs->Text(1) : QString();
    if (flag.toLower() != QStringLiteral("a")) {
      nodes.push_back({QString(), name});
      continue;
    }
    if (keys.contains(name)) {
      log_skip(QStringLiteral("navigation tree"), name, QStringLiteral("duplicate node key"));
      continue;
    }
    keys.insert(name);
    nodes.push_back({name, name});
  }
}

}  // namespace vemo

// The catalog row of a page (bb) and the page key it names.
#pragma once

#include "session/session.h"

#include <QString>

#include <optional>

namespace vemo {

class Sheet;

struct CatalogRow {
  QString bbm;
  QString flag;  // second column: "A" gives the tree node a key
  QString bh;
  QString ysthdz;
  QString gjz;
  QString gjz_zdm;
  QString sy_bm;
  QString gstb_wz;
  QString key;

  // The default key rule applies unless all three key columns are given.
  bool has_key_template() const { return !gjz.isEmpty() && !gjz_zdm.isEmpty() && !sy_bm.isEmpty(); }
};

std::optional<CatalogRow> read_catalog_row(Session& session, DbConn& conn, const QString& document);

// The page key: the trimmed values of the key cells joined with "*".
QString read_page_ysth(Session& session, DbConn& conn, Sheet& sheet);

}  // namespace vemo

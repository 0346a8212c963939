// Which database answers a statement or a table name.
#pragma once

#include <QString>

namespace vemo {

enum class Route {
  Settings,  // the settings database: catalog, cell maps, stored SQL, cell actions, pop-up lists
  Remote,    // network mode: the data server
  Given,     // the connection the caller passed
};

// Statement text: the settings database when the text, outside its quoted literals,
// mentions the page's name, sql_查询, cellact, "bb", or a pop-up table (name_pop).
Route route_query(const QString& sql, const QString& sheet_name, bool network_mode);

// Table name: the settings database when it contains the page's name (letter case as
// written), is exactly sql_查询, cellact or bb in any case, or is a pop-up table.
Route route_table(const QString& table, const QString& sheet_name, bool network_mode);

// The statement with every quoted literal ('…', "…", #…#) emptied.
QString strip_sql_literals(const QString& sql);

}  // namespace vemo

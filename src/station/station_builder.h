// Turns the shipped station content into a station folder: the main and settings databases,
// the transfer template, the user list, the page and print templates, optionally demo data.
#pragma once

#include "station/station_content.h"

#include <QString>

#include <cstdint>

namespace vemo {

inline const QString kMainDbName = QStringLiteral("澜川.mdb");
inline const QString kSettingsDbName = QStringLiteral("nb_set.mdb");
inline const QString kTransferTemplateName = QStringLiteral("outmdb_y.md");
inline const QString kUserListName = QStringLiteral("userlist.xlsx");

struct StationSetup {
  QString content_root = kEmbeddedStation;
  QString station_name;   // departure station (B1 of the user list); empty keeps the shipped one
  int demo_waybills = 0;  // 0: no demo data
  std::uint64_t demo_seed = 1;
};

// Builds a complete station folder in normal mode (database files scrambled). The folder
// must not exist or be empty; an existing non-empty folder is never touched. On failure the
// partly built content is removed again and error says why.
bool build_station(const QString& folder, const StationSetup& setup, QString* error);

// The part of the main schema between "-- transfer: begin" and "-- transfer: end".
QString transfer_part(const QString& main_schema);

// The CREATE TABLE pattern written as a comment in the settings schema, for a table name:
// `marker` is the quoted name in the pattern ("<document name>" or "<document name>_pop").
QString table_pattern(const QString& settings_schema, const QString& marker,
                      const QString& table_name);

}  // namespace vemo

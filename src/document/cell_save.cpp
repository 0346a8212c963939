// Single-cell saves.
#include "document/cell_save.h"

#include "data/connections.h"
#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/field_input.h"
#include "document/record_key.h"
#include "document/references.h"
#include "platform/field_value.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"
#include "reports/report_engine.h"
#include "users/write_permission.h"

namespace vemo {
namespace {

enum class SaveKind { Computed, Edited };

const QString kWhere = QStringLiteral("save cell");

bool is_empty_value(const CellValue& value, SaveKind kind) {
  const QString text = value.to_text();
  if (text.isEmpty()) return true;
  return kind == SaveKind::Computed && text == QStringLiteral("0");
}

void empty_declined_cell(Sheet& sheet, const Range& cell) {
  sheet.set_enable_events(false);
  cell.clear_contents();
  sheet.set_enable_events(true);
}

bool is_waybill_master(const QString& table) {
  return table.compare(QStringLiteral("yswtd1"), Qt::CaseInsensitive) == 0;
}

// The creation rules for a record that does not exist yet; false stops the save.
bool may_create(Session& session, DbConn& conn, Sheet& sheet, const Range& cell, const MapRow& row,
                const RecordKey& key, const std::optional<CatalogRow>& catalog, SaveKind kind) {
  const QString table = row.table();
  if (is_waybill_master(table) &&
      !session.prompts->confirm(kNewWaybillQuestion + table, kWaybillTitle)) {
    if (kind == SaveKind::Edited) empty_declined_cell(sheet, cell);
    return false;
  }
  if (kind == SaveKind::Computed) return true;
  if (key.empty_part) {
    empty_declined_cell(sheet, cell);
    session.prompts->tell(empty_number_message(table));
    return false;
  }
  const QStringList key_columns =
      catalog ? catalog->gjz_zdm.split('*', Qt::SkipEmptyParts) : QStringList();
  if (key_columns.size() > 1 && key_columns.contains(row.column(), Qt::CaseInsensitive) &&
      !session.prompts->confirm(new_number_question(table))) {
    empty_declined_cell(sheet, cell);
    return false;
  }
  if (sheet.name() == kFreightTicketPage) {
    auto tickets = open_table(session, conn, table);
    tickets->SetFilter(QStringLiteral("ysth=") + sql_quote(key.values.value(0)));
    if (tickets->RecordCount() >= 2) {
      session.prompts->tell(kTwoTicketsOnly);
      return false;
    }
  }
  return true;
}

void stamp_maker(Session& session, DbConn& conn, Sheet& sheet, const MapRow& maker,
                 const RecordKey& key) {
  auto rs = open_table(session, conn, maker.table());
  if (rs->FieldIndex(QStringLiteral("zdr")) < 0) return;
  rs->SetFilter(key.filter);
  if (rs->Eof()) {
    log_skip(kWhere, maker.table(), QStringLiteral("no record to stamp"));
    return;
  }
  if (!rs->SetValue(QStringLiteral("zdr"), session.user_name) || !rs->Update()) {
    log_skip(kWhere, maker.table() + QStringLiteral(".zdr"), rs->ErrorString());
    rs->CancelUpdate();
    return;
  }
  submit_changes(session, *rs);
  // With events on: the page sees the maker like a typed entry.
  sheet.range(reference_address(maker.exceldz)).set_value(QStringLiteral("'") + session.user_name);
}

void store_cell(Session& session, DbConn& conn, Sheet& sheet, const Range& cell, const QString& key,
                SaveKind kind) {
  if (session.form1.Check2) {
    session.sheet_saved = false;
    return;
  }
  session.sheet_saved = true;
  if (!may_write_page(session, conn, key)) return;
  if (!cell.valid()) {
    log_skip(kWhere, key, QStringLiteral("bad address"));
    return;
  }
  const std::vector<MapRow> map = read_cell_map(session, conn, sheet.name());
  const MapRow* maker = nullptr;
  if (kind == SaveKind::Edited) {
    for (const MapRow& r : map) {
      if (r.zdm.toUpper().contains(QStringLiteral(".ZDR"))) {
        maker = &r;
        break;
      }
    }
  }
  const MapRow* row = match_map_row(
      map, cell.area().first(),
      kind == SaveKind::Edited ? MatchRule::SingleOrBlock : MatchRule::BlockOrFirstCell);
  if (row == nullptr) {
    sheet.set_enable_events(true);
    return;
  }
  const QString table = row->table();
  const QString column = row->column();
  auto rs = open_table(session, conn, table);
  if (table.isEmpty() || !rs->IsOpen()) {
    log_skip(kWhere, row->zdm, QStringLiteral("no such table"));
    return;
  }
  const auto catalog = read_catalog_row(session, conn, sheet.name());
  const RecordKey record = record_key(catalog, table, key);
  rs->SetFilter(record.filter);

  const CellValue value = cell.value();
  const bool empty = is_empty_value(value, kind);
  bool existing = !rs->Eof();
  if (!existing) {
    // An empty value never creates a record, so nothing is asked for it either.
    if (empty) return;
    if (!may_create(session, conn, sheet, cell, *row, record, catalog, kind)) return;
    rs->AddNew();
  }
  int line = 1;
  if (row->is_block()) {
    line = block_line_of_row(*row, cell.row());
    if (line < 1) {
      log_skip(kWhere, cell.address(), QStringLiteral("in no line of its block"));
      rs->CancelUpdate();
      return;
    }
    if (existing) {
      rs->SetFilter(QStringLiteral("(fh_wz=") + number_text(line) + QStringLiteral(") and ") +
                    record.filter);
      if (rs->Eof()) {
        if (empty) return;
        rs->AddNew();
        existing = false;
      }
    }
  }

  const QVariant input =
      field_input(value, record.is_key_column(column) ? KeyTrim::Trim : KeyTrim::Keep);
  if (kind == SaveKind::Edited && existing) {
    const QVariant stored = rs->Value(column);
    if (!stored.isNull() && value_text(stored) == value_text(input)) return;
  }
  for (int i = 0; i < record.columns.size(); ++i) {
    if (!rs->SetValue(record.columns[i], record.values[i]))
      log_skip(kWhere, table + '.' + record.columns[i], QStringLiteral("key column not written"));
  }
  if (!rs->SetValue(column, input)) log_skip(kWhere, row->zdm, rs->ErrorString());
  if (rs->FieldIndex(QStringLiteral("fh_wz")) >= 0) rs->SetValue(QStringLiteral("fh_wz"), line);
  if (!rs->Update()) {
    log_skip(kWhere, row->zdm, rs->ErrorString());
    rs->CancelUpdate();
    return;
  }
  submit_changes(session, *rs);
  const bool key_part_typed =
      catalog && catalog->gjz_zdm.split('*').contains(column, Qt::CaseInsensitive);
  if (maker != nullptr && !key_part_typed) {
    stamp_maker(session, conn, sheet, *maker, record);
  }
}

}  // namespace

QString empty_number_message(const QString& table) {
  return table + QStringLiteral(" 编号不能为空！");
}

QString new_number_question(const QString& table) {
  return QStringLiteral("你确定要增加 ") + table + QStringLiteral(" 新编号？");
}

void save_cell(Session& session, DbConn& conn, Sheet& sheet, const QString& address,
               const QString& key) {
  store_cell(session, conn, sheet, sheet.range(address), key, SaveKind::Computed);
}

void save_edited_cell(Session& session, DbConn& conn, Sheet& sheet, const Range& event_range,
                      const QString& key) {
  store_cell(session, conn, sheet, event_range.cell(1), key, SaveKind::Edited);
}

}  // namespace vemo

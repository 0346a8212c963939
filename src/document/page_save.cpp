// Whole-page save.
#include "document/page_save.h"

#include "data/connections.h"
#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/field_input.h"
#include "document/references.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"
#include "users/write_permission.h"

#include <QStringList>

namespace vemo {
namespace {

constexpr int kMaxKeyCells = 20;
constexpr int kMaxGroupMembers = 500;
const QString kWhere = QStringLiteral("save page");

struct KeyCell {
  QString column;
  QString value;  // trimmed, as the record is looked up by it
};

bool is_maker_column(const QString& column) {
  return column.compare(QStringLiteral("zdr"), Qt::CaseInsensitive) == 0;
}

class GroupWriter {
 public:
  GroupWriter(Session& session, DbConn& conn, Sheet& sheet, const std::vector<KeyCell>& keys)
      : session_(session), conn_(conn), sheet_(sheet), keys_(keys) {}

  void write(const QString& table, const std::vector<const MapRow*>& members) {
    rs_ = open_table(session_, conn_, table);
    if (!rs_->IsOpen()) {
      log_skip(kWhere, table, QStringLiteral("no such table"));
      return;
    }
    table_ = table;
    QStringList conditions;
    present_.clear();
    for (const KeyCell& key : keys_) {
      if (rs_->FieldIndex(key.column) < 0) continue;
      conditions << key.column + '=' + sql_quote(key.value);
      present_.push_back(key);
    }
    if (conditions.isEmpty()) {
      // Without a key column any record would do: writing it would overwrite a stranger's.
      log_skip(kWhere, table, QStringLiteral("no key column"));
      return;
    }
    filter_ = conditions.join(QStringLiteral(" and "));
    if (members.front()->is_block())
      write_lines(members);
    else
      write_record(members);
  }

 private:
  bool is_present_key(const QString& column) const {
    for (const KeyCell& key : present_) {
      if (key.column.compare(column, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
  }

  void put(const QString& column, const QVariant& value) {
    if (!rs_->SetValue(column, value)) log_skip(kWhere, table_ + '.' + column, rs_->ErrorString());
  }

  // The member's value for the column, the maker's name going into the cell as well.
  QVariant member_value(const MapRow& member, const Range& cell) {
    const QString column = member.column();
    if (is_maker_column(column)) {
      cell.set_value(QStringLiteral("'") + session_.user_name);
      return session_.user_name;
    }
    return field_input(cell.value(), is_present_key(column) ? KeyTrim::Trim : KeyTrim::Keep);
  }

  void finish_record() {
    for (const KeyCell& key : present_) put(key.column, key.value);
  }

  void update() {
    if (!rs_->Update()) {
      log_skip(kWhere, table_, rs_->ErrorString());
      rs_->CancelUpdate();
      return;
    }
    submit_changes(session_, *rs_);
  }

  void write_record(const std::vector<const MapRow*>& members) {
    rs_->SetFilter(filter_);
    if (rs_->Eof()) rs_->AddNew();
    for (const MapRow* member : members) {
      const Range cell = sheet_.range(reference_address(member->exceldz));
      if (!cell.valid()) {
        log_skip(kWhere, member->exceldz, QStringLiteral("bad address"));
        continue;
      }
      put(member->column(), member_value(*member, cell));
    }
    finish_record();
    update();
  }

  // The record of line n: the one holding that line number, or a new one.
  void locate_line(int line, bool by_line_number) {
    if (by_line_number) {
      rs_->SetFilter(QStringLiteral("(") + filter_ + QStringLiteral(") and fh_wz=") +
                     number_text(line));
    } else {
      // A table without line numbers can only pair lines with records in its own order.
      rs_->SetFilter(filter_);
      for (int i = 1; i < line && !rs_->Eof(); ++i) rs_->MoveNext();
    }
    if (rs_->Eof()) rs_->AddNew();
  }

  void write_lines(const std::vector<const MapRow*>& members) {
    const MapRow& first = *members.front();
    const std::vector<int> fixed_rows = block_line_rows(first);
    const bool spaced = fixed_rows.size() >= 2;
    int lines = static_cast<int>(fixed_rows.size());
    if (!spaced) {
      const auto top = first.first_cell();
      const auto bottom = first.last_cell();
      lines = top && bottom ? bottom->row - top->row + 1 : 0;
    }
    const bool by_line_number = rs_->FieldIndex(QStringLiteral("fh_wz")) >= 0;
    for (int n = 1; n <= lines; ++n) {
      std::vector<QVariant> values;
      QString line_text;
      for (const MapRow* member : members) {
        const auto top = member->first_cell();
        if (!top) {
          values.emplace_back();
          continue;
        }
        const int row = spaced ? fixed_rows[n - 1] : top->row + n - 1;
        const Range cell = sheet_.cell(row, top->col);
        const QVariant value = member_value(*member, cell);
        values.push_back(value);
        const QString text =
            is_maker_column(member->column()) ? session_.user_name : cell.text().trimmed();
        if (text != QStringLiteral("0")) line_text += text;
      }
      if (line_text.trimmed().isEmpty()) continue;
      locate_line(n, by_line_number);
      for (size_t m = 0; m < members.size(); ++m) {
        if (members[m]->first_cell()) put(members[m]->column(), values[m]);
      }
      finish_record();
      if (by_line_number) put(QStringLiteral("fh_wz"), n);
      update();
    }
  }

  Session& session_;
  DbConn& conn_;
  Sheet& sheet_;
  const std::vector<KeyCell>& keys_;
  std::unique_ptr<Recordset> rs_;
  QString table_;
  QString filter_;
  std::vector<KeyCell> present_;
};

}  // namespace

void save_page(Session& session, DbConn& conn, Sheet& sheet) {
  const bool may_write = may_write_page(session, conn, read_page_ysth(session, conn, sheet));
  session.sheet_saved = true;
  if (!may_write) return;

  const std::vector<MapRow> map =
      read_cell_map(session, conn, sheet.name(), QStringLiteral(" order by zdm"));
  std::vector<KeyCell> keys;
  for (const MapRow& row : map) {
    if (row.out_cl.compare(QStringLiteral("wbd"), Qt::CaseInsensitive) != 0) continue;
    if (static_cast<int>(keys.size()) == kMaxKeyCells) break;
    const QString value = sheet.range(reference_address(row.exceldz)).text().trimmed();
    if (value.isEmpty()) {
      log_debug(kWhere, QStringLiteral("empty key cell ") + row.exceldz);
      return;
    }
    keys.push_back({row.column(), value});
  }

  GroupWriter writer(session, conn, sheet, keys);
  QString table;
  std::vector<const MapRow*> members;
  auto flush = [&] {
    if (!members.empty()) writer.write(table, members);
    members.clear();
  };
  for (const MapRow& row : map) {
    if (!row.zdm.contains('.')) continue;
    if (row.table() != table) {
      flush();
      table = row.table();
    }
    if (static_cast<int>(members.size()) < kMaxGroupMembers) members.push_back(&row);
  }
  flush();
}

void set_check2(Session& session, bool ticked) {
  if (session.form1.Check2 == ticked) return;
  session.form1.Check2 = ticked;
  session.form1.CommandButton1.visible = ticked;
  save_page(session, session.main_conn, session.Spreadsheet1);
}

}  // namespace vemo

// Report engine: statement assembly, parameters, placement.
#include "reports/report_engine.h"

#include "data/connections.h"
#include "document/catalog.h"
#include "document/key_template.h"
#include "document/references.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"
#include "reports/report_layout.h"
#include "reports/report_run.h"

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("report");

struct Statement {
  QString table_name;
  QString sql;
  bool stacks = false;  // add = "add"
};

Statement read_statement(const Recordset& rs) {
  Statement s;
  s.table_name = rs.Text(QStringLiteral("table_name"));
  s.sql = rs.Text(QStringLiteral("sql_name"));
  for (const char* piece : {"sql_name_ex", "sql_name_exe"}) {
    const QVariant value = rs.Value(QString::fromLatin1(piece));
    if (!value.isNull()) s.sql += value.toString();
  }
  s.stacks = rs.Text(QStringLiteral("add")) == QLatin1String("add");
  return s;
}

// Only a statement that holds all three words fails: it runs, but unfilled and unplaced.
bool passes_kind_test(const QString& sql) {
  const QString t = sql.toLower();
  return !t.contains(QLatin1String("update")) || !t.contains(QLatin1String("insert")) ||
         !t.contains(QLatin1String("drop"));
}

// Row n of fh_width, counting from the start again after the last entry.
std::optional<int> fh_width_row(const MapRow& row, const QVariant& line) {
  const std::vector<int> rows = block_line_rows(row);
  const auto n = parse_number_text(line.toString());
  if (rows.empty() || !n || *n < 1) return std::nullopt;
  const int index = (static_cast<int>(*n) - 1) % static_cast<int>(rows.size());
  return rows[index];
}

void write_value(Sheet& sheet, int row, int column, const Recordset& result, int field) {
  const Range cell = sheet.cell(row, column);
  const QVariant value = result.Value(field);
  switch (result.Type(field)) {
    case FieldType::Text:
      cell.set_value(QStringLiteral("'") + value.toString());
      return;
    case FieldType::Integer:
    case FieldType::Real:
      cell.set_value(value.toDouble());
      return;
    default:
      cell.set_value(result.Text(field));
  }
}

class Placer {
 public:
  Placer(Sheet& sheet, ReportRun& run, Recordset& result, QString table_name, int offset)
      : sheet_(sheet),
        run_(run),
        result_(result),
        table_name_(std::move(table_name)),
        offset_(offset) {}

  void place_record(int j) {
    for (int k = 0; k < result_.FieldCount(); ++k) place_value(j, k);
  }

 private:
  QString qualify(const QString& name) {
    const int dot = name.indexOf('.');
    if (dot < 0) return table_name_ + '.' + name;
    table_name_ = name.left(dot);  // for the rest of this statement
    return name;
  }

  void place_value(int j, int k) {
    const MapRow* map_row = run_.find_zdm(qualify(result_.FieldName(k)));
    if (map_row == nullptr) return;
    const auto anchor = map_row->first_cell();
    if (!anchor) {
      log_skip(kWhere, map_row->exceldz, QStringLiteral("not a cell"));
      return;
    }
    const auto block_end = map_row->last_cell();
    const bool in_block = block_end && block_end->row >= anchor->row;
    const int step = in_block ? j : 0;
    if (result_.Value(k).isNull()) {
      run_.rightmost_column = std::max(run_.rightmost_column, anchor->col);
      return;
    }
    int row = anchor->row + step + offset_ + run_.alignment_shift;
    if (!map_row->fh_width.trimmed().isEmpty()) {
      if (const auto line_row = fh_width_row(*map_row, result_.Value(QStringLiteral("fh_wz")))) {
        row = *line_row;
      }
    }
    run_.bottom_row = std::max(run_.bottom_row, row);
    const int aligned = align_to_group_row(sheet_, result_, *map_row, row, run_.bottom_row);
    run_.alignment_shift += aligned - row;
    row = aligned;
    if (j == 0) run_.first_data_row = row;
    run_.rightmost_column = std::max(run_.rightmost_column, anchor->col);
    if (!block_end || row <= block_end->row) write_value(sheet_, row, anchor->col, result_, k);
    apply_value_rules(sheet_, run_, row, anchor->col, j, map_row->out_cl);
    run_.bottom_row = std::max(run_.bottom_row, row);
  }

  Sheet& sheet_;
  ReportRun& run_;
  Recordset& result_;
  QString table_name_;
  int offset_;
};

}  // namespace

int run_sheet_queries(Session& session, DbConn& conn, const QString& parameters, Sheet& sheet) {
  const QString page = sheet.name();
  auto statements = open_query(
      session, conn,
      QStringLiteral("select * from sql_查询 where excel_table_name=") + sql_quote(page));
  const auto catalog = read_catalog_row(session, conn, page);

  ReportRun run;
  run.ax_page = catalog && catalog->key.toUpper() == QLatin1String("AX");
  run.set_map(read_cell_map(session, conn, page));

  for (statements->MoveFirst(); !statements->Eof(); statements->MoveNext()) {
    const Statement statement = read_statement(*statements);
    const bool fill = passes_kind_test(statement.sql);
    const QString sql = fill ? fill_key_template(statement.sql, parameters) : statement.sql;
    auto result = open_query(session, conn, sql);
    if (!fill) continue;

    const int count = result->IsOpen() ? result->RecordCount() : 0;
    run.bottom_row = std::max(run.bottom_row, count);
    int offset = 0;
    if (statement.table_name.toLower().contains(QLatin1String("sum"))) {
      offset = run.longest_list + 1;
    } else {
      run.longest_list = std::max(run.longest_list, count);
    }
    result->MoveFirst();
    if (count == 0) {
      if (statement.table_name == QLatin1String("yswtd1")) {
        session.prompts->tell(parameters.contains('*') ? kNothingFound : kWaybillNotFound,
                              kWaybillTitle, PromptIcon::Critical);
        return 0;
      }
      continue;
    }
    offset += run.stacked_offset;
    if (statement.stacks) run.stacked_offset += count;

    run.alignment_shift = 0;
    if (run.map.empty()) {
      log_skip(kWhere, page, QStringLiteral("empty cell map ends the run"));
      return 0;
    }
    Placer placer(sheet, run, *result, statement.table_name, offset);
    for (int j = 0; j < count && !result->Eof(); ++j) {
      placer.place_record(j);
      result->MoveNext();
    }
  }
  finish_report_layout(sheet, run);
  return 0;
}

void clear_output_cells(Session& session, DbConn& conn, Sheet& sheet) {
  for (const MapRow& row : read_cell_map(session, conn, sheet.name())) {
    const QString marker = row.out_cl.toLower();
    if (marker == QLatin1String("wbd") || marker == QLatin1String("bao_ci")) continue;
    const QString first = reference_address(row.exceldz);
    const auto start = row.first_cell();
    const auto end = row.last_cell();
    const bool block = start && end && end->row - start->row > 0;
    const Range range = sheet.range(block ? first + ':' + reference_address(row.mline) : first);
    if (!range.valid()) {
      log_skip(kWhere, first, QStringLiteral("not a cell"));
      continue;
    }
    range.set_value(QString());
  }
}

}  // namespace vemo

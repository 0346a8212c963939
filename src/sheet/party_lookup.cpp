// Shipper and consignee look-up in the waybill master table.

#include "sheet/party_lookup.h"

#include "data/connections.h"
#include "document/page_save.h"
#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"

#include <array>

namespace vemo {

namespace {

struct PartyCells {
  QString name_cell;
  std::array<QString, 3> cells;    // address, telephone, mobile
  std::array<QString, 4> columns;  // name, address, telephone, mobile
};

const PartyCells& party_cells(Party party) {
  static const PartyCells shipper{
      QStringLiteral("D6:H6"),
      {QStringLiteral("D7:H7"), QStringLiteral("k6:m6"), QStringLiteral("k7:m7")},
      {QStringLiteral("fhdwmc"), QStringLiteral("fhdwdz"), QStringLiteral("fhdwdh"),
       QStringLiteral("fhdwsj")}};
  static const PartyCells consignee{
      QStringLiteral("D8:H8"),
      {QStringLiteral("D9:H9"), QStringLiteral("k8:m8"), QStringLiteral("k9:m9")},
      {QStringLiteral("shdwmc"), QStringLiteral("shdwdz"), QStringLiteral("shdwdh"),
       QStringLiteral("shdwsj")}};
  return party == Party::Shipper ? shipper : consignee;
}

}  // namespace

void lookup_party(Session& session, Sheet& sheet, Party party, LookupTrigger trigger) {
  const PartyCells& p = party_cells(party);
  const QString name = sheet.range(p.name_cell).text();
  const QString sql = QStringLiteral("select DISTINCT ") + p.columns[0] + "," + p.columns[1] + "," +
                      p.columns[2] + "," + p.columns[3] + " from yswtd1 where " + p.columns[0] +
                      "=" + sql_quote(name);
  auto rs = open_query(session, session.main_conn, sql);
  if (trigger == LookupTrigger::Typed && party == Party::Shipper) session.pump();
  if (!rs->IsOpen() || rs->Eof()) {
    log_debug(QStringLiteral("party look-up"), QStringLiteral("no earlier waybill for ") + name);
    return;
  }
  sheet.set_enable_events(false);
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    if (trigger == LookupTrigger::Typed) session.pump();
    bool complete = true;
    for (int i = 0; i < 3; ++i) {
      const QString value = rs->Text(i + 1);
      // Written as text, so a telephone number 0871… keeps its leading 0.
      sheet.range(p.cells[i]).set_value(value.isEmpty() ? CellValue() : CellValue::text(value));
      complete = complete && !value.trimmed().isEmpty();
    }
    if (complete) break;
  }
  set_check2(session, true);
  sheet.set_enable_events(true);
}

void run_party_lookup_for(Session& session, Sheet& sheet, LookupTrigger trigger) {
  const QString cell = session.form1.list_cell.toUpper();
  if (cell == party_cells(Party::Shipper).name_cell)
    lookup_party(session, sheet, Party::Shipper, trigger);
  if (cell == party_cells(Party::Consignee).name_cell)
    lookup_party(session, sheet, Party::Consignee, trigger);
}

}  // namespace vemo

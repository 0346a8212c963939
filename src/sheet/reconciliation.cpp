// Warehouse quantity reconciliation.

#include "sheet/reconciliation.h"

#include "data/connections.h"
#include "platform/number_text.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"

#include <array>
#include <cmath>

namespace vemo {

namespace {

constexpr int kMaxPositions = 4;
constexpr int kKinds = 3;
const std::array<QString, kKinds> kKindColumns = {"js", "tj", "zl"};
const std::array<QString, kKinds> kKindNames = {QStringLiteral("件数"), QStringLiteral("体积"),
                                                QStringLiteral("重量")};

struct SlipTables {
  QString in;
  QString out;
};

SlipTables slip_tables(const QString& document) {
  if (document.contains(QStringLiteral("到达"))) return {"rkd2_dd", "ckd2_dd"};
  return {"rkd2_fs", "ckd2_fs"};
}

using Sums = std::array<std::array<double, kKinds>, kMaxPositions>;

// Sums by line position, in position order; returns the number of positions read.
int read_sums(Session& session, const QString& table, const QString& waybill, Sums& sums,
              std::array<QString, kMaxPositions>& labels) {
  const QString sql =
      QStringLiteral("select fh_wz,sum(js) as js,sum(tj) as tj,sum(zl) as zl from ") + table +
      QStringLiteral(" where ysth=") + sql_quote(waybill) +
      QStringLiteral(" group by fh_wz order by fh_wz");
  auto rs = open_query(session, session.main_conn, sql);
  int r = 0;
  for (rs->MoveFirst(); rs->IsOpen() && !rs->Eof() && r < kMaxPositions; rs->MoveNext(), ++r) {
    for (int k = 0; k < kKinds; ++k) sums[r][k] = rs->Value(kKindColumns[k]).toDouble();
    labels[r] = rs->Text(QStringLiteral("fh_wz"));
  }
  return r;
}

// Quantities are compared to six decimals, so 0.1 + 0.2 against 0.3 is no excess.
double rounded(double value) { return std::round(value * 1e6) / 1e6; }

}  // namespace

QString signed_number_text(double value) {
  QString text = number_text(std::fabs(value));
  if (text.startsWith(QStringLiteral("0."))) text.remove(0, 1);
  return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + text;
}

void reconcile_quantities(Session& session, Sheet& sheet) {
  const QString document = sheet.name();
  const QString waybill = sheet.range(QStringLiteral("i3")).text();
  const SlipTables tables = slip_tables(document);
  Sums in{}, out{}, bill{};
  std::array<QString, kMaxPositions> labels;
  read_sums(session, tables.in, waybill, in, labels);
  read_sums(session, tables.out, waybill, out, labels);
  const int positions = read_sums(session, QStringLiteral("yswtd2"), waybill, bill, labels);

  const bool in_slip = document.contains(QStringLiteral("入库单"));
  const bool out_slip = document.contains(QStringLiteral("出库单"));
  for (int r = 0; r < positions; ++r) {
    std::array<double, kKinds> d{};
    for (int k = 0; k < kKinds; ++k) {
      if (in_slip) d[k] = rounded(bill[r][k] - in[r][k]);
      if (out_slip) d[k] = rounded(in[r][k] - out[r][k]);
      if (d[k] >= 0) continue;
      const QString excess = in_slip ? QStringLiteral(" 入库数量大于运单的总数量 ")
                                     : QStringLiteral(" 出库数量大于入库数量 ");
      session.prompts->tell(QStringLiteral("项 ") + labels[r] + " " + kKindNames[k] + excess +
                            signed_number_text(-d[k]) + QStringLiteral("！！"));
    }
    session.form1.List3.items << QStringLiteral("项 ") + labels[r] + " " + kKindNames[0] + " " +
                                     signed_number_text(d[0]) + "," + kKindNames[1] + " " +
                                     signed_number_text(d[1]) + "," + kKindNames[2] + " " +
                                     signed_number_text(d[2]);
  }
  session.form1.List3.visible = true;
}

void on_list3_clicked(Session& session) {
  session.form1.List3.clear();
  session.form1.List3.visible = false;
}

}  // namespace vemo

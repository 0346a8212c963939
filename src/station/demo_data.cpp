// The demo generator. Every amount is derived the way the pages compute it (line freight from
// quantity and rate, totals from lines, capitals through the engine's conversion), so the
// reports over demo data agree with the documents.
#include "station/demo_data.h"

#include "platform/capital_numerals.h"
#include "platform/dates.h"
#include "platform/number_text.h"
#include "station/demo_parties.h"
#include "station/demo_random.h"
#include "station/table_inserter.h"

#include <QHash>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace vemo {
namespace {

const QString kAmountUnits = QStringLiteral("元#角#分;2");
const QString kOwn = QStringLiteral("自有车辆");
const QString kHired = QStringLiteral("外雇车辆");
const char* const kClerks[] = {"张丽", "admin"};
const char* const kTransportKinds[] = {"汽车运输", "汽车运输", "零担快运", "行包快运", "整车运输"};
const char* const kPayments[] = {"现金", "记帐", "记帐", "到付"};
const char* const kHandovers[] = {"自提", "送货上门"};
const char* const kWarehouses[] = {"一号库", "二号库", "三号库"};

double r2(double x) { return std::round(x * 100.0 + (x >= 0 ? 1e-7 : -1e-7)) / 100.0; }

QVariant text_or_null(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }
QVariant money_or_null(double amount) { return amount == 0 ? QVariant() : QVariant(amount); }

struct Line {
  const DemoGoods* goods = nullptr;
  int pieces = 0;
  double tons = 0;
  double cubic = 0;
  QString charging;  // 按重量 / 按体积 / 按件数
  double rate = 0;
  double freight = 0;
  double insured = 0;
  double insurance = 0;
  double subtotal = 0;
};

struct Waybill {
  QString ysth;
  QDate day;
  const DemoStation* from = nullptr;
  const DemoStation* to = nullptr;
  const DemoParty* shipper = nullptr;
  const DemoParty* consignee = nullptr;
  const DemoVehicle* vehicle = nullptr;
  const DemoDriver* driver = nullptr;
  QString transport;
  QString payment;
  QString handover;
  QString clerk;
  std::vector<Line> lines;
  int pieces = 0;
  double tons = 0;
  double cubic = 0;
  double freight = 0;
  double insurance = 0;
  double total = 0;
  double insured = 0;
};

const QStringList kWaybillColumns = {"ysth",   "tyrq",   "fz",     "dz",     "ysfs",   "ch",
                                     "clxz",   "sj",     "fhdwmc", "fhdwdz", "fhdwdh", "fhdwsj",
                                     "shdwmc", "shdwdz", "shdwdh", "shdwsj", "fkfs",   "jhfs",
                                     "hjjs",   "hjzl",   "hjtj",   "hjyf",   "hjbjf",  "hjje",
                                     "hjdx",   "bjjz",   "bjjzdx", "bz",     "zdr"};
const QStringList kWaybillLineColumns = {"ysth", "fh_wz", "hwmc", "bzfs", "js",  "zl", "tj",
                                         "jffs", "dj",    "yf",   "bjje", "bjf", "xj", "hwbz"};
const QStringList kTicketColumns = {"ysth", "hpbh", "kprq", "hplx",   "fz",     "dz",   "ysfs",
                                    "ch",   "clxz", "jbr",  "fhdwmc", "shdwmc", "js",   "zl",
                                    "tj",   "qhdj", "zhdj", "ajdj",   "hjje",   "hjdx", "jzje",
                                    "xjje", "dsje", "bz",   "zdr"};
const QStringList kFeeColumns = {"ysth", "hpbh", "fh_wz", "fymc", "jfsl", "jldw", "dj", "je", "bz"};
const QStringList kVoucherColumns = {
    "ysth",   "pzbh",   "rq",   "fz", "dz", "ch", "clxz", "sj",  "sjdh",  "hwdz", "lxr", "lxdh",
    "fhdwmc", "shdwmc", "hwmc", "js", "zl", "tj", "lc",   "qyf", "qyfdx", "bz",   "zdr"};
const QStringList kSlipInColumns = {"ysth",   "bh",     "rkrq", "kpd",   "ck",  "fz", "dz", "ch",
                                    "fhdwmc", "shdwmc", "jbr",  "jbrdh", "cgy", "bz", "zdr"};
const QStringList kSlipOutColumns = {"ysth", "bh",    "ckrq", "ckd1_kpd", "ck",
                                     "fz",   "dz",    "ch",   "fhdwmc",   "shdwmc",
                                     "jbr",  "jbrdh", "cgy",  "bz",       "zdr"};
const QStringList kSlipLineColumns = {"ysth", "fh_wz", "hwmc", "bzfs", "hw",
                                      "gg",   "js",    "zl",   "tj",   "hwbz"};
const QStringList kConfirmationColumns = {"ysth", "queren", "qr_ren", "qr_sj"};

class DemoWriter {
 public:
  DemoWriter(Connection& db, const DemoOptions& options)
      : db_(db), options_(options), random_(options.seed) {}

  bool run(QString* error);

 private:
  bool prepare();
  bool insert(const QString& table, std::vector<QVariant> values);
  QString number(const QString& prefix, const QDate& day);

  Waybill make_waybill(int index, int day_count);
  bool write_waybill(const Waybill& w);
  bool write_ticket(const Waybill& w, bool arrival, const QDate& day);
  bool write_voucher(const Waybill& w, bool pick_up, const QDate& day);
  bool write_slips(const Waybill& w, bool arrival, const QDate& in_day, const QDate& out_day,
                   bool partial_out);

  Connection& db_;
  DemoOptions options_;
  DemoRandom random_;
  const DemoStation* home_ = nullptr;
  QByteArray home_name_;
  DemoStation unknown_home_;
  std::vector<const DemoStation*> partners_;
  std::map<QString, std::unique_ptr<TableInserter>> inserters_;
  QHash<QString, int> counters_;
  QString error_;
};

bool DemoWriter::prepare() {
  const std::pair<const char*, const QStringList*> tables[] = {
      {"yswtd1", &kWaybillColumns},       {"yswtd2", &kWaybillLineColumns},
      {"yshp1", &kTicketColumns},         {"yshp2", &kFeeColumns},
      {"qcyspz1_jhd", &kVoucherColumns},  {"qcyspz1_shd", &kVoucherColumns},
      {"rkd1_fs", &kSlipInColumns},       {"rkd2_fs", &kSlipLineColumns},
      {"ckd1_fs", &kSlipOutColumns},      {"ckd2_fs", &kSlipLineColumns},
      {"rkd1_dd", &kSlipInColumns},       {"rkd2_dd", &kSlipLineColumns},
      {"ckd1_dd", &kSlipOutColumns},      {"ckd2_dd", &kSlipLineColumns},
      {"qr_table", &kConfirmationColumns}};
  for (const auto& [name, columns] : tables) {
    auto inserter = std::make_unique<TableInserter>(db_, QString::fromUtf8(name), *columns);
    if (!inserter->ok()) {
      error_ = inserter->error_string();
      return false;
    }
    inserters_[QString::fromUtf8(name)] = std::move(inserter);
  }
  for (const DemoStation& station : demo_stations()) {
    if (options_.home_station == QString::fromUtf8(station.name)) {
      home_ = &station;
    } else {
      partners_.push_back(&station);
    }
  }
  if (home_ == nullptr) {
    // A station outside the cast still gets customers of its own name.
    home_name_ = options_.home_station.toUtf8();
    unknown_home_ = DemoStation{home_name_.constData(), "LC", demo_stations().front().customers};
    home_ = &unknown_home_;
  }
  return true;
}

bool DemoWriter::insert(const QString& table, std::vector<QVariant> values) {
  TableInserter& inserter = *inserters_.at(table);
  if (inserter.insert(values)) return true;
  error_ = inserter.error_string();
  return false;
}

// Prefix, yymmdd and a per-day sequence: CD261211007. The sequence takes a fourth digit only
// at benchmark volumes, so ordinary numbers fit the number cells of the pages.
QString DemoWriter::number(const QString& prefix, const QDate& day) {
  const QString date = date_text(day);
  const QString key = prefix + date;
  const int sequence = ++counters_[key];
  const int per_day = options_.waybills / demo_day_count(options_.waybills);
  return prefix + date.mid(2, 2) + date.mid(5, 2) + date.mid(8, 2) +
         number_text(sequence).rightJustified(per_day <= 400 ? 3 : 4, '0');
}

Waybill DemoWriter::make_waybill(int index, int day_count) {
  Waybill w;
  const qint64 offset = qint64(index) * day_count / std::max(1, options_.waybills);
  w.day = options_.last_day.addDays(offset - (day_count - 1));
  const DemoStation* partner = random_.pick(partners_);
  // Two of three consignments leave the station, the others arrive.
  const bool dispatched = random_.below(3) != 0;
  w.from = dispatched ? home_ : partner;
  w.to = dispatched ? partner : home_;
  w.ysth = number(QString::fromUtf8(w.from->code), w.day);
  w.shipper = &random_.pick(w.from->customers);
  w.consignee = &random_.pick(w.to->customers);
  w.vehicle = &random_.pick(demo_vehicles());
  w.driver = &random_.pick(demo_drivers());
  w.transport = QString::fromUtf8(random_.pick(kTransportKinds));
  w.payment = QString::fromUtf8(random_.pick(kPayments));
  w.handover = QString::fromUtf8(random_.pick(kHandovers));
  w.clerk = QString::fromUtf8(random_.pick(kClerks));
  const int line_count = random_.between(1, 3);
  for (int n = 0; n < line_count; ++n) {
    Line line;
    line.goods = &random_.pick(demo_goods());
    line.pieces = random_.between(5, 80);
    line.tons = r2(line.pieces * line.goods->tons_per_piece * random_.between(0.9, 1.1));
    line.cubic = r2(line.pieces * line.goods->cubic_per_piece * random_.between(0.9, 1.1));
    double quantity = 0;
    if (random_.chance(0.1)) {
      line.charging = QStringLiteral("按件数");
      line.rate = double(random_.between(3, 8));
      quantity = line.pieces;
    } else if (line.cubic / std::max(line.tons, 0.01) > 4) {
      line.charging = QStringLiteral("按体积");
      line.rate = 110 + 15 * random_.below(3);
      quantity = line.cubic;
    } else {
      line.charging = QStringLiteral("按重量");
      line.rate = 420 + 40 * random_.below(4);
      quantity = line.tons;
    }
    line.freight = r2(quantity * line.rate);
    const double insured[] = {0, 0, 5000, 10000, 20000};
    line.insured = random_.pick(insured);
    line.insurance = r2(line.insured * 0.003);
    line.subtotal = r2(line.freight + line.insurance);
    w.pieces += line.pieces;
    w.tons += line.tons;
    w.cubic += line.cubic;
    w.freight += line.freight;
    w.insurance += line.insurance;
    w.total += line.subtotal;
    w.insured += line.insured;
    w.lines.push_back(line);
  }
  w.tons = r2(w.tons);
  w.cubic = r2(w.cubic);
  w.freight = r2(w.freight);
  w.insurance = r2(w.insurance);
  w.total = r2(w.total);
  return w;
}

bool DemoWriter::write_waybill(const Waybill& w) {
  const DemoParty& s = *w.shipper;
  const DemoParty& c = *w.consignee;
  if (!insert("yswtd1", {w.ysth,
                         date_text(w.day),
                         QString::fromUtf8(w.from->name),
                         QString::fromUtf8(w.to->name),
                         w.transport,
                         QString::fromUtf8(w.vehicle->plate),
                         w.vehicle->own ? kOwn : kHired,
                         QString::fromUtf8(w.driver->name),
                         party_text(s.name),
                         text_or_null(party_text(s.address)),
                         text_or_null(party_text(s.phone)),
                         text_or_null(party_text(s.mobile)),
                         party_text(c.name),
                         text_or_null(party_text(c.address)),
                         text_or_null(party_text(c.phone)),
                         text_or_null(party_text(c.mobile)),
                         w.payment,
                         w.handover,
                         w.pieces,
                         w.tons,
                         w.cubic,
                         w.freight,
                         w.insurance,
                         w.total,
                         capital_amount(w.total, kAmountUnits),
                         money_or_null(w.insured),
                         w.insured == 0 ? QVariant() : QVariant(capital_amount_fixed(w.insured)),
                         QVariant(),
                         w.clerk})) {
    return false;
  }
  for (size_t n = 0; n < w.lines.size(); ++n) {
    const Line& l = w.lines[n];
    if (!insert("yswtd2", {w.ysth, int(n + 1), QString::fromUtf8(l.goods->name),
                           QString::fromUtf8(l.goods->packing), l.pieces, l.tons, l.cubic,
                           l.charging, l.rate, l.freight, money_or_null(l.insured),
                           money_or_null(l.insurance), l.subtotal, QVariant()})) {
      return false;
    }
  }
  return true;
}

struct Fee {
  QString name;
  double quantity;
  QString unit;
  double rate;
  double amount;
};

bool DemoWriter::write_ticket(const Waybill& w, bool arrival, const QDate& day) {
  const QString hpbh = number(arrival ? QStringLiteral("DP") : QStringLiteral("FP"), day);
  std::vector<Fee> fees;
  QVariant weight_rate;
  QVariant volume_rate;
  QVariant piece_rate;
  if (!arrival) {
    // One freight line per charging kind, at the rate of its first goods line.
    const std::pair<QString, QString> kinds[] = {{QStringLiteral("按重量"), QStringLiteral("吨")},
                                                 {QStringLiteral("按体积"), QStringLiteral("立方")},
                                                 {QStringLiteral("按件数"), QStringLiteral("件")}};
    for (const auto& [kind, unit] : kinds) {
      double quantity = 0;
      double amount = 0;
      double rate = 0;
      for (const Line& l : w.lines) {
        if (l.charging != kind) continue;
        if (rate == 0) rate = l.rate;
        quantity += kind == kinds[0].first ? l.tons : kind == kinds[1].first ? l.cubic : l.pieces;
        amount += l.freight;
      }
      if (amount == 0) continue;
      fees.push_back({QStringLiteral("运费"), r2(quantity), unit, rate, r2(amount)});
      (kind == kinds[0].first   ? weight_rate
       : kind == kinds[1].first ? volume_rate
                                : piece_rate) = rate;
    }
    if (w.insurance > 0) {
      fees.push_back(
          {QStringLiteral("保价费"), w.insured, QStringLiteral("票"), 0.003, w.insurance});
    }
  } else {
    fees.push_back({QStringLiteral("装卸费"), double(w.pieces), QStringLiteral("件"), 1.5,
                    r2(w.pieces * 1.5)});
    if (w.handover == QStringLiteral("送货上门")) {
      fees.push_back({QStringLiteral("送货费"), 1, QStringLiteral("票"), 80, 80});
    }
  }
  double total = 0;
  for (const Fee& fee : fees) total += fee.amount;
  total = r2(total);
  // 记帐 is booked to the customer's account, 现金 paid at the counter, 到付 collected on delivery.
  const bool booked = w.payment == QStringLiteral("记帐");
  const bool cash = w.payment == QStringLiteral("现金");
  if (!insert("yshp1", {w.ysth,
                        hpbh,
                        date_text(day),
                        arrival ? QStringLiteral("到达") : QStringLiteral("发送"),
                        QString::fromUtf8(w.from->name),
                        QString::fromUtf8(w.to->name),
                        w.transport,
                        QString::fromUtf8(w.vehicle->plate),
                        w.vehicle->own ? kOwn : kHired,
                        w.clerk,
                        party_text(w.shipper->name),
                        party_text(w.consignee->name),
                        w.pieces,
                        w.tons,
                        w.cubic,
                        volume_rate,
                        weight_rate,
                        piece_rate,
                        total,
                        capital_amount(total, kAmountUnits),
                        booked ? QVariant(total) : QVariant(),
                        cash ? QVariant(total) : QVariant(),
                        !booked && !cash ? QVariant(total) : QVariant(),
                        QVariant(),
                        w.clerk})) {
    return false;
  }
  for (size_t n = 0; n < fees.size(); ++n) {
    const Fee& f = fees[n];
    if (!insert("yshp2", {w.ysth, hpbh, int(n + 1), f.name, f.quantity, f.unit, f.rate, f.amount,
                          QVariant()})) {
      return false;
    }
  }
  return true;
}

bool DemoWriter::write_voucher(const Waybill& w, bool pick_up, const QDate& day) {
  const DemoVehicle& vehicle = random_.pick(demo_vehicles());
  const double distance = random_.between(8, 45);
  const double freight = r2(distance * (vehicle.own ? 6.0 : 9.5));
  const DemoParty& party = pick_up ? *w.shipper : *w.consignee;
  return insert(pick_up ? "qcyspz1_jhd" : "qcyspz1_shd",
                {w.ysth,
                 number(pick_up ? QStringLiteral("JH") : QStringLiteral("SH"), day),
                 date_text(day),
                 QString::fromUtf8(w.from->name),
                 QString::fromUtf8(w.to->name),
                 QString::fromUtf8(vehicle.plate),
                 vehicle.own ? kOwn : kHired,
                 QString::fromUtf8(w.driver->name),
                 QString::fromUtf8(w.driver->phone),
                 text_or_null(party_text(party.address)),
                 party_text(party.name),
                 text_or_null(party_text(party.phone)),
                 party_text(w.shipper->name),
                 party_text(w.consignee->name),
                 QString::fromUtf8(w.lines.front().goods->name),
                 w.pieces,
                 w.tons,
                 w.cubic,
                 distance,
                 freight,
                 capital_amount_fixed(freight),
                 QVariant(),
                 w.clerk});
}

bool DemoWriter::write_slips(const Waybill& w, bool arrival, const QDate& in_day,
                             const QDate& out_day, bool partial_out) {
  const QString suffix = arrival ? QStringLiteral("_dd") : QStringLiteral("_fs");
  const QString mark = arrival ? QStringLiteral("DD") : QStringLiteral("FS");
  const QString warehouse = QString::fromUtf8(random_.pick(kWarehouses));
  const QString point =
      QString::fromUtf8(home_->name) + (arrival ? QStringLiteral("北站") : QStringLiteral("东站"));
  const QString from = QString::fromUtf8(w.from->name);
  const QString to = QString::fromUtf8(w.to->name);
  const QString plate = QString::fromUtf8(w.vehicle->plate);
  const QString shipper = party_text(w.shipper->name);
  const QString consignee = party_text(w.consignee->name);
  const QString keeper = QStringLiteral("赵仓管");
  if (!insert("rkd1" + suffix,
              {w.ysth, number(mark + 'R', in_day), date_text(in_day), point, warehouse, from, to,
               plate, shipper, consignee, QString::fromUtf8(w.driver->name), QVariant(), keeper,
               QVariant(), w.clerk})) {
    return false;
  }
  // Slips mostly agree with the waybill; now and then the warehouse counts more pieces.
  const bool over_count = random_.chance(1.0 / 12);
  for (size_t n = 0; n < w.lines.size(); ++n) {
    const Line& l = w.lines[n];
    int pieces = l.pieces;
    if (over_count && n == 0) pieces += random_.between(1, 3);
    const double k = double(pieces) / l.pieces;
    const QString place =
        warehouse.left(1) + '-' + number_text(random_.between(1, 30)).rightJustified(2, '0');
    if (!insert("rkd2" + suffix, {w.ysth, int(n + 1), QString::fromUtf8(l.goods->name),
                                  QString::fromUtf8(l.goods->packing), place, QVariant(), pieces,
                                  r2(l.tons * k), r2(l.cubic * k), QVariant()})) {
      return false;
    }
  }
  if (!out_day.isValid()) return true;
  const QVariant taker = arrival ? QVariant(consignee.left(2) + QStringLiteral("经办"))
                                 : QVariant(QString::fromUtf8(w.driver->name));
  const QVariant taker_phone = arrival ? text_or_null(party_text(w.consignee->mobile)) : QVariant();
  if (!insert("ckd1" + suffix,
              {w.ysth, number(mark + 'C', out_day), date_text(out_day), point, warehouse, from, to,
               plate, shipper, consignee, taker, taker_phone, keeper, QVariant(), w.clerk})) {
    return false;
  }
  for (size_t n = 0; n < w.lines.size(); ++n) {
    const Line& l = w.lines[n];
    const int pieces = partial_out ? std::max(1, l.pieces / 2) : l.pieces;
    const double k = double(pieces) / l.pieces;
    if (!insert("ckd2" + suffix, {w.ysth, int(n + 1), QString::fromUtf8(l.goods->name),
                                  QString::fromUtf8(l.goods->packing), QVariant(), QVariant(),
                                  pieces, r2(l.tons * k), r2(l.cubic * k), QVariant()})) {
      return false;
    }
  }
  return true;
}

bool DemoWriter::run(QString* error) {
  auto failed = [&] {
    if (error) *error = error_;
    return false;
  };
  if (!prepare()) return failed();
  const int day_count = demo_day_count(options_.waybills);
  const QDate last = options_.last_day;
  for (int i = 0; i < options_.waybills; ++i) {
    const Waybill w = make_waybill(i, day_count);
    const bool dispatched = w.from == home_;
    const QDate next = std::min(w.day.addDays(1), last);
    if (!write_waybill(w) || !write_ticket(w, false, w.day)) return failed();
    if (dispatched) {
      if (random_.below(3) != 0 && !write_voucher(w, true, w.day)) return failed();
      const QDate out = random_.below(4) != 0 ? next : QDate();
      if (!write_slips(w, false, w.day, out, false)) return failed();
      if (i % 2 == 0 && w.day < last &&
          !insert("qr_table", {w.ysth, QStringLiteral("已确认"), QStringLiteral("admin"),
                               date_text(next) + QStringLiteral(" 17:30:00")})) {
        return failed();
      }
    } else {
      const QDate arrive = std::min(w.day.addDays(random_.between(1, 2)), last);
      if (!write_ticket(w, true, arrive)) return failed();
      if (w.handover == QStringLiteral("送货上门") && !write_voucher(w, false, arrive)) {
        return failed();
      }
      const QDate out = random_.below(3) != 0 ? arrive : QDate();
      if (!write_slips(w, true, arrive, out, random_.chance(0.5))) return failed();
    }
  }
  return true;
}

}  // namespace

int demo_day_count(int waybills) { return std::clamp((waybills + 4) / 5, 5, 730); }

bool write_demo_data(Connection& main_db, const DemoOptions& options, QString* error) {
  DemoWriter writer(main_db, options);
  return writer.run(error);
}

}  // namespace vemo

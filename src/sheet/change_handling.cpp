// What the page does after the user changed cells: formula re-entry, the commit, the
// look-ups and the rules of the waybill, the freight ticket and the warehouse slips.

#include "document/catalog.h"
#include "document/cell_commit.h"
#include "document/cell_save.h"
#include "document/page_save.h"
#include "platform/cell_address.h"
#include "platform/dates.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/sheet.h"
#include "sheet/page_events.h"
#include "sheet/party_lookup.h"
#include "sheet/reconciliation.h"

#include <QStringList>

#include <cmath>
#include <unordered_set>

namespace vemo {

namespace {

const QString kWhere = QStringLiteral("change handling");

bool is_one_of(const QString& address, const QStringList& addresses) {
  return addresses.contains(address.toUpper());
}

// The ticket's cells are merged areas, which the grid reports whole ("M19:O19"): their
// top-left cell names them as well.
bool starts_at_one_of(const Range& range, const QStringList& cells) {
  return is_one_of(range.address(), cells) ||
         is_one_of(cell_address_text(range.area().first()), cells);
}

// The date cell gets today's date when the number is entered and the date is still empty.
// Manual save is off while it is stored. The write itself raises no change: handled as an
// edit, it would run the page rules again and overwrite the loaded station.
void fill_today(Session& session, Sheet& sheet, const QString& date_cell) {
  if (!sheet.range(date_cell).text().trimmed().isEmpty()) return;
  const bool ticked = session.form1.Check2;
  set_check2(session, false);
  sheet.set_enable_events(false);
  sheet.range(date_cell).set_value(today_text());
  save_cell(session, session.main_conn, sheet, date_cell,
            read_page_ysth(session, session.main_conn, sheet));
  sheet.set_enable_events(true);
  set_check2(session, ticked);
}

double amount_of(Sheet& sheet, const QString& address) {
  const CellValue value = sheet.range(address).value();
  if (value.is_empty()) return 0;
  const auto number = value.to_number();
  if (!number) {
    log_skip(kWhere, address, QStringLiteral("not an amount, counted as 0"));
    return 0;
  }
  return *number;
}

// Amounts are compared to the fen: binary fractions (0.1 + 0.2) must not raise a warning.
long long fen(double amount) { return std::llround(amount * 100.0); }

void check_ticket_total(Session& session, Sheet& sheet, const Range& range) {
  const double booked = amount_of(sheet, QStringLiteral("m19:O19"));
  const double cash = amount_of(sheet, QStringLiteral("p19:r19"));
  const double collected = amount_of(sheet, QStringLiteral("s19:u19"));
  const double total = amount_of(sheet, QStringLiteral("d18:l18"));
  if (fen(total) == fen(booked) + fen(cash) + fen(collected)) return;
  session.prompts->tell(kTicketSumMismatch);
  sheet.range(range.address()).select();
}

// Pages whose change is being processed. The processing writes cells with events on (the
// maker's name, loaded values); those changes are its own and must not run the page rules
// again, or the waybill's station would be overwritten in the middle of a load.
std::unordered_set<const Session*>& sessions_in_change() {
  static std::unordered_set<const Session*> busy;
  return busy;
}

class ChangeInProgress {
 public:
  explicit ChangeInProgress(const Session& session) : session_(session) {
    sessions_in_change().insert(&session_);
  }
  ~ChangeInProgress() { sessions_in_change().erase(&session_); }
  ChangeInProgress(const ChangeInProgress&) = delete;
  ChangeInProgress& operator=(const ChangeInProgress&) = delete;

 private:
  const Session& session_;
};

const QStringList kSlipDocuments = {
    QStringLiteral("入库单（到达）"), QStringLiteral("入库单（发送）"),
    QStringLiteral("出库单（到达）"), QStringLiteral("出库单（发送）")};
const QStringList kQuantityCells = {"F8", "F9", "F10", "G8", "G9", "G10", "H8", "H9", "H10"};

}  // namespace

bool holds_formula(const Range& range) {
  return range.valid() && range.sheet()->has_formula(range.area().first());
}

void fill_departure_station(Session& session, Sheet& sheet) {
  const bool events = sheet.enable_events();
  sheet.set_enable_events(false);
  sheet.range(QStringLiteral("c5:d5")).set_value(session.start_station);
  set_check2(session, true);
  sheet.set_enable_events(events);
}

void on_content_changed(Session& session, const Range& range) {
  MainWindowModel& form = session.form1;
  form.List1.visible = false;
  form.List2.visible = false;
  if (!range.valid()) return;
  Sheet& sheet = *range.sheet();
  const QString address = range.address().toUpper();

  // A formula is put back as it was typed; with events off, or the write would raise this
  // very change again without end.
  if (holds_formula(range)) {
    const QString formula = range.formula();
    sheet.set_enable_events(false);
    sheet.range(address).set_formula(formula);
    sheet.set_enable_events(true);
    return;
  }
  if (session.sheet_edit_mode != kEditGuardArmed) return;
  if (sessions_in_change().count(&session) > 0) {
    log_debug(kWhere, address + QStringLiteral(" was written by the processing itself"));
    return;
  }
  const ChangeInProgress in_progress(session);

  session.pump();
  commit_cell_edit(session, range);
  session.pump();

  run_party_lookup_for(session, sheet, LookupTrigger::Typed);

  const QString document = sheet.name();
  if (document == kWaybillDocument) {
    if (!is_one_of(address, {"M2", "C5:D5"})) fill_departure_station(session, sheet);
    if (address == QStringLiteral("M2")) fill_today(session, sheet, QStringLiteral("C4:D4"));
  }
  if (document == kTicketDocument) {
    if (starts_at_one_of(range, {"T2", "U2"})) fill_today(session, sheet, QStringLiteral("J4:L4"));
    if (starts_at_one_of(range, {"M19", "P19", "S19"})) check_ticket_total(session, sheet, range);
  }

  if (kQuantityCells.contains(address) && kSlipDocuments.contains(document)) {
    if (form.Check2) {
      session.pump();
      commit_cell_edit(session, range);
      session.pump();
    }
    form.List3.clear();
    reconcile_quantities(session, sheet);
  } else {
    form.List3.clear();
    form.List3.visible = false;
  }
  sheet.set_enable_events(true);
  session.sheet_edit_mode = kEditGuardDisarmed;
}

}  // namespace vemo

// Range operations, forwarded to the sheet; an invalid range reads empty and writes nothing.
#include "platform/range.h"

#include "platform/log.h"
#include "platform/sheet.h"

namespace vemo {

namespace {

const CellFormat& default_format() {
  static const CellFormat format;
  return format;
}

bool usable(const Range& r, const char* what) {
  if (r.valid()) return true;
  log_skip("range", QString::fromLatin1(what), "invalid range");
  return false;
}

// Office's numeric border constants map onto ours.
int border_weight(int weight) {
  if (weight == -4138) return 3;
  return weight >= 1 && weight <= 4 ? weight : -1;
}

int line_style(int style) {
  switch (style) {
    case -4142:
      return kLineNone;
    case -4115:
      return 2;
    case -4118:
      return 3;
    case -4119:
      return 4;
    default:
      return style >= 0 && style <= 4 ? style : -1;
  }
}

}  // namespace

QString Range::address() const { return valid() ? area_address_text(area_) : QString(); }

int Range::count() const { return valid() ? sheet_->unit_count(area_) : 0; }

Range Range::cell(int n) const {
  if (!valid()) return Range();
  const auto unit = sheet_->unit_at(area_, n);
  if (!unit) {
    log_skip("range", QStringLiteral("cell %1 of %2").arg(n).arg(address()), "out of range");
    return Range();
  }
  return Range(sheet_, *unit);
}

CellValue Range::value() const { return valid() ? sheet_->value(area_.first()) : CellValue(); }

void Range::set_value(const QString& input) const {
  if (usable(*this, "write value")) sheet_->write_input(area_, input);
}

void Range::set_value(double number) const { set_value(CellValue::number(number)); }

void Range::set_value(const CellValue& value) const {
  if (usable(*this, "write value")) sheet_->write_value(area_, value);
}

void Range::clear_contents() const { set_value(CellValue()); }

QString Range::formula() const { return valid() ? sheet_->formula(area_.first()) : QString(); }

void Range::set_formula(const QString& formula) const {
  if (usable(*this, "write formula")) sheet_->write_formula(area_, formula);
}

bool Range::locked() const { return valid() ? sheet_->locked(area_.first()) : true; }

void Range::set_locked(bool on) const {
  if (usable(*this, "lock")) sheet_->update_format(area_, [on](CellFormat& f) { f.locked = on; });
}

void Range::select() const {
  if (usable(*this, "select")) sheet_->select(area_);
}

Range Range::entire_rows() const {
  if (!valid()) return Range();
  return sheet_->range(CellArea{area_.top, 1, area_.bottom, kMaxColumns});
}

void Range::auto_fit_rows() const {
  if (usable(*this, "auto-fit rows")) sheet_->auto_fit_rows(area_.top, area_.bottom);
}

void Range::copy_to(const Range& destination) const {
  if (!usable(*this, "copy") || !usable(destination, "copy")) return;
  if (destination.sheet() != sheet_) {
    log_skip("range", "copy", "destination on another sheet");
    return;
  }
  sheet_->copy(area_, destination.area());
}

void Range::insert_shift_down() const {
  if (usable(*this, "insert")) sheet_->insert_rows(area_.top, rows());
}

void Range::set_border_color(const QString& color) const {
  if (!usable(*this, "border colour")) return;
  const auto text = color_text(color);
  if (!text) {
    log_skip("range", QStringLiteral("border colour \"%1\"").arg(color), "unknown colour");
    return;
  }
  sheet_->update_format(area_, [&](CellFormat& f) {
    for (Border& b : f.borders) {
      b.color = *text;
      if (!b.visible()) b.line_style = kLineContinuous;
    }
  });
}

void Range::set_border_weight(int weight) const {
  if (!usable(*this, "border weight")) return;
  const int w = border_weight(weight);
  if (w < 0) {
    log_skip("range", QStringLiteral("border weight %1").arg(weight), "unknown weight");
    return;
  }
  sheet_->update_format(area_, [&](CellFormat& f) {
    for (Border& b : f.borders) {
      b.weight = w;
      if (!b.visible()) b.line_style = kLineContinuous;
    }
  });
}

void Range::set_border_line_style(int style) const {
  if (!usable(*this, "border line style")) return;
  const int s = line_style(style);
  if (s < 0) {
    log_skip("range", QStringLiteral("border line style %1").arg(style), "unknown style");
    return;
  }
  sheet_->update_format(area_, [&](CellFormat& f) {
    for (Border& b : f.borders) b.line_style = s;
  });
}

const CellFormat& Range::format() const {
  return valid() ? sheet_->format(area_.first()) : default_format();
}

void Range::set_format(const CellFormat& format) const {
  if (usable(*this, "format")) sheet_->set_format(area_, format);
}

void Range::set_number_format(const QString& number_format) const {
  if (usable(*this, "number format"))
    sheet_->update_format(area_, [&](CellFormat& f) { f.number_format = number_format; });
}

void Range::merge() const {
  if (usable(*this, "merge")) sheet_->merge(area_);
}

int Range::left() const { return valid() ? sheet_->column_left(area_.left) : 0; }
int Range::top() const { return valid() ? sheet_->row_top(area_.top) : 0; }

}  // namespace vemo

// Capital numerals. The algorithm is positional text surgery with 1-based positions;
// Text below keeps those positions readable and turns out-of-range steps into no-ops.
//
// Outside the defined range (0 <= amount < 10^13): a negative amount is written as
// 负 followed by the capitals of its magnitude; amounts of 10^13 and above put the
// surplus digits into the first place, as the digit-laying rule does; the fixed
// conversion of 0 gives 零圆.
#include "platform/capital_numerals.h"

#include "platform/number_text.h"

#include <cmath>

namespace vemo {
namespace {

const QString kDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
const QString kIntegerMask = QStringLiteral("#万#仟#佰#拾#亿#仟#佰#拾#万#仟#佰#拾#");
const QString kFullMask = QStringLiteral("#万#仟#佰#拾#亿#仟#佰#拾#万#仟#佰#拾#圆#角#分");
const QChar kZero = kDigits[0];

// 1-based character access: a position outside the text reads as nothing.
QString char_at(const QString& s, int pos) {
  return pos >= 1 && pos <= s.size() ? QString(s[pos - 1]) : QString();
}
// The first m characters; a negative m cannot be taken (the caller skips the step).
bool left(const QString& s, int m, QString* out) {
  if (m < 0) return false;
  *out = s.left(m);
  return true;
}

// Digits of amount × 10^places, everything from the decimal point on dropped.
QString whole_digits(double value) {
  QString text = number_text(value);
  if (text.contains('e')) text = QString::number(std::trunc(value), 'f', 0);
  const int dot = text.indexOf('.');
  if (dot >= 0) text.truncate(dot);
  if (text == QLatin1String("0")) return QString();
  return text;
}

QString lay_digits(const QString& digits, const QString& mask) {
  const int places = mask.count('#');
  QString out;
  int place = 0;
  for (const QChar c : mask) {
    if (c != '#') {
      out += c;
      continue;
    }
    ++place;
    const int surplus = digits.size() - places;  // > 0: the first place takes the extra digits
    if (place == 1 && surplus > 0) {
      out += digits.left(surplus + 1);
    } else {
      const int index = digits.size() - (places - place) - 1;
      if (index >= 0 && index < digits.size()) out += digits[index];
    }
  }
  return out;
}

// Capital digits, and nothing before the first of them.
QString to_capitals(const QString& laid) {
  QString out;
  bool started = false;
  for (const QChar c : laid) {
    if (c >= '0' && c <= '9') {
      started = true;
      out += kDigits[c.unicode() - '0'];
    } else if (started) {
      out += c;
    }
  }
  return out;
}

QString capital_amount_nonnegative(double a, const QString& unit_template) {
  const double v = a >= 1 ? a : a + 1;
  const int semicolon = unit_template.indexOf(';');
  const QString u = semicolon < 0 ? unit_template : unit_template.left(semicolon);
  const int n = semicolon < 0 ? 0 : unit_template.mid(semicolon + 1).trimmed().toInt();
  if (a == 0) return QStringLiteral("/");

  QString s = to_capitals(lay_digits(whole_digits(v * std::pow(10.0, n)), kIntegerMask + u));
  const int big_n = s.size();

  QString t;
  for (int pos = u.size() - 1; pos >= 1; --pos) {
    if (u[pos - 1] == '#') {
      t = u.mid(pos);
      break;
    }
  }
  int p = s.indexOf(QStringLiteral("点")) + 1;
  if (p == 0) p = s.indexOf(QStringLiteral("元")) + 1;

  const bool u_has_yuan = u.contains(QStringLiteral("元"));
  int fraction_seen = 0;  // F
  int integer_seen = 0;   // G
  int zero_run = 0;       // Z
  int kept_tail = 0;      // R
  QString c;
  for (int i = t.size(); i <= big_n; ++i) {
    const int k = big_n - i + 1;
    if (k > p - 1) {
      if (k - 1 >= 1) c = char_at(s, k - 1);  // position 0 cannot be read: c stays
      if (c != kZero && c != QStringLiteral("角")) fraction_seen = 1;
      QString head;
      if (fraction_seen == 0 && u_has_yuan && c == kZero && left(s, k - 2, &head)) {
        s = head + QStringLiteral("整");
      }
      if (fraction_seen == 0 && i <= u.size() && !u_has_yuan && c == kZero) {
        const int keep = char_at(s, k - 2) == QStringLiteral("点") ? k - 3 : k - 2;
        if (left(s, keep, &head)) s = head + t;
      }
    } else {
      c = char_at(s, k);
      const QString unit = char_at(s, k + 1);
      ++i;  // this step covers a digit and its unit
      if (c != kZero) integer_seen = 1;
      if (unit == QStringLiteral("万")) {
        integer_seen = 0;
        zero_run = 0;
      }
      if (integer_seen == 1 && c == kZero && k + 1 <= s.size()) s.remove(k, 1);
      if (integer_seen == 0 && c == kZero) {
        ++zero_run;
        if (zero_run == 1) kept_tail = s.size() - k;
        QString head;
        if (left(s, k - 1, &head) && kept_tail >= 0) s = head + s.right(kept_tail);
      }
    }
  }
  if (!u_has_yuan && !t.isEmpty() && s.size() >= t.size()) {
    s = s.left(s.size() - t.size()) + t;
  }
  if (a < 1 && !s.isEmpty()) s[0] = kZero;
  return capital_cleanup(s);
}

QString capital_amount_fixed_nonnegative(double a) {
  const QString digits = whole_digits(a * 100);
  if (digits.isEmpty()) return QStringLiteral("零圆");
  const QString s = to_capitals(lay_digits(digits, kFullMask));
  for (const QString& tail : {QStringLiteral("零角零分"), QStringLiteral("零分")}) {
    const int at = s.indexOf(tail);
    if (at >= 0) return s.left(at);
  }
  return s;
}

}  // namespace

QString capital_amount(double amount, const QString& unit_template) {
  if (!std::isfinite(amount)) return QStringLiteral("/");
  if (amount < 0) return QStringLiteral("负") + capital_amount_nonnegative(-amount, unit_template);
  return capital_amount_nonnegative(amount, unit_template);
}

QString capital_amount_fixed(double amount) {
  if (!std::isfinite(amount)) return QStringLiteral("零圆");
  if (amount < 0) return QStringLiteral("负") + capital_amount_fixed_nonnegative(-amount);
  return capital_amount_fixed_nonnegative(amount);
}

QString capital_cleanup(const QString& text) {
  static const struct {
    const char* from;
    const char* to;
  } kInserts[] = {{"拾万", "拾万零"}, {"佰万", "佰万零"}, {"仟万", "仟万零"},
                  {"仟拾", "仟零"},   {"佰拾", "佰零"},   {"万拾", "万零"}};
  QString x = text;
  const int first_bound = x.size();
  for (int i = 1; i <= first_bound; ++i) {
    const QString pair = x.mid(i - 1, 2);
    for (const auto& insert : kInserts) {
      if (pair == QString::fromUtf8(insert.from)) {
        x = x.left(i - 1) + QString::fromUtf8(insert.to) + x.mid(i + 1);
        ++i;
        break;
      }
    }
  }
  const int second_bound = x.size();
  int run = 0;
  int run_start = 0;
  for (int j = 1; j <= second_bound; ++j) {
    if (char_at(x, j) == kZero) {
      if (run == 0) run_start = j - 1;
      ++run;
      continue;
    }
    if (run > 1) {
      x = x.left(run_start) + kZero + x.mid(j - 1);
      j = run_start + 1;
    }
    run = 0;
    run_start = 0;
  }
  return x;
}

}  // namespace vemo

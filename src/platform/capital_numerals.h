// Amounts written out in Chinese capital numerals (大写), as printed bills show them.
#pragma once

#include <QString>

namespace vemo {

// The unit-template conversion of a cell-map row: template "U;n", e.g. "元#角#分;2".
// 0 gives "/". The output of each step is fixed by the bills already in circulation,
// quirks included (100000 gives 壹拾万零元整).
QString capital_amount(double amount, const QString& unit_template);

// The fixed 圆/角/分 conversion of the capital-amount cell actions (100 gives 壹佰零拾零圆).
QString capital_amount_fixed(double amount);

// The last step of capital_amount: inserts 零 after 拾万/佰万/仟万 and collapses 零 runs.
QString capital_cleanup(const QString& text);

}  // namespace vemo

// Key templates: record filters with one ";" per part of the page key.
#pragma once

#include <QString>

namespace vemo {

inline constexpr int kMaxKeyParts = 100;

// Puts the "*"-separated parts of the key into the ";" placeholders in order. Surplus
// parts (and parts past the hundredth) are dropped, surplus ";" stay. A part is made
// safe for where its placeholder stands: inside '…' its quotes are doubled; inside a
// #…# date only date characters are kept; standing bare, a number is written as it is
// and anything else as a quoted text.
QString fill_key_template(const QString& key_template, const QString& key);

}  // namespace vemo

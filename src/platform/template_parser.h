// Reads the one table of an HTML page template into a PageTemplate.
#pragma once

#include "platform/page_template.h"

#include <QByteArray>
#include <optional>

namespace vemo {

// Nothing when the text holds no usable table (the reason is logged); spans that reach past
// the table or the column limit are clipped, as browsers do.
std::optional<PageTemplate> parse_page_template(const QByteArray& html);

}  // namespace vemo

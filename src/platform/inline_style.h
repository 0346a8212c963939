// Applies a template cell's inline "style" attribute to its formatting.
#pragma once

#include "platform/template_style.h"

#include <QString>

namespace vemo {

// Unknown properties and unreadable values are left out (and logged), never fatal.
void apply_inline_style(const QString& css, TemplateStyle& style);

}  // namespace vemo

// A sheet cell's format in Qt terms: font, colours, alignment.
#pragma once

#include "platform/cell_format.h"
#include "platform/cell_value.h"

#include <QColor>
#include <QFont>

namespace vemo {

QFont qt_font(const CellFont& font);

// An invalid colour for "" or unreadable text.
QColor qt_color(const QString& color);

// General alignment puts numbers right and everything else left, as spreadsheets do.
Qt::Alignment qt_alignment(const CellFormat& format, const CellValue& value);

}  // namespace vemo

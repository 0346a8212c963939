// Stored cell references: document name, ".", address.
#pragma once

#include <QString>

namespace vemo {

// The address of a stored reference: the text after its first "."; a bare address whole.
QString reference_address(const QString& reference);

// The reference of a cell of a document, in the form the tables store.
QString cell_reference(const QString& document, const QString& address);

}  // namespace vemo

// Readable gtest output for Qt values.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
QT_END_NAMESPACE

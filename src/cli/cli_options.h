// Command-line words: the command, positional arguments and --options.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace vemo::cli {

struct Options {
  QString command;
  QStringList positional;
  QMap<QString, QString> values;  // --name value
  QStringList flags;              // --name without a value

  bool has(const QString& name) const { return flags.contains(name) || values.contains(name); }
  QString value(const QString& name) const { return values.value(name); }
};

// Options that take a value; every other --word is a flag.
Options parse_options(const QStringList& args, const QStringList& valued);

}  // namespace vemo::cli

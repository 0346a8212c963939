// Argument parsing.
#include "cli/cli_options.h"

namespace vemo::cli {

Options parse_options(const QStringList& args, const QStringList& valued) {
  Options options;
  for (int i = 0; i < args.size(); ++i) {
    const QString& word = args[i];
    if (word.startsWith(QLatin1String("--")) && word.size() > 2) {
      const QString name = word.mid(2);
      const int eq = name.indexOf('=');
      if (eq > 0) {
        options.values.insert(name.left(eq), name.mid(eq + 1));
      } else if (valued.contains(name) && i + 1 < args.size()) {
        options.values.insert(name, args[++i]);
      } else {
        options.flags << name;
      }
    } else if (word == QLatin1String("-h")) {
      options.flags << QStringLiteral("help");
    } else if (options.command.isEmpty()) {
      options.command = word;
    } else {
      options.positional << word;
    }
  }
  return options;
}

}  // namespace vemo::cli

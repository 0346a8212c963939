// The commands of vemo-cli.
#pragma once

#include "cli/cli_options.h"

#include <QTextStream>

namespace vemo::cli {

struct Io {
  QTextStream& out;
  QTextStream& err;
};

struct Command {
  const char* name;
  const char* usage;    // after "vemo-cli "
  const char* summary;  // one line, Chinese
  int (*run)(const Options& options, Io& io);
};

int run_login(const Options& options, Io& io);
int run_confirm(const Options& options, Io& io);
int run_init(const Options& options, Io& io);
int run_report(const Options& options, Io& io);
int run_mode(const Options& options, Io& io);
int run_render(const Options& options, Io& io);
int run_serve(const Options& options, Io& io);

}  // namespace vemo::cli

// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <cstdio>

#include "console/io/runtime.h"
#include "console/io/stdio_console.h"
#include "run/run_driver.h"

int main() {
  veska::io::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::io::Runtime runtime(console);
  try {
    veska::run::runCrossdating(runtime);
  } catch (const veska::io::RunEnded& ended) {
    return ended.status;
  }
}

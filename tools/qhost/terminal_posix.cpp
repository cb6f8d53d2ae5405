#include <unistd.h>

#include "line_reader.h"

namespace qhost {

bool StdinIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

}  // namespace qhost

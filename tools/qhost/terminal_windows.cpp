#include <io.h>

#include <cstdio>

#include "line_reader.h"

namespace qhost {

bool StdinIsTerminal() {
  return _isatty(_fileno(stdin)) != 0;
}

}  // namespace qhost

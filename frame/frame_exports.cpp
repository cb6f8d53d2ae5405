#include <cstring>

#include "frame/export_frame.h"
#include "quorlin.h"

using namespace quorlin::frame;

void QUORLIN_CALL SQLSetDebug(int flag) {
  RunExport([&] { Frame().debugFlag = flag; });
}

int QUORLIN_CALL SQLLastError(char* buffer, unsigned int size) {
  return RunExport(-1, [&] {
    const LastErrorText& text = Frame().lastError;
    const std::size_t length = text.Length();
    if (buffer == nullptr || size <= length) return -1;
    std::memcpy(buffer, text.Text(), length + 1);
    return 0;
  });
}

#include "frame/export_frame.h"
#include "quorlin.h"
#include "viewer/display.h"

using namespace quorlin;

void QUORLIN_CALL SQLDisplay(int rowsPerPage) {
  frame::RunExport([&] { viewer::Display(rowsPerPage); });
}

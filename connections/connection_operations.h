#pragma once

#include <string>

#include "frame/failure.h"

namespace quorlin::connections {

// The id of an open connection for connect whose server is still there, or of a new one; -1
// when none could be made.
int ConnectToDatabase(const std::string& connect);

// Lets an operator compose a connect string in a dialog and copies it, with terminator,
// into buffer when it fits. reportErrors: database errors go to the last-error text;
// otherwise they are shown in a message box and the last-error text stays.
frame::Outcome<int> ConnectStringFromDialog(char* buffer, unsigned int size, bool reportErrors);

}  // namespace quorlin::connections

#pragma once

#include "viewer/view_data_dialog.h"

namespace quorlin::viewer {

// Shows the dialog modally in this platform's toolkit, built from the "View data" template
// in the user interface language, and returns when the operator has closed it. Throws
// platform::DialogUnavailableError, showing nothing, where no window can be shown. An
// exception that escapes the dialog's initialisation closes it and is thrown from here.
void RunViewDataDialog(ViewDataDialog& dialog);

}  // namespace quorlin::viewer

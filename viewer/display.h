#pragma once

namespace quorlin::viewer {

// Shows the current recordset in the modal "View data" dialog, rowsPerPage records a page,
// and leaves it wherever the operator's paging ended. Throws the profile's failure for
// nothing to display, showing nothing, when there is no current recordset.
void Display(int rowsPerPage);

}  // namespace quorlin::viewer

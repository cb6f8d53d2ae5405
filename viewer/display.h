#pragma once

namespace quorlin::viewer {

// Shows the current recordset in the modal "View data" dialog, rowsPerPage records a page,
// and leaves it wherever the operator's paging ended. Reports that there is nothing to
// display, as the profile tells it, and shows nothing when there is no current recordset.
void Display(int rowsPerPage);

}  // namespace quorlin::viewer

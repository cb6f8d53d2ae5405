#pragma once

namespace quorlin::test {

// Makes the test process a host application that runs the GUI toolkit itself, as the
// printer library expects of its callers. False when no display can be opened.
bool StartToolkitAsHost();

// Handles what the toolkit has queued (painting, deferred deletions) for a moment.
void LetToolkitSettle();

}  // namespace quorlin::test

#pragma once

#include <string>
#include <vector>

#include "quorlin.h"
#include "session.h"

namespace qhost {

// Reads a bind-table file with the library's GetBindTable and copies the entries out; the
// library's array is freed with operator delete, as the contract says. On failure it prints
// the result and the library's message and returns false.
bool LoadBindTable(Session& session, const std::string& path, std::vector<BindEntry>& entries);

// The zero-terminated field name of an entry (all 64 bytes when it has no terminator).
std::string FieldNameOf(const BindEntry& entry);

}  // namespace qhost

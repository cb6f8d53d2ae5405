#pragma once

#include "frame/failure.h"
#include "quorlin.h"

namespace quorlin::records {

// Each returns the export's result, with what the host is told besides; a failure that ends
// the export is thrown.
int GetFieldValue(const char* field, char* buffer, int size);
frame::Outcome<int> GetFields(int count, const BindEntry* entries, char* buffer);

}  // namespace quorlin::records

#pragma once

#include "quorlin.h"

namespace quorlin::records {

// Each returns the export's result and reports its own failures.
int GetFieldValue(const char* field, char* buffer, int size);
int GetFields(int count, const BindEntry* entries, char* buffer);

}  // namespace quorlin::records

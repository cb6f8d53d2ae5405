#include "field_specs.h"

#include <algorithm>
#include <cstring>

#include "arguments.h"
#include "code_names.h"
#include "quorlin.h"

namespace qhost {

namespace {

constexpr std::size_t kSlotSize = QUORLIN_VALUE_SLOT_SIZE;

}  // namespace

ColumnSpec ParseColumnSpec(const std::string& word) {
  const std::size_t colon = word.find(':');
  if (colon == std::string::npos || colon == 0) {
    throw UsageError("'" + word + "' is not NAME:TYPE or NAME:TYPE:EXTRA");
  }
  const std::size_t second = word.find(':', colon + 1);
  ColumnSpec spec;
  spec.name = word.substr(0, colon);
  spec.type = ParseTypeCode(word.substr(colon + 1, second - colon - 1));
  if (second != std::string::npos) spec.extra = word.substr(second + 1);
  return spec;
}

FieldValueSpec ParseFieldValueSpec(const std::string& word) {
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) throw UsageError("'" + word + "' is not NAME:TYPE=VALUE");
  const ColumnSpec column = ParseColumnSpec(word.substr(0, equals));
  if (!column.extra.empty()) throw UsageError("'" + word + "' is not NAME:TYPE=VALUE");
  return {column.name, column.type, word.substr(equals + 1)};
}

std::vector<char> SlotBlock(const std::vector<std::string>& texts, std::size_t minimumSlots) {
  const std::size_t slots = std::max<std::size_t>({texts.size(), minimumSlots, 1});
  std::vector<char> block(slots * kSlotSize, '\0');
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].size() >= kSlotSize) {
      throw UsageError("'" + texts[i] + "' is longer than 63 characters");
    }
    std::memcpy(block.data() + i * kSlotSize, texts[i].data(), texts[i].size());
  }
  return block;
}

}  // namespace qhost

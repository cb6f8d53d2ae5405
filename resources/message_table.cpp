#include "resources/message_table.h"

#include <iterator>

namespace quorlin::resources {
namespace {

constexpr platform::StringResource kMessages[] = {
#define QUORLIN_MESSAGE(id, english, chinese) {id, english, chinese},
#include "resources/messages.inc"
#undef QUORLIN_MESSAGE
};

constexpr platform::StringTable kTable{kMessages, std::size(kMessages)};

}  // namespace

const platform::StringTable& MessageTable() {
  return kTable;
}

}  // namespace quorlin::resources

#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace quorlin::platform {

// The values of one row as text, back to back in one buffer that is reused from row to
// row, so that reading a row copies each value once and allocates nothing once warm.
// A row can instead refer to values kept elsewhere (a block of rows the driver filled),
// which then costs no copy at all; it is valid only as long as that storage.
class RowText {
 public:
  void Clear() {
    m_size = 0;
    m_ends.clear();
    m_views.clear();
  }
  // Room for at least count more bytes of the value being read.
  char* Reserve(std::size_t count);
  void Commit(std::size_t count) { m_size += count; }
  void EndValue() { m_ends.push_back(m_size); }
  // Gives back the spare room of a row that is kept, not reused.
  void ShrinkToFit();
  // Replaces the row by count values stored elsewhere, to be set in place through the
  // pointer; a row holds either such values or its own, never both.
  std::string_view* ViewSlots(std::size_t count) {
    m_size = 0;
    m_ends.clear();
    m_views.resize(count);
    return m_views.data();
  }

  std::size_t Count() const { return m_views.empty() ? m_ends.size() : m_views.size(); }
  std::string_view operator[](std::size_t index) const {
    if (!m_views.empty()) return m_views[index];
    const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
    if (m_ends[index] == begin) return {};  // also when no byte was ever stored
    return std::string_view(m_data.get() + begin, m_ends[index] - begin);
  }

 private:
  std::unique_ptr<char[]> m_data;
  std::size_t m_capacity = 0;
  std::size_t m_size = 0;
  std::vector<std::size_t> m_ends;
  std::vector<std::string_view> m_views;
};

// Copies value into a slot of size bytes as strncpy would: up to its first zero byte (some
// drivers hand over zero bytes inside values), at most size bytes, the rest of the slot zero.
inline void CopyIntoSlot(std::string_view value, char* slot, std::size_t size) {
  const std::size_t limit = value.size() < size ? value.size() : size;
  // strncpy reads no further than limit bytes, and finds the first zero byte without the
  // mispredicted branches that a byte loop takes on values of varying length.
  if (limit > 0) std::strncpy(slot, value.data(), limit);
  std::memset(slot + limit, 0, size - limit);
}

// The same for a value followed by a zero byte (value[length] == 0): one call of strncpy, which
// stops at that byte at the latest.
inline void CopyTerminatedIntoSlot(const char* value, char* slot, std::size_t size) {
  std::strncpy(slot, value, size);
}

}  // namespace quorlin::platform

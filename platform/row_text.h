#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quorlin::platform {

// The values of one row as text, back to back in one buffer that is reused from row to
// row, so that reading a row copies each value once and allocates nothing once warm.
class RowText {
 public:
  void Clear() {
    m_size = 0;
    m_ends.clear();
  }
  // Room for at least count more bytes of the value being read.
  char* Reserve(std::size_t count);
  void Commit(std::size_t count) { m_size += count; }
  void EndValue() { m_ends.push_back(m_size); }
  // Gives back the spare room of a row that is kept, not reused.
  void ShrinkToFit();

  std::size_t Count() const { return m_ends.size(); }
  std::string_view operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
    if (m_ends[index] == begin) return {};  // also when no byte was ever stored
    return std::string_view(m_data.get() + begin, m_ends[index] - begin);
  }

 private:
  std::unique_ptr<char[]> m_data;
  std::size_t m_capacity = 0;
  std::size_t m_size = 0;
  std::vector<std::size_t> m_ends;
};

}  // namespace quorlin::platform

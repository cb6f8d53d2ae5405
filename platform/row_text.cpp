#include "platform/row_text.h"

#include <cstring>

namespace quorlin::platform {

char* RowText::Reserve(std::size_t count) {
  if (m_capacity - m_size < count) {
    std::size_t capacity = m_capacity == 0 ? 256 : m_capacity * 2;
    while (capacity - m_size < count) capacity *= 2;
    std::unique_ptr<char[]> data(new char[capacity]);
    if (m_size > 0) std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
  }
  return m_data.get() + m_size;
}

void RowText::ShrinkToFit() {
  std::unique_ptr<char[]> data(m_size > 0 ? new char[m_size] : nullptr);
  if (m_size > 0) std::memcpy(data.get(), m_data.get(), m_size);
  m_data = std::move(data);
  m_capacity = m_size;
  m_ends.shrink_to_fit();
}

}  // namespace quorlin::platform

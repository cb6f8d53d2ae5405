#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorlin::test {

// A top-level window holding a report-view list control with the given headers and rows
// (UTF-8), as the View data dialog holds its page. Destroyed with the object.
class ReportList {
 public:
  ReportList(const std::vector<std::string>& headers,
             const std::vector<std::vector<std::string>>& rows);
  ~ReportList();
  ReportList(const ReportList&) = delete;
  ReportList& operator=(const ReportList&) = delete;

  HWND Window() const { return m_window; }
  HWND List() const { return m_list; }
  void SetCell(int row, int column, const std::string& text);

 private:
  HWND m_window = nullptr;
  HWND m_list = nullptr;
};

std::vector<std::string> OrderHeaders();
std::vector<std::vector<std::string>> OrderRows();
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace quorlin::test

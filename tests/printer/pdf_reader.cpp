#include "pdf_reader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace quorlin::test {
namespace {

struct PipeCloser {
  void operator()(FILE* pipe) const { pclose(pipe); }
};

bool Run(const std::string& command, std::string& output) {
  std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
  if (!pipe) return false;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) output.append(buffer, read);
  return pclose(pipe.release()) == 0;
}

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

std::string InfoLine(const std::string& path, const std::string& key) {
  std::string info;
  if (!Run("pdfinfo " + Quoted(path) + " 2>/dev/null", info)) return {};
  std::istringstream lines(info);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + ":", 0) == 0) {
      const std::size_t value = line.find_first_not_of(' ', key.size() + 1);
      return value == std::string::npos ? std::string() : line.substr(value);
    }
  }
  return {};
}

}  // namespace

std::string PdfText(const std::string& path) {
  std::string text;
  if (!Run("pdftotext -enc UTF-8 " + Quoted(path) + " - 2>/dev/null", text)) {
    return "<pdftotext failed>";
  }
  return text;
}

int PdfPageCount(const std::string& path) {
  const std::string pages = InfoLine(path, "Pages");
  return pages.empty() ? -1 : std::atoi(pages.c_str());
}

PageSize PdfPageSize(const std::string& path) {
  // "595.276 x 841.89 pts (A4)"
  const std::string size = InfoLine(path, "Page size");
  PageSize page;
  if (std::sscanf(size.c_str(), "%lf x %lf", &page.width, &page.height) != 2) return {};
  return page;
}

bool SamePageSize(const PageSize& left, const PageSize& right) {
  return std::fabs(left.width - right.width) < 0.01 && std::fabs(left.height - right.height) < 0.01;
}

bool PdfToolsInstalled() {
  return std::system(
             "command -v pdftotext >/dev/null 2>&1 && command -v pdfinfo >/dev/null 2>&1") == 0;
}

}  // namespace quorlin::test

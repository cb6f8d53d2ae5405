#include "core/page_setup_file.h"

#include <fstream>
#include <map>
#include <string>

namespace mirvale {
namespace {

constexpr int kSmallestPaperMm = 10;
constexpr int kLargestPaperMm = 5000;
constexpr int kWidestMarginMm = 1000;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The key=value lines of the [PageSetup] section.
std::map<std::string, std::string> PageSetupSection(std::istream& in) {
  std::map<std::string, std::string> values;
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    line = Trimmed(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      inSection = line == "[PageSetup]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string::npos) {
      values[Trimmed(line.substr(0, equals))] = Trimmed(line.substr(equals + 1));
    }
  }
  return values;
}

void ReadNumber(const std::map<std::string, std::string>& values, const char* key, int lowest,
                int highest, int& target) {
  const auto found = values.find(key);
  if (found == values.end()) return;
  try {
    std::size_t used = 0;
    const int value = std::stoi(found->second, &used);
    if (used == found->second.size() && value >= lowest && value <= highest) target = value;
  } catch (const std::exception&) {
    // Not a number: the default stays.
  }
}

}  // namespace

std::optional<PaperLayout> ReadPageSetupFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  const std::map<std::string, std::string> values = PageSetupSection(in);
  PaperLayout layout;
  ReadNumber(values, "PaperWidthMm", kSmallestPaperMm, kLargestPaperMm, layout.paperWidthMm);
  ReadNumber(values, "PaperHeightMm", kSmallestPaperMm, kLargestPaperMm, layout.paperHeightMm);
  ReadNumber(values, "MarginLeftMm", 0, kWidestMarginMm, layout.marginLeftMm);
  ReadNumber(values, "MarginTopMm", 0, kWidestMarginMm, layout.marginTopMm);
  ReadNumber(values, "MarginRightMm", 0, kWidestMarginMm, layout.marginRightMm);
  ReadNumber(values, "MarginBottomMm", 0, kWidestMarginMm, layout.marginBottomMm);
  const auto orientation = values.find("Orientation");
  if (orientation != values.end()) layout.landscape = orientation->second == "Landscape";
  return layout;
}

bool WritePageSetupFile(const std::string& path, const PaperLayout& layout) {
  std::ofstream out(path, std::ios::trunc);
  if (!out) return false;
  out << "; Page setup of the report printer\n"
      << "[PageSetup]\n"
      << "PaperWidthMm=" << layout.paperWidthMm << '\n'
      << "PaperHeightMm=" << layout.paperHeightMm << '\n'
      << "Orientation=" << (layout.landscape ? "Landscape" : "Portrait") << '\n'
      << "MarginLeftMm=" << layout.marginLeftMm << '\n'
      << "MarginTopMm=" << layout.marginTopMm << '\n'
      << "MarginRightMm=" << layout.marginRightMm << '\n'
      << "MarginBottomMm=" << layout.marginBottomMm << '\n';
  out.close();
  return !out.fail();
}

}  // namespace mirvale

#include "core/printer_settings.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "call_log.h"
#include "core/page_setup_file.h"

namespace mirvale {
namespace {

constexpr int kWidestMarginMm = 1000;

std::string Numbers(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += (text.empty() ? "" : ", ") + std::to_string(value);
  return text;
}

void KeepMargin(int requested, int& margin) {
  if (requested >= 0) margin = std::min(requested, kWidestMarginMm);
}

}  // namespace

std::string PrinterSettings::Quoted(const char* text) {
  return text != nullptr ? '"' + std::string(text) + '"' : std::string("null");
}

void PrinterSettings::SetOrientation(int landscape) {
  Guarded([&] {
    LogCall("SetOrientation(" + Numbers({landscape}) + ")");
    m_paper.landscape = landscape != 0;
    return true;
  });
}

void PrinterSettings::SetMargins(int left, int top, int right, int bottom) {
  Guarded([&] {
    LogCall("SetMargins(" + Numbers({left, top, right, bottom}) + ")");
    KeepMargin(left, m_paper.marginLeftMm);
    KeepMargin(top, m_paper.marginTopMm);
    KeepMargin(right, m_paper.marginRightMm);
    KeepMargin(bottom, m_paper.marginBottomMm);
    return true;
  });
}

void PrinterSettings::SetFontSize(int points) {
  Guarded([&] {
    LogCall("SetFontSize(" + Numbers({points}) + ")");
    m_style.fontPoints = points;
    return true;
  });
}

void PrinterSettings::SetTableName(std::string name, int showAsTitle) {
  Guarded([&] {
    LogCall("SetTableName(" + Quoted(name.c_str()) + ", " + Numbers({showAsTitle}) + ")");
    m_tableName = std::move(name);
    m_tableNameAsTitle = showAsTitle != 0;
    return true;
  });
}

void PrinterSettings::SetOptionA(int gridLines) {
  Guarded([&] {
    LogCall("SetOptionA(" + Numbers({gridLines}) + ")");
    m_style.gridLines = gridLines != 0;
    return true;
  });
}

void PrinterSettings::SetFooter(std::string text) {
  Guarded([&] {
    LogCall("SetFooter(" + Quoted(text.c_str()) + ")");
    m_style.footer = std::move(text);
    return true;
  });
}

void PrinterSettings::SetOptionB(int columnHeaders, int rowNumbers) {
  Guarded([&] {
    LogCall("SetOptionB(" + Numbers({columnHeaders, rowNumbers}) + ")");
    m_style.columnHeaders = columnHeaders != 0;
    m_style.rowNumbers = rowNumbers != 0;
    return true;
  });
}

void PrinterSettings::SetOptionC(int pageNumbers, int printDate) {
  Guarded([&] {
    LogCall("SetOptionC(" + Numbers({pageNumbers, printDate}) + ")");
    m_style.pageNumbers = pageNumbers != 0;
    m_style.printDate = printDate != 0;
    return true;
  });
}

bool PrinterSettings::UsePageSetup(const char* settingsPath) {
  return Guarded([&] {
    LogCall("UsePageSetup(" + Quoted(settingsPath) + ")");
    if (settingsPath == nullptr) return false;
    const std::optional<PaperLayout> layout = ReadPageSetupFile(settingsPath);
    if (layout) m_paper = *layout;
    return layout.has_value();
  });
}

std::shared_ptr<const PrintJob> PrinterSettings::MakeJob(std::string printedAt) const {
  auto job = std::make_shared<PrintJob>();
  job->name = m_tableName;
  job->content = m_content;
  job->style = m_style;
  job->style.title = m_tableNameAsTitle ? m_tableName : std::string();
  job->paper = m_paper;
  job->printedAt = std::move(printedAt);
  return job;
}

}  // namespace mirvale

#include "win32/list_printer.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "call_log.h"
#include "core/page_setup_file.h"
#include "environment_options.h"
#include "win32/list_view_copy.h"
#include "win32/metafile_pages.h"
#include "win32/page_render.h"
#include "win32/page_setup_dialog.h"
#include "win32/preview_window.h"
#include "win32/print_dialog.h"

namespace mirvale {
namespace {

constexpr int kWidestMarginMm = 1000;

// Runs an operation so that nothing it throws leaves the library; failure gives false.
template <typename Operation>
bool Guarded(Operation&& operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return false;
  }
}

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

std::string Quoted(const char* text) {
  return text != nullptr ? Quoted(std::string(text)) : std::string("null");
}

std::string Numbers(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += (text.empty() ? "" : ", ") + std::to_string(value);
  return text;
}

void KeepMargin(int requested, int& margin) {
  if (requested >= 0) margin = std::min(requested, kWidestMarginMm);
}

std::string LocalTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay,
           now.wHour, now.wMinute);
  return text;
}

}  // namespace

bool ListPrinter::Print() {
  return Guarded([&] {
    LogCall("Print()");
    const PageSet pages(MakeJob());
    const std::string unattended = UnattendedMetafilePath();
    if (!unattended.empty()) return WriteMetafiles(unattended, pages);
    return PrintWithDialog(pages, OwnerWindow());
  });
}

void ListPrinter::SetOrientation(int landscape) {
  Guarded([&] {
    LogCall("SetOrientation(" + Numbers({landscape}) + ")");
    m_paper.landscape = landscape != 0;
    return true;
  });
}

bool ListPrinter::Preview() {
  return Guarded([&] {
    LogCall("Preview()");
    const PageSet pages(MakeJob());
    const std::string unattended = UnattendedMetafilePath();
    if (!unattended.empty()) return WriteMetafiles(unattended, pages);
    return ShowModalPreview(pages, OwnerWindow());
  });
}

void ListPrinter::SetMargins(int left, int top, int right, int bottom) {
  Guarded([&] {
    LogCall("SetMargins(" + Numbers({left, top, right, bottom}) + ")");
    KeepMargin(left, m_paper.marginLeftMm);
    KeepMargin(top, m_paper.marginTopMm);
    KeepMargin(right, m_paper.marginRightMm);
    KeepMargin(bottom, m_paper.marginBottomMm);
    return true;
  });
}

void ListPrinter::SetListControl(MirvaleListControl list) {
  Guarded([&] {
    const bool isWindow = list != nullptr && IsWindow(list);
    m_content = CopyListView(isWindow ? list : nullptr);
    m_ownerWindow = isWindow ? GetAncestor(list, GA_ROOT) : nullptr;
    LogCall(!isWindow ? std::string(list == nullptr ? "SetListControl(null)"
                                                    : "SetListControl(no window)")
                      : "SetListControl(" + std::to_string(m_content.columns.size()) +
                            " columns, " + std::to_string(m_content.rows.size()) + " rows)");
    return true;
  });
}

void ListPrinter::SetFontSize(int points) {
  Guarded([&] {
    LogCall("SetFontSize(" + Numbers({points}) + ")");
    m_style.fontPoints = points;
    return true;
  });
}

void ListPrinter::SetTableName(std::string name, int showAsTitle) {
  Guarded([&] {
    LogCall("SetTableName(" + Quoted(name) + ", " + Numbers({showAsTitle}) + ")");
    m_tableName = std::move(name);
    m_tableNameAsTitle = showAsTitle != 0;
    return true;
  });
}

void ListPrinter::SetOptionA(int gridLines) {
  Guarded([&] {
    LogCall("SetOptionA(" + Numbers({gridLines}) + ")");
    m_style.gridLines = gridLines != 0;
    return true;
  });
}

void ListPrinter::SetFooter(std::string text) {
  Guarded([&] {
    LogCall("SetFooter(" + Quoted(text) + ")");
    m_style.footer = std::move(text);
    return true;
  });
}

void ListPrinter::SetOptionB(int columnHeaders, int rowNumbers) {
  Guarded([&] {
    LogCall("SetOptionB(" + Numbers({columnHeaders, rowNumbers}) + ")");
    m_style.columnHeaders = columnHeaders != 0;
    m_style.rowNumbers = rowNumbers != 0;
    return true;
  });
}

void ListPrinter::SetOptionC(int pageNumbers, int printDate) {
  Guarded([&] {
    LogCall("SetOptionC(" + Numbers({pageNumbers, printDate}) + ")");
    m_style.pageNumbers = pageNumbers != 0;
    m_style.printDate = printDate != 0;
    return true;
  });
}

// Windows has no PDF writer of its own before Windows 10's printer; the pages go out as
// metafiles or through a printer instead.
bool ListPrinter::SaveAsPdf(const char* path) {
  return Guarded([&] {
    LogCall("SaveAsPdf(" + Quoted(path) + ")");
    return false;
  });
}

bool ListPrinter::UsePageSetup(const char* settingsPath) {
  return Guarded([&] {
    LogCall("UsePageSetup(" + Quoted(settingsPath) + ")");
    if (settingsPath == nullptr) return false;
    const std::optional<PaperLayout> layout = ReadPageSetupFile(settingsPath);
    if (layout) m_paper = *layout;
    return layout.has_value();
  });
}

bool ListPrinter::PrinterSetup(const char* settingsPath, MirvaleWindow parent) {
  return Guarded([&] {
    LogCall("PrinterSetup(" + Quoted(settingsPath) + ")");
    const std::string path = settingsPath != nullptr ? settingsPath : "";
    const PaperLayout start = ReadPageSetupFile(path).value_or(m_paper);
    const std::optional<PaperLayout> chosen = RunPageSetupDialog(start, parent);
    if (!chosen) return false;
    m_paper = *chosen;
    return !path.empty() && WritePageSetupFile(path, m_paper);
  });
}

std::shared_ptr<const PrintJob> ListPrinter::MakeJob() const {
  auto job = std::make_shared<PrintJob>();
  job->name = m_tableName;
  job->content = m_content;
  job->style = m_style;
  job->style.title = m_tableNameAsTitle ? m_tableName : std::string();
  job->paper = m_paper;
  job->printedAt = LocalTimeText();
  return job;
}

HWND ListPrinter::OwnerWindow() const {
  return m_ownerWindow != nullptr && IsWindow(m_ownerWindow) ? m_ownerWindow : nullptr;
}

}  // namespace mirvale

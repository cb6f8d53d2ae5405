#include "win32/list_printer.h"

#include <cstdio>
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
    const PageSet pages(MakeJob(LocalTimeText()));
    const std::string unattended = UnattendedMetafilePath();
    if (!unattended.empty()) return WriteMetafiles(unattended, pages);
    return PrintWithDialog(pages, OwnerWindow());
  });
}

bool ListPrinter::Preview() {
  return Guarded([&] {
    LogCall("Preview()");
    const PageSet pages(MakeJob(LocalTimeText()));
    const std::string unattended = UnattendedMetafilePath();
    if (!unattended.empty()) return WriteMetafiles(unattended, pages);
    return ShowModalPreview(pages, OwnerWindow());
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

// Windows has no PDF writer of its own before Windows 10's printer; the pages go out as
// metafiles or through a printer instead.
bool ListPrinter::SaveAsPdf(const char* path) {
  return Guarded([&] {
    LogCall("SaveAsPdf(" + Quoted(path) + ")");
    return false;
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

HWND ListPrinter::OwnerWindow() const {
  return m_ownerWindow != nullptr && IsWindow(m_ownerWindow) ? m_ownerWindow : nullptr;
}

}  // namespace mirvale

#pragma once

// The View data dialog on a real (virtual) display, opened through SQLDisplay as a host opens
// it and driven by its controls. The tests run under tests/gui/run_with_watcher.sh, which
// gives the display and dismisses the library's message boxes as an operator would; each
// case runs in a process of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <clocale>
#include <ostream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "gui_test_support.h"
#include "quorlin.h"
#include "resources/view_data_ids.h"
#include "resources/view_data_template.h"
#include "temp_dir.h"

// Readable geometry in failure messages.
inline void PrintTo(const wxRect& rect, std::ostream* out) {
  *out << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
}
inline void PrintTo(const wxSize& size, std::ostream* out) {
  *out << size.x << "x" << size.y;
}

namespace quorlin::test {

// The record ids first to last as the list shows them.
inline std::vector<wxString> IdTexts(int first, int last) {
  std::vector<wxString> ids;
  for (int id = first; id <= last; ++id) ids.push_back(wxString::Format("%d", id));
  return ids;
}

inline wxString Utf8(const char* text) {
  return wxString::FromUTF8(text);
}

// The template's place of a control in the dialog's pixels.
inline wxRect TemplatePlace(wxDialog& dialog, const resources::TemplateControl& control) {
  return wxRect(dialog.ConvertDialogToPixels(wxPoint(control.rect.x, control.rect.y)),
                dialog.ConvertDialogToPixels(wxSize(control.rect.width, control.rect.height)));
}

// Where the record list starts: 64 pixels down, or 4 pixels below the lowest control that
// the template shows where the dialog's font makes the controls reach further than that.
inline int ExpectedListTop(wxDialog& dialog, const resources::DialogTemplate& dialogTemplate) {
  int lowest = 0;
  for (std::size_t i = 0; i < dialogTemplate.controlCount; ++i) {
    const resources::TemplateControl& control = dialogTemplate.controls[i];
    if (control.kind == resources::ControlKind::kReportList ||
        control.kind == resources::ControlKind::kHiddenButton) {
      continue;
    }
    const wxRect place = TemplatePlace(dialog, control);
    lowest = std::max(lowest, place.y + place.height);
  }
  return std::max(64, lowest + 4);
}

// The template's controls, ids, captions, order and places, and which edits take typing; the
// list kept 5 / 5 / 16 pixels from the client's sides and bottom, starting below the controls
// above it.
inline void ExpectBuiltFromTemplate(wxDialog& dialog,
                                    const resources::DialogTemplate& dialogTemplate) {
  using resources::ControlKind;
  EXPECT_EQ(dialog.GetTitle(), Utf8(dialogTemplate.title));
  EXPECT_EQ(dialog.GetClientSize(),
            dialog.ConvertDialogToPixels(wxSize(dialogTemplate.width, dialogTemplate.height)));
  EXPECT_TRUE(dialog.HasFlag(wxMAXIMIZE_BOX));
  EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));
  const wxWindowList& children = dialog.GetChildren();
  ASSERT_EQ(children.size(), dialogTemplate.controlCount);
  std::size_t index = 0;
  for (wxWindow* child : children) {
    const resources::TemplateControl& control = dialogTemplate.controls[index++];
    SCOPED_TRACE(control.id);
    if (control.id != -1) {
      EXPECT_EQ(child->GetId(), control.id);
    }
    if (auto* edit = dynamic_cast<wxTextCtrl*>(child)) {
      EXPECT_EQ(edit->IsEditable(), control.kind == ControlKind::kEdit);
    } else if (control.kind != ControlKind::kReportList) {
      EXPECT_EQ(child->GetLabel(), Utf8(control.caption));
    }
    const wxRect place = TemplatePlace(dialog, control);
    if (control.kind == ControlKind::kReportList) {
      const wxSize client = dialog.GetClientSize();
      const int top = ExpectedListTop(dialog, dialogTemplate);
      EXPECT_EQ(child->GetRect(), wxRect(5, top, client.x - 10, client.y - 16 - top));
    } else {
      EXPECT_EQ(child->GetRect(), place);
    }
  }
  EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(resources::kCloseButton));
}

// A step that clicks a button.
inline ViewDataDriver::Step Pressing(int id) {
  return Do([id](wxDialog& dialog) { Press(dialog, id); });
}

class ViewDataGui : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    std::setlocale(LC_ALL, "C.UTF-8");
    m_id = SQLConnectToDatabase(("Driver=SQLite3;Database=" + m_dir.Path("gui.db")).c_str());
    ASSERT_GE(m_id, 0) << LastError();
  }
  void TearDown() override {
    SQLCleanup();
    EXPECT_THAT(m_driver.Failures(), ::testing::IsEmpty());
    std::setlocale(LC_ALL, "C");
  }

  void Exec(const std::string& sql) { ASSERT_EQ(SQLExcute(m_id, sql.c_str()), 0) << LastError(); }

  // Table T with records ID 1..count, Name "name <ID>", selected in ID order.
  void SelectRecords(int count) {
    Exec("CREATE TABLE T (ID INTEGER, Name TEXT)");
    Exec("BEGIN");
    for (int id = 1; id <= count; ++id) {
      Exec("INSERT INTO T VALUES (" + std::to_string(id) + ", 'name " + std::to_string(id) + "')");
    }
    Exec("COMMIT");
    // The legacy profile puts WHERE in front of a condition that starts with ORDER.
    ASSERT_EQ(SQLSelectToTable(m_id, "T", "WHERE ID > 0 ORDER BY ID"), 0) << LastError();
  }

  std::string CurrentField(const char* name) {
    char value[256] = {};
    if (SQLGetFieldValue(name, value, sizeof value - 1) != 1) return "<no record>";
    return value;
  }

  // Runs SQLDisplay with the script and checks that it returned with the dialog closed.
  void Display(int rowsPerPage, std::vector<ViewDataDriver::Step> script) {
    const int opened = m_driver.DialogsOpened();
    m_driver.Script(std::move(script));
    SQLDisplay(rowsPerPage);
    EXPECT_EQ(m_driver.DialogsOpened(), opened + 1) << LastError();
  }

  TempDir m_dir;
  int m_id = -1;
  ViewDataDriver m_driver;
  MessageBoxRecorder m_boxes;
};

}  // namespace quorlin::test

// The dialog as its template describes it, a screenshot of it, the place of its record list
// and which fields take typing.
#include <algorithm>
#include <iostream>

#include "view_data_fixture.h"
#include "window_capture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;

// As the dialog manager places a control: its origin and its size each converted on their own.
RECT DialogUnitsToPixels(HWND dialog, const DialogUnitRect& units) {
  RECT origin = {units.x, units.y, units.width, units.height};
  MapDialogRect(dialog, &origin);
  return {origin.left, origin.top, origin.left + origin.right, origin.top + origin.bottom};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

TEST_F(ViewDataDialogTest, BuiltFromItsTemplate) {
  SelectRecords(3);
  const DialogTemplate& expected = *Expected().dialogTemplate;
  DialogState state;
  RECT client = {};
  std::vector<RECT> places;
  bool saved = false;
  Display(10, {Do([&](HWND dialog) {
                 state = ReadState(dialog);
                 client = DialogUnitsToPixels(dialog, {0, 0, expected.width, expected.height});
                 for (std::size_t i = 0; i < expected.controlCount; ++i) {
                   places.push_back(DialogUnitsToPixels(dialog, expected.controls[i].rect));
                 }
                 saved = SaveWindowBitmap(dialog,
                                          ArtefactPath("view-data-" + Expected().name + ".bmp"));
               }),
               Press(kCloseButton)});

  EXPECT_TRUE(saved);
  EXPECT_EQ(state.title, Expected().title);
  EXPECT_TRUE(SameRect(state.client, client)) << Describe(state.client);
  ASSERT_EQ(state.order.size(), expected.controlCount);
  for (std::size_t i = 0; i < expected.controlCount; ++i) {
    const TemplateControl& control = expected.controls[i];
    SCOPED_TRACE(control.id);
    EXPECT_EQ(state.order[i], control.id);
    const ControlState& shown = state.Control(control.id);
    EXPECT_EQ(shown.shown, control.kind != ControlKind::kHiddenButton);
    EXPECT_EQ(shown.readOnly, control.kind == ControlKind::kReadOnlyEdit ||
                                  control.kind == ControlKind::kPageNumberEdit);
    if (control.kind == ControlKind::kReportList) continue;  // placed by the dialog itself
    EXPECT_TRUE(SameRect(shown.rect, places[i]))
        << Describe(shown.rect) << " instead of " << Describe(places[i]);
    if (control.kind != ControlKind::kEdit && control.kind != ControlKind::kReadOnlyEdit &&
        control.kind != ControlKind::kPageNumberEdit) {
      EXPECT_EQ(shown.text, Wide(control.caption));
    }
  }
  EXPECT_EQ(state.FirstColumn(), IdTexts(1, 3));
}

// The record list keeps 5 pixels at the sides and 16 at the bottom, and starts below the
// lowest of the controls above it: at 64 pixels where they clear that, just below them where
// the font makes them taller. Maximizing and restoring keep that.
TEST_F(ViewDataDialogTest, TheListStartsBelowTheControlsAboveIt) {
  SelectRecords(3);
  DialogState opened, maximized, restored;
  const auto command = [](WPARAM which) {
    return Do([which](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, which, 0); });
  };
  Display(10, {Read(opened), command(SC_MAXIMIZE), Read(maximized), command(SC_RESTORE),
               Read(restored), Press(kCloseButton)});

  int lowest = 0;
  int lowestId = 0;
  for (const auto& [id, control] : opened.controls) {
    if (id == kRecordList || !control.shown) continue;
    if (control.rect.bottom > lowest) {
      lowest = control.rect.bottom;
      lowestId = id;
    }
  }
  std::cout << "[ MEASURED ] " << Expected().name << ": lowest top control " << lowestId
            << " ends at " << lowest << ", list " << Describe(opened.Control(kRecordList).rect)
            << " in client " << Describe(opened.client) << "\n";
  EXPECT_GT(maximized.client.right, opened.client.right);
  for (const DialogState* state : {&opened, &maximized, &restored}) {
    const RECT list = state->Control(kRecordList).rect;
    SCOPED_TRACE(Describe(list) + " in " + Describe(state->client));
    EXPECT_EQ(list.left, 5);
    EXPECT_EQ(list.right, state->client.right - 5);
    EXPECT_EQ(list.bottom, state->client.bottom - 16);
    EXPECT_GT(list.top, lowest) << "the list covers control " << lowestId;
    EXPECT_TRUE(list.top == 64 || (list.top > 64 && list.top - lowest <= 8)) << list.top;
  }
  EXPECT_TRUE(SameRect(restored.client, opened.client));
}

// The operator types into the table-name field: the full library takes it, the legacy one
// keeps its text.
TEST_F(ViewDataDialogTest, TheTableNameFieldTakesTypingOnlyWhereTheTemplateAllowsIt) {
  SelectRecords(3);
  DialogState typed;
  Display(10, {Do([](HWND dialog) {
                 HWND field = GetDlgItem(dialog, kTableNameEdit);
                 SendMessageW(field, EM_SETSEL, 1, 1);
                 for (wchar_t key : std::wstring(L"xy")) SendMessageW(field, WM_CHAR, key, 0);
               }),
               Read(typed), Press(kCloseButton)});

  EXPECT_EQ(typed.Control(kTableNameEdit).text, Expected().legacy ? L"T" : L"Txy");
}

}  // namespace
}  // namespace quorlin::test

// The legacy library's View data dialog: Chinese whatever the locale, without print buttons,
// with a table-name field the operator cannot change, and its own texts for no data and for
// nothing to show.

#include "operator_hand.h"
#include "profiles/legacy_template.h"
#include "view_data_gui_fixture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;
using ::testing::IsEmpty;

wxPoint CentreOf(wxWindow& window) {
  const wxRect place = window.GetScreenRect();
  return wxPoint(place.x + place.width / 2, place.y + place.height / 2);
}

TEST_F(ViewDataGui, OpensWithTheChineseTemplateWithoutPrintButtonsWhateverTheLocale) {
  if (!LocaleInstalled("zh_CN.UTF-8") && GuiRequired()) FAIL() << "locale zh_CN.UTF-8 is required";
  std::vector<const char*> locales;
  for (const char* locale : {"C.UTF-8", "C", "zh_CN.UTF-8", "zh_CN.GBK"}) {
    if (LocaleInstalled(locale)) locales.push_back(locale);
  }
  SelectRecords(3);
  bool saved = false;
  for (const char* locale : locales) {
    SCOPED_TRACE(locale);
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    DialogState state;
    Display(10, {Do([&](wxDialog& dialog) {
                   ExpectBuiltFromTemplate(dialog, profile::LegacyViewDataTemplate(false));
                   state = ReadState(dialog);
                   if (!saved) saved = SaveScreenshot(dialog, ArtefactPath("view-data-legacy.png"));
                 }),
                 Pressing(kCloseButton)});

    EXPECT_EQ(state.title, Utf8("查看数据"));
    for (int id : {kPreviewButton, kPrinterSetupButton, kPrintButton}) {
      EXPECT_EQ(state.shown.count(id), 0u) << "print button " << id;
    }
    EXPECT_EQ(state.FirstColumn(), IdTexts(1, 3));
    EXPECT_EQ(state.tableName, "T");
  }
  EXPECT_TRUE(saved);
}

// The operator clicks into the field and types and deletes there: the keys arrive, the text
// stays.
TEST_F(ViewDataGui, TheTableNameFieldTakesNoTyping) {
  SelectRecords(3);
  OperatorHand operatorHand;
  int keysReceived = 0;
  bool focused = false;
  DialogState typed;
  int waits = 0;
  const auto field = [](wxDialog& dialog) { return dialog.FindWindow(kTableNameEdit); };
  Display(10, {Do([&](wxDialog& dialog) {
                 field(dialog)->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& key) {
                   ++keysReceived;
                   key.Skip();
                 });
                 EXPECT_TRUE(operatorHand.MoveTo(CentreOf(*field(dialog))));
                 EXPECT_TRUE(operatorHand.Click());
               }),
               [&](wxDialog& dialog) {
                 focused = wxWindow::FindFocus() == field(dialog);
                 return focused || ++waits > 20;
               },
               Do([&](wxDialog&) {
                 EXPECT_TRUE(operatorHand.Type("typed"));
                 EXPECT_TRUE(operatorHand.Press(WXK_BACK));
                 EXPECT_TRUE(operatorHand.Press(WXK_DELETE));
               }),
               [&](wxDialog& dialog) {
                 typed = ReadState(dialog);
                 return keysReceived >= 7 || ++waits > 60;
               },
               Pressing(kCloseButton)});

  EXPECT_TRUE(focused);
  EXPECT_GE(keysReceived, 7) << "the keys did not reach the field";
  EXPECT_EQ(typed.tableName, "T");
}

TEST_F(ViewDataGui, EmptyResultShowsTheChineseNoDataBox) {
  Exec("CREATE TABLE T (ID INTEGER)");
  ASSERT_EQ(SQLSelectToTable(m_id, "T", ""), 0) << LastError();
  DialogState state;
  Display(10, {Do([&](wxDialog& dialog) { state = ReadState(dialog); }), Pressing(kCloseButton)});

  ASSERT_EQ(m_boxes.ShownBoxes().size(), 1u);
  EXPECT_EQ(m_boxes.ShownBoxes()[0].message, Utf8("无数据"));
  EXPECT_THAT(state.rows, IsEmpty());
  EXPECT_FALSE(state.enabled[kFirstButton]);
}

TEST_F(ViewDataGui, NoCurrentRecordsetShowsNoDialogAndLeavesTheBuiltInText) {
  SQLCleanup();
  SQLDisplay(10);
  EXPECT_EQ(m_driver.DialogsOpened(), 0);
  // "当前数据集为空！" in GBK.
  EXPECT_EQ(LastError(), "\xb5\xb1\xc7\xb0\xca\xfd\xbe\xdd\xbc\xaf\xce\xaa\xbf\xd5\xa3\xa1");
  EXPECT_THAT(m_boxes.ShownBoxes(), IsEmpty());
}

}  // namespace
}  // namespace quorlin::test

// The legacy "View data" template: Chinese whatever the interface language, 8 pt
// "MS Sans Serif", no print buttons, and a table-name field that cannot be edited.
#include "profiles/legacy_template.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "profiles/profile.h"
#include "resources/view_data_template.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;

const TemplateControl* FindControl(const DialogTemplate& dialog, int id, const char* caption) {
  for (std::size_t i = 0; i < dialog.controlCount; ++i) {
    const TemplateControl& control = dialog.controls[i];
    if (control.id == id && std::strcmp(control.caption, caption) == 0) return &control;
  }
  return nullptr;
}

TEST(LegacyTemplate, ChineseInEightPointMsSansSerifWithoutPrintButtonsAndAReadOnlyTableName) {
  const struct {
    int id;
    ControlKind kind;
    const char* caption;
  } expected[] = {
      {kCloseButton, ControlKind::kDefaultButton, "关闭"},
      {kFirstButton, ControlKind::kButton, "最前面"},
      {kLastButton, ControlKind::kButton, "最后面"},
      {kNextPageButton, ControlKind::kButton, "下页"},
      {kPrevPageButton, ControlKind::kButton, "上页"},
      {kRecordList, ControlKind::kReportList, "List1"},
      {-1, ControlKind::kLabel, "数据表名"},
      {kTableNameEdit, ControlKind::kReadOnlyEdit, ""},
      {kPageNoLabel, ControlKind::kLabel, "页号："},
      {kPageNoEdit, ControlKind::kPageNumberEdit, ""},
  };
  const DialogTemplate& chinese = ViewDataTemplate(true);
  for (bool chineseInterface : {false, true}) {
    SCOPED_TRACE(chineseInterface ? "Chinese interface" : "English interface");
    const DialogTemplate& legacy = profile::LegacyViewDataTemplate(chineseInterface);
    EXPECT_EQ(&profile::Active().viewDataTemplate(chineseInterface), &legacy);
    EXPECT_EQ(legacy.id, 129u);
    EXPECT_STREQ(legacy.title, "查看数据");
    EXPECT_EQ(legacy.width, 426);
    EXPECT_EQ(legacy.height, 232);
    EXPECT_EQ(legacy.fontPoints, 8);
    EXPECT_STREQ(legacy.fontFace, "MS Sans Serif");
    ASSERT_EQ(legacy.controlCount, std::size(expected));
    for (std::size_t i = 0; i < legacy.controlCount; ++i) {
      const TemplateControl& control = legacy.controls[i];
      SCOPED_TRACE(expected[i].caption);
      EXPECT_EQ(control.id, expected[i].id);
      EXPECT_EQ(control.kind, expected[i].kind);
      EXPECT_STREQ(control.caption, expected[i].caption);
      // Each stands where it stands in the Chinese template.
      const TemplateControl* original = FindControl(chinese, control.id, control.caption);
      ASSERT_NE(original, nullptr);
      EXPECT_EQ(control.rect.x, original->rect.x);
      EXPECT_EQ(control.rect.y, original->rect.y);
      EXPECT_EQ(control.rect.width, original->rect.width);
      EXPECT_EQ(control.rect.height, original->rect.height);
    }
  }
}

}  // namespace
}  // namespace quorlin::test

#include "resources/view_data_template.h"

#include <iterator>

namespace quorlin::resources {
namespace {

#define QUORLIN_VIEW_DATA_DIALOG(...)
constexpr TemplateControl kEnglishControls[] = {
#define QUORLIN_VIEW_DATA_CONTROL(name, id, kind, english, chinese, ex, ey, ew, eh, cx, cy, cw, \
                                  ch)                                                           \
  {id, ControlKind::k##kind, english, {ex, ey, ew, eh}},
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_CONTROL
};

constexpr TemplateControl kChineseControls[] = {
#define QUORLIN_VIEW_DATA_CONTROL(name, id, kind, english, chinese, ex, ey, ew, eh, cx, cy, cw, \
                                  ch)                                                           \
  {id, ControlKind::k##kind, chinese, {cx, cy, cw, ch}},
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_CONTROL
};
#undef QUORLIN_VIEW_DATA_DIALOG

#define QUORLIN_VIEW_DATA_CONTROL(...)
constexpr DialogTemplate kEnglish = {
#define QUORLIN_VIEW_DATA_DIALOG(id, width, height, english, chinese, ePoints, eFace, cPoints, \
                                 cFace)                                                        \
  id, english, width, height, ePoints, eFace,
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_DIALOG
    kEnglishControls, std::size(kEnglishControls)};

constexpr DialogTemplate kChinese = {
#define QUORLIN_VIEW_DATA_DIALOG(id, width, height, english, chinese, ePoints, eFace, cPoints, \
                                 cFace)                                                        \
  id, chinese, width, height, cPoints, cFace,
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_DIALOG
    kChineseControls, std::size(kChineseControls)};
#undef QUORLIN_VIEW_DATA_CONTROL

static_assert(std::size(kEnglishControls) == std::size(kChineseControls));

}  // namespace

const DialogTemplate& ViewDataTemplate(bool chinese) {
  return chinese ? kChinese : kEnglish;
}

}  // namespace quorlin::resources

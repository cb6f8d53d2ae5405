#include "win32/gdi_canvas.h"

#include "core/page_geometry.h"
#include "win32/wide_text.h"

namespace mirvale {
namespace {

constexpr COLORREF kHeaderGrey = RGB(230, 230, 230);

RECT ToRect(const PixelRect& box) {
  return {box.x, box.y, box.x + box.width, box.y + box.height};
}

UINT HorizontalFormat(Alignment alignment) {
  switch (alignment) {
    case Alignment::kRight:
      return DT_RIGHT;
    case Alignment::kCentre:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

TEXTMETRICW Metrics(HDC dc) {
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return metrics;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc)
    : m_dc(dc),
      m_savedState(SaveDC(dc)),
      // Width 0: one device pixel on every device, as thin as a rule can be.
      m_blackPen(CreatePen(PS_SOLID, 0, RGB(0, 0, 0))),
      m_greyBrush(CreateSolidBrush(kHeaderGrey)) {
  SetBkMode(m_dc, TRANSPARENT);
  SetTextColor(m_dc, RGB(0, 0, 0));
}

GdiCanvas::~GdiCanvas() {
  // Deselects every object of this canvas before they are deleted.
  if (m_savedState != 0) RestoreDC(m_dc, m_savedState);
}

void GdiCanvas::SelectFont(const FontSpec& font) {
  const auto key = std::make_pair(font.points, font.bold);
  auto found = m_fonts.find(key);
  if (found == m_fonts.end()) {
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(font.points, kLayoutPpi, 72);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(description.lfFaceName, L"Arial", LF_FACESIZE);
    found = m_fonts.emplace(key, GdiObject(CreateFontIndirectW(&description))).first;
  }
  if (found->second) SelectObject(m_dc, found->second.get());
}

int GdiCanvas::TextWidth(const std::string& text) {
  const std::wstring wide = Wide(text);
  SIZE size = {};
  GetTextExtentPoint32W(m_dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

int GdiCanvas::CharWidth() {
  return Metrics(m_dc).tmAveCharWidth;
}

int GdiCanvas::CharHeight() {
  return Metrics(m_dc).tmHeight;
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2) {
  SelectObject(m_dc, m_blackPen.get());
  MoveToEx(m_dc, x1, y1, nullptr);
  LineTo(m_dc, x2, y2);
}

void GdiCanvas::Rectangle(const PixelRect& box, bool greyFill, bool outline) {
  SelectObject(m_dc, outline ? m_blackPen.get() : GetStockObject(NULL_PEN));
  SelectObject(m_dc, greyFill ? m_greyBrush.get() : GetStockObject(NULL_BRUSH));
  // Without a pen GDI leaves out the right and bottom edge; with one it draws on them.
  const int extra = outline ? 0 : 1;
  ::Rectangle(m_dc, box.x, box.y, box.x + box.width + extra, box.y + box.height + extra);
}

void GdiCanvas::Text(const std::string& text, const PixelRect& box, Alignment alignment) {
  std::wstring wide = Wide(text);
  RECT rect = ToRect(box);
  DrawTextW(m_dc, wide.data(), static_cast<int>(wide.size()), &rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP |
                HorizontalFormat(alignment));
}

void MapLayoutUnits(HDC dc, const PixelRect& paperUnits, const PixelRect& devicePaper) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, paperUnits.x, paperUnits.y, nullptr);
  SetWindowExtEx(dc, paperUnits.width, paperUnits.height, nullptr);
  SetViewportOrgEx(dc, devicePaper.x, devicePaper.y, nullptr);
  SetViewportExtEx(dc, devicePaper.width, devicePaper.height, nullptr);
}

}  // namespace mirvale

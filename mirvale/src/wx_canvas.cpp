#include "wx_canvas.h"

#include <wx/control.h>

namespace mirvale {
namespace {

wxString FromUtf8(const std::string& text) {
  return wxString::FromUTF8(text.data(), text.size());
}

wxRect ToRect(const PixelRect& box) {
  return wxRect(box.x, box.y, box.width, box.height);
}

int HorizontalAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::kRight:
      return wxALIGN_RIGHT;
    case Alignment::kCentre:
      return wxALIGN_CENTRE_HORIZONTAL;
    default:
      return wxALIGN_LEFT;
  }
}

}  // namespace

WxCanvas::WxCanvas(wxDC& dc) : m_dc(dc) {
  m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  m_dc.SetTextForeground(*wxBLACK);
}

void WxCanvas::SelectFont(const FontSpec& font) {
  const auto key = std::make_pair(font.points, font.bold);
  auto found = m_fonts.find(key);
  if (found == m_fonts.end()) {
    wxFontInfo info(font.points);
    info.Family(wxFONTFAMILY_SWISS);
    if (font.bold) info.Bold();
    found = m_fonts.emplace(key, wxFont(info)).first;
  }
  m_dc.SetFont(found->second);
}

int WxCanvas::TextWidth(const std::string& text) {
  return m_dc.GetTextExtent(FromUtf8(text)).x;
}

int WxCanvas::CharWidth() {
  return m_dc.GetCharWidth();
}

int WxCanvas::CharHeight() {
  return m_dc.GetCharHeight();
}

void WxCanvas::Line(int x1, int y1, int x2, int y2) {
  m_dc.SetPen(*wxBLACK_PEN);
  m_dc.DrawLine(x1, y1, x2, y2);
}

void WxCanvas::Rectangle(const PixelRect& box, bool greyFill, bool outline) {
  m_dc.SetPen(outline ? *wxBLACK_PEN : *wxTRANSPARENT_PEN);
  m_dc.SetBrush(greyFill ? wxBrush(wxColour(230, 230, 230)) : *wxTRANSPARENT_BRUSH);
  m_dc.DrawRectangle(ToRect(box));
}

void WxCanvas::Text(const std::string& text, const PixelRect& box, Alignment alignment) {
  const wxString shown = wxControl::Ellipsize(FromUtf8(text), m_dc, wxELLIPSIZE_END, box.width);
  m_dc.DrawLabel(shown, ToRect(box), HorizontalAlignment(alignment) | wxALIGN_CENTRE_VERTICAL);
}

}  // namespace mirvale

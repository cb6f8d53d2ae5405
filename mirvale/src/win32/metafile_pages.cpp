#include "win32/metafile_pages.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace mirvale {
namespace {

// The screen, as the reference device that a metafile's pixels are measured on.
class ScreenDc {
 public:
  ScreenDc() : m_dc(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (m_dc != nullptr) ReleaseDC(nullptr, m_dc);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

bool WritePage(const std::string& path, const PageSet& pages, int page, HDC reference) {
  const PaperLayout& paper = pages.Job().paper;
  // The frame is in hundredths of millimetres.
  const RECT frame = {0, 0, paper.OrientedWidthMm() * 100, paper.OrientedHeightMm() * 100};
  const std::wstring file = Wide(path);
  // "application\0title\0\0": the string's own terminator ends the pair.
  std::wstring description = L"Mirvale";
  description += L'\0';
  description += Wide(pages.Job().name);
  description += L'\0';
  HDC dc = CreateEnhMetaFileW(reference, file.c_str(), &frame, description.c_str());
  if (dc == nullptr) return false;
  // A metafile's device pixels are the reference device's, by its size in millimetres.
  const int pixelsX = GetDeviceCaps(reference, HORZRES);
  const int pixelsY = GetDeviceCaps(reference, VERTRES);
  const int sizeX = GetDeviceCaps(reference, HORZSIZE);
  const int sizeY = GetDeviceCaps(reference, VERTSIZE);
  const PixelRect device = {0, 0, MulDiv(paper.OrientedWidthMm(), pixelsX, sizeX > 0 ? sizeX : 1),
                            MulDiv(paper.OrientedHeightMm(), pixelsY, sizeY > 0 ? sizeY : 1)};
  pages.Draw(dc, page, device);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  if (metafile == nullptr) return false;
  DeleteEnhMetaFile(metafile);
  return true;
}

}  // namespace

std::string MetafilePagePath(const std::string& path, int page) {
  if (page <= 1) return path;
  const std::size_t slash = path.find_last_of("\\/");
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string suffix = "-" + std::to_string(page);
  return hasExtension ? path.substr(0, dot) + suffix + path.substr(dot) : path + suffix;
}

bool WriteMetafiles(const std::string& path, const PageSet& pages) {
  ScreenDc screen;
  if (path.empty() || screen.Get() == nullptr || pages.Count() < 1) return false;
  for (int page = 1; page <= pages.Count(); ++page) {
    if (!WritePage(MetafilePagePath(path, page), pages, page, screen.Get())) return false;
  }
  return true;
}

}  // namespace mirvale

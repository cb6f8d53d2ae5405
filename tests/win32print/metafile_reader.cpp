#include "metafile_reader.h"

#include <windows.h>

#include <algorithm>
#include <fstream>

#include "report_list.h"

namespace quorlin::test {
namespace {

constexpr int kPlayedWidth = 200;
constexpr int kPlayedHeight = 283;

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM texts) {
  if (record->iType != EMR_EXTTEXTOUTW) return 1;
  const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
  const auto* characters = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                            text->emrtext.offString);
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(
      Utf8(std::wstring(characters, text->emrtext.nChars)));
  return 1;
}

void SaveBmp(const std::string& path, const BITMAPINFOHEADER& info, const void* pixels) {
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(static_cast<const char*>(pixels), info.biSizeImage);
}

// Plays the picture onto a white bitmap and counts the rows that got ink.
int InkedRows(HENHMETAFILE metafile, const std::string& bitmapPath) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = kPlayedWidth;
  info.biHeight = kPlayedHeight;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  info.biSizeImage = kPlayedWidth * kPlayedHeight * 4;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap =
      CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  int rows = 0;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = {0, 0, kPlayedWidth, kPlayedHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, metafile, &all);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < kPlayedHeight; ++y) {
      const DWORD* row = pixels + y * kPlayedWidth;
      rows +=
          std::any_of(row, row + kPlayedWidth, [](DWORD p) { return (p & 0xFFFFFF) != 0xFFFFFF; });
    }
    if (!bitmapPath.empty()) SaveBmp(bitmapPath, info, bits);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  return rows;
}

}  // namespace

MetafilePage ReadMetafile(const std::string& path, const std::string& bitmapPath) {
  MetafilePage page;
  HENHMETAFILE metafile = GetEnhMetaFileW(Wide(path).c_str());
  if (metafile == nullptr) return page;
  ENHMETAHEADER header = {};
  if (GetEnhMetaFileHeader(metafile, sizeof header, &header) != 0) {
    page.readable = true;
    // The frame is inclusive, in hundredths of millimetres.
    page.widthMm = (header.rclFrame.right - header.rclFrame.left + 50) / 100;
    page.heightMm = (header.rclFrame.bottom - header.rclFrame.top + 50) / 100;
    EnumEnhMetaFile(nullptr, metafile, CollectText, &page.texts, nullptr);
    page.inkedRows = InkedRows(metafile, bitmapPath);
  }
  DeleteEnhMetaFile(metafile);
  return page;
}

bool HasText(const MetafilePage& page, const std::string& text) {
  return std::any_of(page.texts.begin(), page.texts.end(), [&](const std::string& drawn) {
    return drawn.find(text) != std::string::npos;
  });
}

}  // namespace quorlin::test

#include "window_capture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <type_traits>
#include <vector>

namespace quorlin::test {
namespace {

struct ScreenDc {
  ScreenDc() : dc(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc != nullptr) ReleaseDC(nullptr, dc);
  }
  HDC dc;
};

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// Bottom-up rows of BGR pixels, each padded to four bytes: the BMP file's own layout.
bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& info,
              const std::vector<unsigned char>& pixels) {
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()),
            static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace

std::string ArtefactPath(const std::string& name) {
  const char* dir = std::getenv("QUORLIN_TEST_ARTEFACTS");
  const std::string folder = dir != nullptr && *dir != '\0' ? dir : ".";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder + "/" + name;
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT place = {};
  if (!GetWindowRect(window, &place)) return false;
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  ScreenDc screen;
  if (screen.dc == nullptr || width <= 0 || height <= 0) return false;
  MemoryDc memory(CreateCompatibleDC(screen.dc));
  Bitmap bitmap(CreateCompatibleBitmap(screen.dc, width, height));
  if (!memory || !bitmap) return false;
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  // The display has no window manager, so the screen shows exactly the mapped windows.
  const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.dc, place.left, place.top,
                             SRCCOPY | CAPTUREBLT) != FALSE;
  SelectObject(memory.get(), previous);
  if (!copied) return false;

  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
    return false;
  }
  return WriteBmp(path, info, pixels);
}

}  // namespace quorlin::test

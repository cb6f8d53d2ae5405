#pragma once

#include <string>
#include <vector>

namespace quorlin::test {

// What a page written as an enhanced metafile holds, read back through the system.
struct MetafilePage {
  bool readable = false;
  int widthMm = 0;  // the picture frame, rounded to millimetres
  int heightMm = 0;
  std::vector<std::string> texts;  // every text output, UTF-8, in drawing order
  int inkedRows = 0;  // pixel rows with anything but white when played onto 200 x 283 pixels
};

// Reads the page; saves what it plays as a BMP file when bitmapPath is not empty.
MetafilePage ReadMetafile(const std::string& path, const std::string& bitmapPath = "");

bool HasText(const MetafilePage& page, const std::string& text);

}  // namespace quorlin::test

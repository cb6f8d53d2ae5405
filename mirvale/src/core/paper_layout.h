#pragma once

namespace mirvale {

// A rectangle in logical units (or device pixels, where said).
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Paper, orientation and margins: what the page-setup dialog edits and the settings file
// keeps. The paper is measured in portrait; the orientation says how it lies.
struct PaperLayout {
  int paperWidthMm = 210;  // A4
  int paperHeightMm = 297;
  bool landscape = false;
  int marginLeftMm = 15;
  int marginTopMm = 15;
  int marginRightMm = 15;
  int marginBottomMm = 15;

  int OrientedWidthMm() const { return landscape ? paperHeightMm : paperWidthMm; }
  int OrientedHeightMm() const { return landscape ? paperWidthMm : paperHeightMm; }
};

}  // namespace mirvale

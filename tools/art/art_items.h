#pragma once

#include <string>
#include <vector>

#include "tools/art/raster.h"

namespace kv::art {

class Lettering;

// How a painted picture is stored in its collection file.
enum class Encoding {
  kJpeg,      // colour JPEG, for large painted backgrounds
  kJpegGrey,  // one-component JPEG: decoded through the 236-colour quantiser in play
  kDib8,      // 8-bit DIB with its own median-cut palette
  kDib4,      // 4-bit DIB, 16 colours
  kDib24,     // 24-bit DIB
  kBitmap8,   // complete BMP file, 8 bits with palette
  kBitmap24,  // complete BMP file, 24 bits
};

struct ArtPicture {
  std::string name;  // UTF-8; stored in code page 1250
  Raster raster;
  Encoding encoding = Encoding::kDib24;
  // Keyed pictures keep pure black where what lies under them should show.
  bool transparent = false;
  int jpeg_quality = 90;
  // A picture cut into equal frames (0: one pattern, the whole picture).
  int pattern_width = 0;
  int pattern_height = 0;
};

struct ArtFile {
  std::string file_name;  // "graphic1.dat", ...
  std::vector<ArtPicture> items;
};

// The collections, one painter each. All are deterministic.
ArtFile PaintMenuFile(Lettering& lettering);       // graphic1.dat
ArtFile PaintPortraitFile(Lettering& lettering);   // graphic2.dat
ArtFile PaintIntroFile();                          // intro.dat
ArtFile PaintInterfaceFile(Lettering& lettering);  // graphic3.dat
ArtFile PaintTileFile();                           // base.dat
ArtFile PaintHeroFile();                           // hero.dat
ArtFile PaintAddFile();                            // add.dat
ArtFile PaintObjectsFile();                        // objects.dat

// The info boxes' pictures, "Info0".."Info10": six professions, then five races. Appended to
// graphic2.dat after the portraits, so that the portraits keep their indices.
std::vector<ArtPicture> PaintInfoPictures(Lettering& lettering);
// A face of a race (0..4, in the portraits' order) painted at w x h.
Raster PaintRaceFace(int race, int w, int h);

// Every collection, in the order the game loads them.
std::vector<ArtFile> PaintAllFiles(Lettering& lettering);

}  // namespace kv::art

#include "tools/art/preview.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "platform/image565.h"

namespace kv::art {

bool WritePng(const std::string& path, const RgbImage& image) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y)
    png_write_row(png, const_cast<png_bytep>(&image.rgb[static_cast<size_t>(y) * image.width * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

namespace {

// A screen being composed the way the game draws: 8-bit colours, keyed pictures skipping
// pixels whose 16-bit value is the black key.
struct Screen {
  RgbImage img;
  Screen(int w, int h) {
    img.width = w;
    img.height = h;
    img.rgb.assign(static_cast<size_t>(w) * h * 3, 0);
  }
  void Put(int x, int y, const uint8_t* p) {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
    std::copy(p, p + 3, &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3]);
  }
  void Stretch(const ArtPicture& pic, int l, int t, int r, int b) {
    const RgbImage src = pic.transparent ? pic.raster.ToKeyedImage() : pic.raster.ToImage();
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) {
        const int sx = (x - l) * src.width / (r - l), sy = (y - t) * src.height / (b - t);
        const uint8_t* p = &src.rgb[(static_cast<size_t>(sy) * src.width + sx) * 3];
        if (pic.transparent && To565(p[0], p[1], p[2]) == 0) continue;
        Put(x, y, p);
      }
  }
  void Draw(const ArtPicture& pic, int x, int y) {
    Stretch(pic, x, y, x + pic.raster.width(), y + pic.raster.height());
  }
};

const ArtFile* FindFile(const std::vector<ArtFile>& files, const std::string& name) {
  for (const ArtFile& f : files)
    if (f.file_name == name) return &f;
  return nullptr;
}

const ArtPicture* FindItem(const ArtFile* file, const std::string& name) {
  if (!file) return nullptr;
  const ArtPicture* found = nullptr;
  for (const ArtPicture& p : file->items)
    if (p.name == name) found = &p;
  return found;
}

void ContactSheets(const std::string& dir, const ArtFile& file) {
  const int cols = 8, cell = 120, per_sheet = 48;
  for (size_t first = 0; first < file.items.size(); first += per_sheet) {
    const size_t count = std::min<size_t>(per_sheet, file.items.size() - first);
    const int rows = static_cast<int>((count + cols - 1) / cols);
    Screen s(cols * cell, rows * cell);
    for (size_t i = 0; i < s.img.rgb.size(); i += 3) {
      const bool check = ((i / 3 % s.img.width) / 8 + (i / 3 / s.img.width) / 8) & 1;
      s.img.rgb[i] = s.img.rgb[i + 2] = check ? 200 : 140;  // magenta shows the key colour's holes
      s.img.rgb[i + 1] = check ? 60 : 40;
    }
    for (size_t k = 0; k < count; ++k) {
      const ArtPicture& p = file.items[first + k];
      const int w = p.raster.width(), h = p.raster.height();
      const float scale = std::min(1.f, (cell - 4.f) / std::max(w, h));
      const int sw = std::max(1, static_cast<int>(w * scale)),
                sh = std::max(1, static_cast<int>(h * scale));
      const int x = static_cast<int>(k % cols) * cell + 2,
                y = static_cast<int>(k / cols) * cell + 2;
      s.Stretch(p, x, y, x + sw, y + sh);
    }
    const std::string stem = std::filesystem::path(file.file_name).stem().string();
    WritePng(dir + "/sheet_" + stem + "_" + std::to_string(first / per_sheet) + ".png", s.img);
  }
}

// The built-in test map's ground codes, laid out as the game builds them.
std::vector<uint8_t> TestMapCodes() {
  std::vector<uint8_t> m(80 * 80, 64);
  auto set = [&](int x, int y, uint8_t v) { m[(x - 1) * 80 + (y - 1)] = v; };
  for (int i = 15; i <= 35; ++i) {
    set(i, 17, 115);
    set(17, i, 112);
    set(i, 23, 1);
    set(23, i, 0);
  }
  for (int i = 20; i <= 25; ++i) {
    set(i, 20, 113);
    set(25, i, 113);
    set(i, 25, 113);
    set(20, i, 113);
  }
  set(23, 20, 66);
  set(21, 21, 3);
  set(22, 21, 3);
  set(21, 22, 2);
  set(22, 22, 2);
  for (int x = 21; x <= 24; ++x) set(x, 23, 88);
  return m;
}

void GameView(const std::string& dir, const std::vector<ArtFile>& files, int cell_x, int cell_y,
              int phase, int facing, int step, int px, int py, const std::string& out) {
  const ArtFile* base = FindFile(files, "base.dat");
  const ArtFile* hero = FindFile(files, "hero.dat");
  const ArtFile* ui = FindFile(files, "graphic3.dat");
  const ArtFile* other = FindFile(files, "graphic2.dat");
  if (!base) return;
  const std::vector<uint8_t> map = TestMapCodes();
  auto code_at = [&](int x, int y) -> int {
    if (x < 1 || y < 1 || x > 80 || y > 80) return 64;
    return map[(x - 1) * 80 + (y - 1)];
  };
  Screen s(800, 600);
  const bool inside = code_at(cell_x, cell_y) >= 88 && code_at(cell_x, cell_y) < 112;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 9; ++j) {
      const int k = code_at(cell_x - 5 + i, cell_y - 3 + j);
      const int x = -150 + 100 * i, y = -94 + 100 * j;
      int pic = -1;
      if (k < 64)
        pic = k + 16 * phase;
      else if (k < 88 || (k >= 112 && k < 135) || (k < 112 && inside))
        pic = k;
      if (pic >= 0) s.Draw(base->items[pic], x, y);
      if (i == 7 && j == 5 && hero && hero->items.size() >= 8)
        s.Draw(hero->items[2 * facing + step], 350, 176);
    }
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 9; ++j) {
      const int k = code_at(cell_x - 5 + i, cell_y - 3 + j);
      if (k >= 112 && k < 135) s.Draw(base->items[159], -150 + 100 * i, -94 + 100 * j - 100);
    }
  if (ui) {
    struct Placed {
      const char* name;
      int l, t, r, b;
    };
    const Placed layout[] = {
        {"Down", 50, 505, 750, 600},  {"LeftRight", 0, 0, 50, 600}, {"leftright", 750, 0, 800, 600},
        {"Down", 50, 0, 750, 5},      {"Save", 5, 5, 45, 45},       {"Load", 5, 55, 45, 95},
        {"Options", 5, 105, 45, 145}, {"Exit", 5, 165, 45, 205},    {"QSave", 5, 405, 45, 445},
        {"QLoad", 5, 455, 45, 495},   {"Map", 5, 515, 45, 595},     {"Tmap", 755, 515, 795, 595}};
    for (const Placed& p : layout)
      if (const ArtPicture* pic = FindItem(ui, p.name)) s.Stretch(*pic, p.l, p.t, p.r, p.b);
    if (other && other->items.size() > 16)
      for (int sx : {51, 285, 519}) s.Draw(other->items[16], sx, 513);
    const char* cursor = "Cursor";
    if (px >= 350 && px < 450 && py >= 6 && py < 205)
      cursor = "SCur";
    else if (px >= 450 && px < 750 && py >= 306 && py < 495)
      cursor = "JVCur";
    else if (px >= 50 && px < 349 && py >= 206 && py < 306)
      cursor = "ZCur";
    if (const ArtPicture* pic = FindItem(ui, cursor)) s.Draw(*pic, px, py);
  }
  WritePng(dir + "/" + out, s.img);
}

void MenuView(const std::string& dir, const std::vector<ArtFile>& files) {
  const ArtFile* g1 = FindFile(files, "graphic1.dat");
  const ArtPicture* menu = FindItem(g1, "Menu");
  if (!menu) return;
  struct Lit {
    const char* name;
    int x, y;
  };
  const Lit lit[] = {
      {"Exit", 10, 30}, {"Load", 425, 345}, {"New", 115, 375}, {"Opt", 465, 75}, {"Cred", 330, 70}};
  Screen plain(800, 600);
  plain.Draw(*menu, 0, 0);
  WritePng(dir + "/mock_menu.png", plain.img);
  Screen all = plain;
  for (const Lit& l : lit)
    if (const ArtPicture* p = FindItem(g1, l.name)) all.Draw(*p, l.x, l.y);
  WritePng(dir + "/mock_menu_lit.png", all.img);

  Screen credits(800, 600);
  if (const ArtPicture* info = FindItem(g1, "Info")) credits.Stretch(*info, 0, 0, 800, 600);
  if (const ArtFile* g2 = FindFile(files, "graphic2.dat"); g2 && !g2->items.empty()) {
    credits.Draw(g2->items[0], 67, 50);
    credits.Draw(g2->items[0], 633, 50);
  }
  Screen credits_lit = credits;
  if (const ArtPicture* t = FindItem(g1, "Tavorind")) credits_lit.Stretch(*t, 234, 1, 548, 348);
  WritePng(dir + "/mock_credits.png", credits.img);
  WritePng(dir + "/mock_credits_lit.png", credits_lit.img);

  // A creation page: the backdrop, the banner, the frames and buttons of the name page.
  Screen page(800, 600);
  if (const ArtPicture* p = FindItem(g1, "Scroll")) page.Stretch(*p, 0, 0, 800, 600);
  if (const ArtPicture* p = FindItem(g1, "NGText")) page.Draw(*p, 130, 50);
  if (const ArtPicture* p = FindItem(g1, "Braz")) {
    for (int y : {180, 300, 420}) page.Stretch(*p, 200, y, 600, y + 100);
    page.Stretch(*p, 60, 140, 376, 181);
  }
  if (const ArtPicture* p = FindItem(g1, "Button")) {
    page.Stretch(*p, 350, 530, 450, 580);
    page.Stretch(*p, 150, 300, 190, 400);
    page.Stretch(*p, 610, 420, 650, 520);
    page.Stretch(*p, 425, 410, 573, 510);
    page.Stretch(*p, 501, 561, 576, 595);
  }
  if (const ArtFile* g2 = FindFile(files, "graphic2.dat"); g2 && g2->items.size() > 6)
    page.Stretch(g2->items[6], 329, 219, 479, 379);
  WritePng(dir + "/mock_creation.png", page.img);

  if (const ArtFile* intro = FindFile(files, "intro.dat")) {
    for (size_t i = 0; i < intro->items.size(); ++i) {
      Screen ip(800, 600);
      ip.Stretch(intro->items[i], 0, 0, 500, 600);
      if (const ArtPicture* p = FindItem(g1, "Button")) {
        ip.Stretch(*p, 501, 561, 576, 595);
        ip.Stretch(*p, 586, 561, 661, 595);
      }
      WritePng(dir + "/mock_intro_" + std::to_string(i) + ".png", ip.img);
    }
  }
}

}  // namespace

void WritePreviews(const std::string& dir, const std::vector<ArtFile>& files) {
  std::filesystem::create_directories(dir);
  for (const ArtFile& f : files) ContactSheets(dir, f);
  GameView(dir, files, 19, 20, 0, 2, 0, 400, 120, "mock_game.png");
  GameView(dir, files, 23, 22, 2, 1, 1, 600, 400, "mock_game_inside.png");
  GameView(dir, files, 24, 23, 1, 3, 0, 200, 250, "mock_game_floor.png");
  MenuView(dir, files);
}

}  // namespace kv::art

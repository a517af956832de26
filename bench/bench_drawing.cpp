// The game's own 565 drawing against SDL's fastest equivalents, on the sizes one game frame
// uses. Each pair draws the same pixels; the SDL side uses RLE-accelerated key colours,
// SDL_BlitScaled and TTF_RenderUTF8_Blended, the best SDL offers for these operations.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "media/canvas.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/picture_collection.h"
#include "media/surface.h"

namespace {

using kv::Color;
using kv::Rgb;

constexpr const char* kFontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

class BenchPicture : public kv::Picture {
 public:
  explicit BenchPicture(kv::RgbImage image) : image_(std::move(image)) {}
  kv::PictureKind kind() const override { return kv::PictureKind::kBitmap; }
  const char* ClassName() const override { return "TBitmap"; }
  int width() const override { return image_.width; }
  int height() const override { return image_.height; }
  int bits_per_pixel() const override { return 24; }
  const kv::RgbImage& Pixels() override { return image_; }
  std::vector<kv::Bgr0> OfferedColors() const override { return {}; }

 private:
  kv::RgbImage image_;
};

// A tile-like picture: shaded colour with black (key) holes, as ground and object tiles have.
kv::RgbImage MakeKeyedPixels(int w, int h, int seed) {
  kv::RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &image.rgb[(static_cast<size_t>(y) * w + x) * 3];
      const int dx = x - w / 2;
      const int dy = y - h / 2;
      const bool hole = dx * dx * h * h + dy * dy * w * w > w * w * h * h / 4;
      if (hole) continue;
      p[0] = static_cast<uint8_t>(60 + (x * 3 + seed * 17) % 180);
      p[1] = static_cast<uint8_t>(60 + (y * 5 + seed * 31) % 180);
      p[2] = static_cast<uint8_t>(40 + ((x + y) * 2 + seed) % 150);
    }
  }
  return image;
}

std::unique_ptr<kv::TPictureCollectionItem> MakeItem(int w, int h, int seed) {
  auto item = std::make_unique<kv::TPictureCollectionItem>();
  item->SetPicture(std::make_unique<BenchPicture>(MakeKeyedPixels(w, h, seed)));
  kv::BuildDisplayCopies(*item);
  return item;
}

SDL_Surface* MakeSdlSurface(int w, int h, int seed, bool keyed) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  if (seed >= 0) {
    const kv::RgbImage pixels = MakeKeyedPixels(w, h, seed);
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = &pixels.rgb[(static_cast<size_t>(y) * w + x) * 3];
        row[x] = kv::To565(p[0], p[1], p[2]);
      }
    }
  }
  if (keyed) {
    SDL_SetColorKey(s, SDL_TRUE, 0);
    SDL_SetSurfaceRLE(s, 1);
  }
  return s;
}

// The interface's stretched pictures of one frame, with the sizes their sources have.
struct Stretch {
  int src_w, src_h;
  kv::Rect dest;
};
const std::vector<Stretch>& FrameStretches() {
  static const std::vector<Stretch> list{
      {350, 48, {50, 505, 750, 600}}, {25, 300, {0, 0, 50, 600}},  {25, 300, {750, 0, 800, 600}},
      {350, 48, {50, 0, 750, 5}},     {40, 40, {5, 5, 45, 45}},    {40, 40, {5, 55, 45, 95}},
      {40, 40, {5, 105, 45, 145}},    {40, 40, {5, 165, 45, 205}}, {40, 40, {5, 405, 45, 445}},
      {40, 40, {5, 455, 45, 495}},    {40, 80, {5, 515, 45, 595}}, {40, 80, {755, 515, 795, 595}},
  };
  return list;
}

const char* const kTexts[] = {"60 FPS", "19", "20", "19", "20"};
const int kTextX[] = {10, 150, 200, 350, 400};

void BM_KeyedCopy_Own(benchmark::State& state) {
  kv::Surface back(800, 600, nullptr);
  auto item = MakeItem(100, 100, 1);
  for (auto _ : state) {
    kv::DrawPattern(*item, back, 350, 250, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedCopy_Own);

void BM_KeyedCopy_SDL(benchmark::State& state) {
  SDL_Surface* back = MakeSdlSurface(800, 600, -1, false);
  SDL_Surface* tile = MakeSdlSurface(100, 100, 1, true);
  SDL_Rect at{350, 250, 100, 100};
  SDL_BlitSurface(tile, nullptr, back, &at);  // the first blit encodes the RLE form
  for (auto _ : state) {
    SDL_Rect d = at;
    SDL_BlitSurface(tile, nullptr, back, &d);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(tile);
  SDL_FreeSurface(back);
}
BENCHMARK(BM_KeyedCopy_SDL);

void BM_StretchCopy_Own(benchmark::State& state) {
  kv::Surface back(800, 600, nullptr);
  auto item = MakeItem(350, 48, 2);
  for (auto _ : state) {
    kv::StretchPattern(*item, back, {50, 505, 750, 600}, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchCopy_Own);

void BM_StretchCopy_SDL(benchmark::State& state) {
  SDL_Surface* back = MakeSdlSurface(800, 600, -1, false);
  SDL_Surface* picture = MakeSdlSurface(350, 48, 2, true);
  for (auto _ : state) {
    SDL_Rect d{50, 505, 700, 95};
    SDL_BlitScaled(picture, nullptr, back, &d);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(picture);
  SDL_FreeSurface(back);
}
BENCHMARK(BM_StretchCopy_SDL);

void BM_SyntheticFrame_Own(benchmark::State& state) {
  kv::FontService fonts;
  kv::Surface back(800, 600, &fonts);
  std::vector<std::unique_ptr<kv::TPictureCollectionItem>> tiles;
  for (int i = 0; i < 8; ++i) tiles.push_back(MakeItem(100, 100, i));
  std::vector<std::unique_ptr<kv::TPictureCollectionItem>> frame;
  for (const Stretch& s : FrameStretches()) frame.push_back(MakeItem(s.src_w, s.src_h, 9));
  const kv::FontDesc font{"", 20, 0, Rgb(0, 0, 0), true};
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 9; ++j)
        kv::DrawPattern(*tiles[(i + j) % 8], back, -150 + 100 * i, -94 + 100 * j, 0);
    for (size_t k = 0; k < frame.size(); ++k)
      kv::StretchPattern(*frame[k], back, FrameStretches()[k].dest, 0);
    kv::TextCanvas& canvas = kv::SurfaceCanvas(back);
    canvas.SetFont(font);
    for (int t = 0; t < 5; ++t) canvas.TextOut(kTextX[t], 540, kTexts[t]);
    kv::ReleaseCanvas(canvas);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SyntheticFrame_Own);

void BM_SyntheticFrame_SDL(benchmark::State& state) {
  TTF_Init();
  TTF_Font* font = TTF_OpenFontDPI(kFontFile, 20, 96, 96);
  if (!font) {
    state.SkipWithError("no font");
    return;
  }
  SDL_Surface* back = MakeSdlSurface(800, 600, -1, false);
  std::vector<SDL_Surface*> tiles;
  for (int i = 0; i < 8; ++i) tiles.push_back(MakeSdlSurface(100, 100, i, true));
  std::vector<SDL_Surface*> frame;
  for (const Stretch& s : FrameStretches())
    frame.push_back(MakeSdlSurface(s.src_w, s.src_h, 9, true));
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      for (int j = 0; j < 9; ++j) {
        SDL_Rect d{-150 + 100 * i, -94 + 100 * j, 100, 100};
        SDL_BlitSurface(tiles[(i + j) % 8], nullptr, back, &d);
      }
    }
    for (size_t k = 0; k < frame.size(); ++k) {
      const kv::Rect& r = FrameStretches()[k].dest;
      SDL_Rect d{r.left, r.top, r.Width(), r.Height()};
      SDL_BlitScaled(frame[k], nullptr, back, &d);
    }
    for (int t = 0; t < 5; ++t) {
      SDL_Surface* text = TTF_RenderUTF8_Blended(font, kTexts[t], SDL_Color{0, 0, 0, 255});
      SDL_Rect box{kTextX[t], 540, text->w, text->h};
      SDL_FillRect(back, &box, 0xFFFF);
      SDL_BlitSurface(text, nullptr, back, &box);
      SDL_FreeSurface(text);
    }
    benchmark::ClobberMemory();
  }
  for (SDL_Surface* s : tiles) SDL_FreeSurface(s);
  for (SDL_Surface* s : frame) SDL_FreeSurface(s);
  SDL_FreeSurface(back);
  TTF_CloseFont(font);
}
BENCHMARK(BM_SyntheticFrame_SDL);

void BM_Memcpy_Frame(benchmark::State& state) {
  std::vector<uint8_t> from(960000, 1);
  std::vector<uint8_t> to(960000);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy_Frame);

}  // namespace

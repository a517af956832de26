#include "platform/fonts.h"

#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <list>
#include <unordered_map>

#include "platform/cp1250.h"
#include "platform/font_folders.h"
#include "platform/regular_file.h"
#include "platform/utf8_path.h"

namespace kv {
namespace {

// The stand-in faces, by the names their files have wherever they are looked for.
enum StandIn { kSansRegular, kSansBold, kSerifRegular, kSerifBold, kStandInCount };
constexpr const char* kStandInFiles[kStandInCount] = {
    "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSerif-Regular.ttf",
    "LiberationSerif-Bold.ttf"};

// Bounds that keep a silly request (a huge size, a very long line) from eating the memory;
// nothing the display can show comes near them.
constexpr int kMaxPixelHeight = 512;
constexpr int kMaxCellWidth = 16384;
constexpr size_t kMaxCachedMasks = 512;
constexpr size_t kMaxCachedBytes = 16u << 20;
// A registered face is kept in memory whole; faces run to a few megabytes at most.
constexpr size_t kMaxFontFileBytes = 64u << 20;

// Where a face comes from: a file at a pixel size, emboldened by the rasteriser or not.
struct FontKey {
  std::string path;
  int pixels = 0;
  bool synthetic_bold = false;
  friend bool operator==(const FontKey&, const FontKey&) = default;
};

struct FontKeyHash {
  size_t operator()(const FontKey& k) const {
    return std::hash<std::string>()(k.path) ^ (static_cast<size_t>(k.pixels) << 1) ^
           static_cast<size_t>(k.synthetic_bold);
  }
};

// One rasterised glyph: its coverage and where the coverage's top-left corner lies relative
// to the pen position on the cell's top edge.
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  TextMask mask;
};

// The bytes of a registered font file, read once: every size opens from them, so that what lies
// under the file's name later (another file, a FIFO) plays no part.
using FontBytes = std::shared_ptr<const std::vector<uint8_t>>;

TTF_Font* OpenFromMemory(const FontBytes& bytes, int pixels) {
  SDL_RWops* rw = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
  if (rw == nullptr) return nullptr;
  // At 72 dots per inch a point is a pixel, so the em is exactly the asked height.
  return TTF_OpenFontDPIRW(rw, 1, pixels, 72, 72);
}

struct OpenFont {
  TTF_Font* font = nullptr;  // null when the file could not be opened at this size
  FontBytes bytes;           // what `font` reads from, for a registered face
  int ascent = 0;
  int line_height = 0;
  std::unordered_map<char32_t, Glyph> glyphs;
};

uint8_t AlphaOf(const SDL_Surface* s, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
  if (s->format->format == SDL_PIXELFORMAT_ARGB8888) {
    return static_cast<uint8_t>(reinterpret_cast<const uint32_t*>(row)[x] >> 24);
  }
  const int bpp = s->format->BytesPerPixel;
  uint32_t pixel = 0;
  for (int i = 0; i < bpp && i < 4; ++i)
    pixel |= static_cast<uint32_t>(row[x * bpp + i]) << (8 * i);
  uint8_t r, g, b, a;
  SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
  return a;
}

Glyph RasteriseGlyph(TTF_Font* font, int ascent, char32_t ch) {
  Glyph glyph;
  int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
  if (TTF_GlyphMetrics32(font, ch, &minx, &maxx, &miny, &maxy, &advance) != 0) return glyph;
  glyph.advance = std::max(advance, 0);
  // The rasteriser shifts a glyph right when it starts left of the pen and down when it
  // rises above the ascent; undo both to find the pen in its picture.
  glyph.left = std::min(minx, 0);
  glyph.top = -std::max(maxy - ascent, 0);
  SDL_Surface* s = TTF_RenderGlyph32_Blended(font, ch, SDL_Color{255, 255, 255, 255});
  if (s == nullptr) return glyph;  // blank glyphs (zero width) have no picture
  if (SDL_LockSurface(s) == 0) {
    glyph.mask.width = s->w;
    glyph.mask.height = s->h;
    glyph.mask.alpha.resize(static_cast<size_t>(s->w) * s->h);
    for (int y = 0; y < s->h; ++y) {
      for (int x = 0; x < s->w; ++x)
        glyph.mask.alpha[static_cast<size_t>(y) * s->w + x] = AlphaOf(s, x, y);
    }
    SDL_UnlockSurface(s);
  }
  SDL_FreeSurface(s);
  return glyph;
}

}  // namespace

struct FontService::Impl {
  bool ttf_ready = false;
  struct Registered {
    std::string face;
    std::string path;
    FontBytes bytes;
  };
  std::vector<Registered> registered;
  // Where each stand-in face was found; empty when in none of the folders, which leaves its
  // texts blank, as a face that cannot be opened does.
  std::array<std::string, kStandInCount> stand_ins;
  std::unordered_map<FontKey, OpenFont, FontKeyHash> fonts;

  struct CachedMask {
    std::string key;
    std::shared_ptr<const TextMask> mask;
  };
  std::list<CachedMask> lru;  // most recently used first
  std::unordered_map<std::string, std::list<CachedMask>::iterator> by_key;
  size_t cached_bytes = 0;

  ~Impl() {
    for (auto& [key, open] : fonts) {
      if (open.font != nullptr) TTF_CloseFont(open.font);
    }
    if (ttf_ready) TTF_Quit();
  }

  FontKey Resolve(const FontDesc& desc) const {
    const int pixels = std::clamp(desc.PixelHeight(), 1, kMaxPixelHeight);
    for (const Registered& r : registered) {
      if (cp1250::EqualAsciiNoCase(r.face, desc.face)) return {r.path, pixels, desc.bold};
    }
    const bool serif = cp1250::EqualAsciiNoCase(desc.face, "Times New Roman");
    if (serif) return {stand_ins[desc.bold ? kSerifBold : kSerifRegular], pixels, false};
    return {stand_ins[desc.bold ? kSansBold : kSansRegular], pixels, false};
  }

  FontBytes RegisteredBytes(const std::string& path) const {
    for (const Registered& r : registered) {
      if (r.path == path) return r.bytes;
    }
    return nullptr;
  }

  OpenFont& Open(const FontDesc& desc) {
    FontKey key = Resolve(desc);
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    OpenFont open;
    if (ttf_ready) {
      open.bytes = RegisteredBytes(key.path);
      // At 72 dots per inch a point is a pixel, so the em is exactly the asked height.
      if (open.bytes) {
        open.font = OpenFromMemory(open.bytes, key.pixels);
      } else if (!key.path.empty()) {
        open.font = TTF_OpenFontDPI(key.path.c_str(), key.pixels, 72, 72);
      }
      const std::string& sans = stand_ins[kSansRegular];
      if (open.font == nullptr && key.path != sans && !sans.empty()) {
        open.font = TTF_OpenFontDPI(sans.c_str(), key.pixels, 72, 72);
      }
    }
    if (open.font != nullptr) {
      TTF_SetFontKerning(open.font, 0);
      if (key.synthetic_bold) TTF_SetFontStyle(open.font, TTF_STYLE_BOLD);
      open.ascent = TTF_FontAscent(open.font);
      open.line_height =
          std::max(TTF_FontHeight(open.font), open.ascent - TTF_FontDescent(open.font));
    } else {
      open.line_height = key.pixels;
    }
    return fonts.emplace(std::move(key), std::move(open)).first->second;
  }

  const Glyph& GlyphOf(OpenFont& open, char32_t ch) {
    auto found = open.glyphs.find(ch);
    if (found != open.glyphs.end()) return found->second;
    return open.glyphs.emplace(ch, RasteriseGlyph(open.font, open.ascent, ch)).first->second;
  }

  int Width(OpenFont& open, std::string_view text) {
    if (open.font == nullptr) return 0;
    int width = 0;
    for (char byte : text) {
      width += GlyphOf(open, cp1250::ToUnicode(static_cast<uint8_t>(byte))).advance;
      if (width >= kMaxCellWidth) return kMaxCellWidth;
    }
    return width;
  }

  std::shared_ptr<const TextMask> Rasterise(OpenFont& open, std::string_view text) {
    auto mask = std::make_shared<TextMask>();
    mask->width = Width(open, text);
    mask->height = open.line_height;
    mask->alpha.assign(static_cast<size_t>(mask->width) * mask->height, 0);
    int pen = 0;
    for (char byte : text) {
      if (pen >= mask->width) break;
      const Glyph& g = GlyphOf(open, cp1250::ToUnicode(static_cast<uint8_t>(byte)));
      for (int y = 0; y < g.mask.height; ++y) {
        const int cy = g.top + y;
        if (cy < 0 || cy >= mask->height) continue;
        for (int x = 0; x < g.mask.width; ++x) {
          const int cx = pen + g.left + x;
          if (cx < 0 || cx >= mask->width) continue;
          uint8_t& out = mask->alpha[static_cast<size_t>(cy) * mask->width + cx];
          out = std::max(out, g.mask.alpha[static_cast<size_t>(y) * g.mask.width + x]);
        }
      }
      pen += g.advance;
    }
    return mask;
  }

  void Remember(std::string key, std::shared_ptr<const TextMask> mask) {
    cached_bytes += mask->alpha.size();
    lru.push_front({std::move(key), std::move(mask)});
    by_key[lru.front().key] = lru.begin();
    while (lru.size() > 1 && (lru.size() > kMaxCachedMasks || cached_bytes > kMaxCachedBytes)) {
      cached_bytes -= lru.back().mask->alpha.size();
      by_key.erase(lru.back().key);
      lru.pop_back();
    }
  }
};

FontService::FontService() : impl_(std::make_unique<Impl>()) {
  impl_->ttf_ready = TTF_Init() == 0;
  if (!impl_->ttf_ready) std::fprintf(stderr, "TrueType fonts unavailable: %s\n", TTF_GetError());
  LookForStandInsIn(FontSearchFolders({}));
}

void FontService::LookForStandInsIn(const std::vector<std::string>& folders) {
  for (int face = 0; face < kStandInCount; ++face) {
    std::string& found = impl_->stand_ins[face];
    found.clear();
    for (const std::string& folder : folders) {
      const std::string path = folder + "/" + kStandInFiles[face];
      std::error_code error;
      if (std::filesystem::is_regular_file(Utf8Path(path), error)) {
        found = path;
        break;
      }
    }
  }
  // What was opened or drawn before may stand for a face now found elsewhere, or for the
  // fallback a missing face took then: only the registered faces' stay.
  for (auto it = impl_->fonts.begin(); it != impl_->fonts.end();) {
    if (it->second.bytes) {
      ++it;
      continue;
    }
    if (it->second.font != nullptr) TTF_CloseFont(it->second.font);
    it = impl_->fonts.erase(it);
  }
  impl_->lru.clear();
  impl_->by_key.clear();
  impl_->cached_bytes = 0;
}

FontService::~FontService() = default;

bool FontService::RegisterFile(const std::string& face, const std::string& path) {
  if (!impl_->ttf_ready) return false;
  // Only a regular file, opened without waiting: a FIFO in the font's place must not hang
  // start-up. One too big to be a font is refused unread.
  auto bytes = ReadRegularFile(path, kMaxFontFileBytes + 1);
  if (!bytes || bytes->empty() || bytes->size() > kMaxFontFileBytes) return false;
  FontBytes shared = std::make_shared<const std::vector<uint8_t>>(std::move(*bytes));
  // A file that is there but holds no usable face is as good as missing.
  TTF_Font* probe = OpenFromMemory(shared, 12);
  if (probe == nullptr) return false;
  TTF_CloseFont(probe);
  impl_->registered.insert(impl_->registered.begin(), Impl::Registered{face, path, shared});
  return true;
}

void FontService::Measure(const FontDesc& font, std::string_view text, int& width, int& height) {
  OpenFont& open = impl_->Open(font);
  width = impl_->Width(open, text);
  height = open.line_height;
}

int FontService::LineHeight(const FontDesc& font) {
  return impl_->Open(font).line_height;
}

std::shared_ptr<const TextMask> FontService::Render(const FontDesc& font, std::string_view text) {
  const FontKey resolved = impl_->Resolve(font);
  std::string key = resolved.path;
  key += '\0';
  key += std::to_string(resolved.pixels);
  key += resolved.synthetic_bold ? "b" : "r";
  key += '\0';
  key.append(text);
  auto found = impl_->by_key.find(key);
  if (found != impl_->by_key.end()) {
    impl_->lru.splice(impl_->lru.begin(), impl_->lru, found->second);
    return found->second->mask;
  }
  auto mask = impl_->Rasterise(impl_->Open(font), text);
  impl_->Remember(std::move(key), mask);
  return mask;
}

}  // namespace kv

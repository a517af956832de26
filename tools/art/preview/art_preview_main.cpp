// kervana-art-preview OUTDIR [FILE...]: paints the default data's pictures and writes contact
// sheets and screen mock-ups as PNG files, to look at the art without starting the game.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/error.h"
#include "tools/art/art_items.h"
#include "tools/art/build_data.h"
#include "tools/art/lettering.h"
#include "tools/art/preview.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kervana-art-preview OUTDIR\n");
    return 2;
  }
  try {
    kv::art::Lettering lettering(kv::art::ElixirFontSource());
    kv::art::WritePreviews(argv[1], kv::art::PaintAllFiles(lettering));
  } catch (const kv::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}

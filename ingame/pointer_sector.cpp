#include "ingame/pointer_sector.h"

namespace kv {

Sector SectorAt(Point p) {
  for (const SectorArea& area : kPointerSectors) {
    if (area.rect.Contains(p)) return area.sector;
  }
  return kNoSector;
}

}  // namespace kv

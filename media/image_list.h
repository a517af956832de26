#pragma once

#include <string>

#include "media/picture_collection.h"

namespace kv {

class TDXDraw;

// An image list: one picture collection attached to the display, whose items get their
// display-ready copies while the display is open.
class TDXImageList {
 public:
  explicit TDXImageList(TDXDraw* draw);
  ~TDXImageList();

  TPictureCollection Items;
  TDXDraw* DXDraw() const { return draw_; }

  // Display events.
  void DisplayInitialized();  // discard copies, remember the display, mark items initialised
  void DisplayFinalized();    // discard copies, mark not initialised
  void RestoreSurfaces();     // build every item's copies and pattern list anew
  void DisplayDestroyed();    // detach

  // Called by the collection after a load: builds copies when the display is open.
  void CollectionLoaded();
  // The declared pixels of the pictures of the display's other image lists: what a load of
  // this list's collection counts against its budget besides its own pictures.
  uint64_t PixelsOfOtherLists() const;

 private:
  TDXDraw* draw_;
};

// Builds (or rebuilds) one item's display-ready copies; none for an empty picture.
void BuildDisplayCopies(TPictureCollectionItem& item);
// Gives the item display-ready copies as the display opens or the picture changes. A picture
// whose decoding may fail (a JPEG) is decoded at once, so that a broken one fails here; others
// keep their pattern grid and key now and decode when first drawn (ReadyDisplayCopies), so
// that a display opens with only what its first screens show.
void PrepareDisplayCopies(TPictureCollectionItem& item);
void FreeDisplayCopies(TPictureCollectionItem& item);
// After a change of the item's key colour: recomputes the key of existing copies without
// converting the picture again. Does nothing when the item has no copies.
void RekeyDisplayCopies(TPictureCollectionItem& item);
// The item's copies with their pixels and, for a keyed item, its runs, made now if they were
// still to come. The item must have copies.
const DisplayCopies& ReadyDisplayCopies(TPictureCollectionItem& item);

}  // namespace kv

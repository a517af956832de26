#include "media/image_list.h"

#include "media/display_copies.h"
#include "media/dxdraw.h"
#include "platform/error.h"

namespace kv {

TDXImageList::TDXImageList(TDXDraw* draw) : draw_(draw) {
  Items.image_list = this;
  if (draw_) draw_->Attach(this);
}

TDXImageList::~TDXImageList() {
  if (draw_) draw_->Detach(this);
}

void TDXImageList::DisplayInitialized() {
  for (int i = 0; i < Items.Count(); ++i) FreeDisplayCopies(Items.Items(i));
  if (!draw_ || !draw_->initialized())
    throw Error(Format("%s cannot be initialized", "TPictureCollection"));
  for (int i = 0; i < Items.Count(); ++i) Items.Items(i).initialized = true;
}

void TDXImageList::DisplayFinalized() {
  for (int i = 0; i < Items.Count(); ++i) {
    TPictureCollectionItem& item = Items.Items(i);
    FreeDisplayCopies(item);
    item.initialized = false;
  }
}

void TDXImageList::RestoreSurfaces() {
  for (int i = 0; i < Items.Count(); ++i) PrepareDisplayCopies(Items.Items(i));
}

void TDXImageList::DisplayDestroyed() {
  if (!draw_) return;
  TDXDraw* draw = draw_;
  draw_ = nullptr;
  draw->Detach(this);
}

uint64_t TDXImageList::PixelsOfOtherLists() const {
  return draw_ ? draw_->DeclaredPixels(this) : 0;
}

void TDXImageList::CollectionLoaded() {
  if (!draw_ || !draw_->initialized()) return;
  for (int i = 0; i < Items.Count(); ++i) {
    TPictureCollectionItem& item = Items.Items(i);
    item.initialized = true;
    PrepareDisplayCopies(item);
  }
}

}  // namespace kv

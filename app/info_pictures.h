#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/picture.h"

namespace kv {

class TPictureCollection;

// The name of the picture of info entry `entry` in graphic2.dat: "Info0" .. "Info10".
std::string InfoPictureName(int entry);

// Puts the collection's info pictures in place of the empty ones, each where its entry is;
// entries whose picture the collection lacks (older data folders) keep theirs. The collection
// keeps the pictures: it must outlive `pictures`.
void UseInfoPictures(TPictureCollection& collection,
                     std::vector<std::unique_ptr<Picture>>& pictures);

}  // namespace kv

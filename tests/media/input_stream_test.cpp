// The input stream that the collection readers use: a file is read only as far as its reader
// gets, and lengths are checked against what is left before anything is read for them.

#include "media/input_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/file_source.h"
#include "media/picture_budget.h"
#include "media/picture_collection.h"
#include "media/wave_collection.h"
#include "platform/error.h"
#include "support/hostile_files.h"
#include "support/test_support.h"
#include "tools/writer/little_endian.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

// Bytes in memory handed out in pieces of at most `piece`, as a file may; `promised` can
// claim more than there is, as a file that shrank after it was opened.
class PieceSource : public ByteSource {
 public:
  PieceSource(std::vector<uint8_t> bytes, size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
  size_t Read(uint8_t* into, size_t n) override {
    const size_t count = std::min({n, piece_, bytes_.size() - at_});
    std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(at_), count, into);
    at_ += count;
    return count;
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t piece_;
  size_t at_ = 0;
};

std::vector<uint8_t> Counting(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  return bytes;
}

TEST(InputStream, SourceInPiecesReadsLikeMemory) {
  const std::vector<uint8_t> bytes = Counting(200000);
  PieceSource source(bytes, 333);
  InputStream in(source, bytes.size());
  EXPECT_EQ(in.ReadU8(), bytes[0]);
  EXPECT_EQ(in.ReadU32(), uint32_t(bytes[1] | bytes[2] << 8 | bytes[3] << 16) | uint32_t(bytes[4])
                                                                                    << 24);
  in.Skip(70000);  // across more than one buffer's worth
  const auto span = in.ReadBytes(100000);
  EXPECT_TRUE(std::equal(span.begin(), span.end(), bytes.begin() + 70005));
  EXPECT_EQ(in.Peek(10).size(), 10u);
  EXPECT_EQ(in.remaining(), 200000u - 170005u);
  in.Skip(in.remaining());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_TRUE(in.Peek(4).empty());
  EXPECT_EQ(test::MessageOf([&] { in.ReadU8(); }), "Stream read error");
}

TEST(InputStream, LengthsBeyondTheEndFailBeforeAnythingIsRead) {
  const std::vector<uint8_t> bytes = Counting(1000);
  PieceSource source(bytes, 1000);
  InputStream in(source, bytes.size());
  in.ReadU8();
  EXPECT_EQ(test::MessageOf([&] { in.ReadBytes(uint64_t{1} << 40); }), "Stream read error");
  EXPECT_EQ(test::MessageOf([&] { in.Skip(1000); }), "Stream read error");
  EXPECT_EQ(in.position(), 1u);
  EXPECT_LE(in.fetched(), 1000u);
}

TEST(InputStream, SourceThatDeliversLessThanItPromisedFails) {
  PieceSource source(Counting(100), 7);
  InputStream in(source, 5000);
  EXPECT_EQ(test::MessageOf([&] { in.ReadBytes(200); }), "Stream read error");
}

TEST(InputStream, ABadSignatureIsFoundWithoutReadingTheRest) {
  test::TempDir dir;
  const std::string path = dir / "big.dat";
  ASSERT_TRUE(test::WriteZeroFile(path, uint64_t{64} << 20));
  for (bool images : {true, false}) {
    FileSource file(path);
    InputStream in(file, file.size());
    if (images) {
      TPictureCollection collection;
      EXPECT_EQ(test::MessageOf([&] { collection.LoadCollectionStream(in); }),
                "Invalid stream format");
    } else {
      TWaveCollection collection;
      EXPECT_EQ(test::MessageOf([&] { collection.LoadCollectionStream(in); }),
                "Invalid stream format");
    }
    EXPECT_LE(in.fetched(), uint64_t{64} << 10);
  }
}

TEST(InputStream, AValueLongerThanTheFileIsRefusedUnread) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List.ColorTable");
  w.BinaryWithLength(0x7FFFFFF0, std::vector<uint8_t>(1024));
  writer::FinishRoot(w);
  std::vector<uint8_t> file = w.Take();
  file.resize(file.size() + (size_t{8} << 20));  // a long file, still far shorter than claimed
  PieceSource source(file, 4096);
  InputStream in(source, file.size());
  TPictureCollection collection;
  EXPECT_EQ(test::MessageOf([&] { collection.LoadCollectionStream(in); }),
            "Error reading TPictureCollectionComponent.List.ColorTable: Stream read error");
  EXPECT_LE(in.fetched(), uint64_t{64} << 10);
}

TEST(InputStream, FilesLoadThroughTheSourceAsFromMemory) {
  test::TempDir dir;
  const std::vector<uint8_t> bytes = test::ManyLargePictures(3, 40, 30);
  ASSERT_TRUE(writer::WriteFile(dir / "pictures.dat", bytes));
  TPictureCollection from_file, from_memory;
  from_file.LoadCollectionFile(dir / "pictures.dat");
  from_memory.LoadCollectionStream(bytes);
  ASSERT_EQ(from_file.Count(), 3);
  EXPECT_EQ(from_file.Items(2).Name, "Big2");
  EXPECT_EQ(from_file.DeclaredPixels(), from_memory.DeclaredPixels());
  EXPECT_EQ(test::MessageOf([&] { from_file.LoadCollectionFile(dir / "missing.dat"); }),
            "Cannot open file " + (dir / "missing.dat"));
}

// A 1-bit picture of 16384 x 16384 with its 32 MB pixel block, as a TBitmap (a file header and
// a length before the DIB) or a TDIB.
std::vector<uint8_t> WholeBlockPicture(bool bitmap) {
  const std::vector<uint8_t> pixels(size_t{2048} * 16384, 0x55);
  const std::vector<uint8_t> dib = test::RawDib(16384, 16384, 1, 0, 2, pixels);
  if (!bitmap) return writer::PictureData("TDIB", dib);
  std::vector<uint8_t> value;
  writer::Put32(value, static_cast<uint32_t>(14 + dib.size()));
  value.insert(value.end(), {'B', 'M'});
  writer::Put32(value, static_cast<uint32_t>(14 + dib.size()));
  writer::Put32(value, 0);
  writer::Put32(value, 14 + 40 + 8);
  value.insert(value.end(), dib.begin(), dib.end());
  return writer::PictureData("TBitmap", value);
}

TEST(InputStream, APictureOverTheCapIsRefusedByItsHeaderBeforeItsPixelsAreRead) {
  test::TempDir dir;
  for (bool bitmap : {false, true}) {
    writer::PictureItemEntry item;
    item.name = "Plain";
    item.picture_data = WholeBlockPicture(bitmap);
    const std::vector<uint8_t> bytes = writer::WriteImageCollection({item});
    ASSERT_TRUE(writer::WriteFile(dir / "plain.dat", bytes));

    FileSource file(dir / "plain.dat");
    InputStream in(file, file.size());
    TPictureCollection collection;
    EXPECT_EQ(test::MessageOf([&] { collection.LoadCollectionStream(in); }),
              "Error reading TPictureCollectionComponent.List: Error reading "
              "TPictureCollectionItem.Picture.Data: Image 'Plain' (item 0) is too large: "
              "16384x16384 pixels, more than 67108864 in one picture")
        << (bitmap ? "TBitmap" : "TDIB");
    EXPECT_LE(in.fetched(), uint64_t{64} << 10);
    // The whole value gives the same verdict.
    EXPECT_THROW(ReadPicturePayload(item.picture_data), PictureTooLarge);
  }
}

}  // namespace
}  // namespace kv

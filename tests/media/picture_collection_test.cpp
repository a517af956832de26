#include "media/picture_collection.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/error.h"
#include "support/test_support.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

// A picture of a given size that offers a given list of colours.
class FakePicture : public Picture {
 public:
  FakePicture(int w, int h, std::vector<Bgr0> colors = {}, PictureKind kind = PictureKind::kDib)
      : w_(w), h_(h), colors_(std::move(colors)), kind_(kind) {}
  PictureKind kind() const override { return kind_; }
  const char* ClassName() const override { return "TDIB"; }
  int width() const override { return w_; }
  int height() const override { return h_; }
  int bits_per_pixel() const override { return 8; }
  const RgbImage& Pixels() override { return image_; }
  std::vector<Bgr0> OfferedColors() const override { return colors_; }

 private:
  int w_, h_;
  std::vector<Bgr0> colors_;
  PictureKind kind_;
  RgbImage image_;
};

void Name(TPictureCollection& c, std::initializer_list<const char*> names) {
  for (const char* name : names) c.Rename(c.Add(), name);
}

TEST(PictureCollection, NewItemHasItsDefaults) {
  TPictureCollection c;
  TPictureCollectionItem& item = c.Add();
  EXPECT_EQ(item.Name, "");
  EXPECT_EQ(item.PatternWidth, 0);
  EXPECT_EQ(item.SkipHeight, 0);
  EXPECT_TRUE(item.Transparent);
  EXPECT_FALSE(item.SystemMemory);
  EXPECT_EQ(item.TransparentColor, 0u);
  EXPECT_TRUE(item.picture().empty());
  EXPECT_TRUE(item.PatternRects().empty());
}

TEST(PictureCollection, LookupFindsTheLastNamedAnyCase) {
  TPictureCollection c;
  Name(c, {"Button", "Menu", "BUTTON", "", ""});
  EXPECT_EQ(c.IndexOfName("button"), 2);
  EXPECT_EQ(c.IndexOfName("bUtToN"), 2);
  EXPECT_EQ(c.IndexOfName("menu"), 1);
  EXPECT_EQ(c.IndexOfName(""), 4);  // the last item created without a name
  EXPECT_EQ(c.IndexOfName("Butto"), -1);
  EXPECT_EQ(&c.FindItemByName("MENU"), &c.Items(1));
  EXPECT_EQ(test::MessageOf([&] { c.FindItemByName("Nothing Here"); }),
            "Image 'Nothing Here' not found");
}

TEST(PictureCollection, AccentedCapitalsMatchTheirSmallLetters) {
  // "Šíp" and "šÍP" in code page 1250.
  TPictureCollection c;
  Name(c, {"\x8A\xED\x70"});
  EXPECT_EQ(c.IndexOfName("\x9A\xCD\x50"), 0);
  EXPECT_EQ(c.IndexOfName("\x9A\xED\x70"), 0);
}

TEST(PictureCollection, RenameRefilesTheItem) {
  TPictureCollection c;
  Name(c, {"Alpha", "Beta", "Alpha"});
  c.Rename(c.Items(2), "Gamma");
  EXPECT_EQ(c.IndexOfName("alpha"), 0);
  EXPECT_EQ(c.IndexOfName("gamma"), 2);
  // Renaming to the name it already has does not move it ahead of a later namesake.
  c.Rename(c.Items(1), "Alpha");
  c.Rename(c.Items(0), "Alpha");
  EXPECT_EQ(c.IndexOfName("ALPHA"), 1);
  c.Rename(c.Items(1), "Delta");
  EXPECT_EQ(c.IndexOfName("Alpha"), 0);
  EXPECT_EQ(c.IndexOfName("Beta"), -1);
}

TEST(PictureCollection, ANameGivenAgainFilesTheItemAheadOfItsNamesakes) {
  TPictureCollection c;
  Name(c, {"Ab", "AB", "ab", "Ax"});  // all of one classic bucket
  c.Rename(c.Items(0), "Other");
  c.Rename(c.Items(0), "aB");
  EXPECT_EQ(c.IndexOfName("AB"), 0);
  c.Rename(c.Items(0), "Other");
  EXPECT_EQ(c.IndexOfName("ab"), 2);
  EXPECT_EQ(c.IndexOfName("AX"), 3);
  EXPECT_EQ(c.IndexOfName("Ay"), -1);
  c.Clear();
  EXPECT_EQ(c.IndexOfName("ab"), -1);
}

TEST(PictureCollection, IndexOutOfBounds) {
  TPictureCollection c;
  Name(c, {"a"});
  EXPECT_EQ(test::MessageOf([&] { c.Items(1); }), "List index out of bounds (1)");
  EXPECT_EQ(test::MessageOf([&] { c.Items(-1); }), "List index out of bounds (-1)");
}

std::vector<Rect> Grid(int w, int h, int pw, int ph, int sw = 0, int sh = 0) {
  TPictureCollection c;
  TPictureCollectionItem& item = c.Add();
  item.SetPicture(std::make_unique<FakePicture>(w, h));
  item.PatternWidth = pw;
  item.PatternHeight = ph;
  item.SkipWidth = sw;
  item.SkipHeight = sh;
  return item.PatternRects();
}

TEST(PictureCollection, PatternGrids) {
  EXPECT_EQ(Grid(64, 32, 0, 0), (std::vector<Rect>{{0, 0, 64, 32}}));
  EXPECT_EQ(Grid(64, 32, -5, 32, 7, 7), (std::vector<Rect>{{0, 0, 64, 32}}));
  EXPECT_EQ(Grid(64, 32, 32, 32), (std::vector<Rect>{{0, 0, 32, 32}, {32, 0, 64, 32}}));
  EXPECT_EQ(Grid(68, 32, 32, 0, 4), (std::vector<Rect>{{0, 0, 32, 32}, {36, 0, 68, 32}}));
  // Row by row, leftovers that do not make a whole pattern dropped.
  EXPECT_EQ(
      Grid(50, 45, 20, 20),
      (std::vector<Rect>{{0, 0, 20, 20}, {20, 0, 40, 20}, {0, 20, 20, 40}, {20, 20, 40, 40}}));
  EXPECT_EQ(Grid(10, 10, 20, 20), std::vector<Rect>{});
}

TEST(PictureCollection, DegenerateGridsHaveNoPatterns) {
  EXPECT_TRUE(Grid(64, 32, 32, 32, -32).empty());  // step 0
  EXPECT_TRUE(Grid(64, 32, 32, 32, -40).empty());  // step negative
  EXPECT_TRUE(Grid(64, 32, 32, 32, INT32_MAX, INT32_MAX).size() == 1);
  EXPECT_TRUE(Grid(64, 32, INT32_MAX, 1, INT32_MAX).empty());
  EXPECT_TRUE(Grid(30000, 30000, 1, 1).empty());  // absurd grids are refused, not allocated
}

Bgr0 Rgb0(uint8_t r, uint8_t g, uint8_t b) {
  return {b, g, r, 0};
}

Bgr0 Entry(const TPictureCollection& c, int i) {
  return {c.ColorTable[i * 4], c.ColorTable[i * 4 + 1], c.ColorTable[i * 4 + 2],
          c.ColorTable[i * 4 + 3]};
}

TEST(PictureCollection, ColorTableOfTrueColourPicturesIsTheFixedSixteen) {
  TPictureCollection c;
  c.ColorTable.fill(0xAA);
  c.Add().SetPicture(std::make_unique<FakePicture>(4, 4));
  c.BuildColorTable();
  EXPECT_EQ(Entry(c, 0), Rgb0(0, 0, 0));
  EXPECT_EQ(Entry(c, 1), Rgb0(128, 0, 0));
  EXPECT_EQ(Entry(c, 7), Rgb0(192, 192, 192));
  EXPECT_EQ(Entry(c, 248), Rgb0(128, 128, 128));
  EXPECT_EQ(Entry(c, 252), Rgb0(0, 0, 255));
  EXPECT_EQ(Entry(c, 255), Rgb0(255, 255, 255));
  for (int i = 8; i < 248; ++i) EXPECT_EQ(Entry(c, i), Rgb0(0, 0, 0)) << i;
}

TEST(PictureCollection, ColorTableTakesNewColoursInOrder) {
  TPictureCollection c;
  c.Add();  // an empty picture offers nothing
  // A 4-bit table padded to 256 with zeros, as a DIB offers it.
  std::vector<Bgr0> dib = {Rgb0(0, 0, 0), Rgb0(10, 20, 30), Rgb0(255, 255, 255), Rgb0(40, 50, 60),
                           Rgb0(10, 20, 30)};
  dib.resize(256, Bgr0{});
  c.Add().SetPicture(std::make_unique<FakePicture>(2, 2, dib));
  c.Add().SetPicture(std::make_unique<FakePicture>(
      2, 2, std::vector<Bgr0>{Rgb0(40, 50, 60), {7, 7, 7, 1}}, PictureKind::kBitmap));
  c.BuildColorTable();
  EXPECT_EQ(Entry(c, 8), Rgb0(10, 20, 30));
  EXPECT_EQ(Entry(c, 9), Rgb0(40, 50, 60));
  EXPECT_EQ(Entry(c, 10), (Bgr0{7, 7, 7, 1}));  // all four bytes count
  EXPECT_EQ(Entry(c, 11), Rgb0(0, 0, 0));
}

TEST(PictureCollection, ColorTableDropsColoursWhenFull) {
  TPictureCollection c;
  std::vector<Bgr0> many;
  for (int i = 0; i < 300; ++i)
    many.push_back(Rgb0(static_cast<uint8_t>(i), static_cast<uint8_t>(i / 256), 1));
  c.Add().SetPicture(std::make_unique<FakePicture>(2, 2, many, PictureKind::kBitmap));
  c.Add().SetPicture(
      std::make_unique<FakePicture>(2, 2, std::vector<Bgr0>{Rgb0(9, 9, 9)}, PictureKind::kBitmap));
  c.BuildColorTable();
  EXPECT_EQ(Entry(c, 8), Rgb0(0, 0, 1));
  EXPECT_EQ(Entry(c, 247), Rgb0(239, 0, 1));
  EXPECT_EQ(Entry(c, 255), Rgb0(255, 255, 255));
}

TEST(PictureCollection, ResolvesColourIdentifiersAndSystemColours) {
  Color value = 0;
  ASSERT_TRUE(ColorFromIdentifier("CLBTNFACE", value));
  EXPECT_EQ(value, 0x8000000Fu);
  ASSERT_TRUE(ColorFromIdentifier("clNone", value));
  EXPECT_EQ(value, kClNone);
  ASSERT_TRUE(ColorFromIdentifier("clInfoBk", value));
  EXPECT_EQ(value, 0x80000018u);
  EXPECT_FALSE(ColorFromIdentifier("clOrange", value));
  EXPECT_EQ(ResolveColor(0x123456), 0x123456u);
  EXPECT_EQ(ResolveColor(0x80000000 + 5), Rgb(255, 255, 255));  // window
  EXPECT_EQ(ResolveColor(0x80000000 + 200), 0u);
}

// Loading from files made by the writer.

std::vector<uint8_t> SmallDib(int w, int h, int bits) {
  RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w * h * 3), 0x80)};
  writer::DibOptions options;
  options.bits = bits;
  return writer::DibPictureData(image, options);
}

TEST(PictureCollectionLoad, ItemsAndTheirProperties) {
  writer::PictureItemEntry a;
  a.name = "Tiles";
  a.picture_data = SmallDib(64, 32, 24);
  a.pattern_width = 32;
  a.pattern_height = 32;
  a.transparent = false;
  a.system_memory = true;
  a.transparent_color = 0x00FF00;
  writer::PictureItemEntry b;  // everything left to the defaults
  std::array<uint8_t, 1024> table{};
  table[5] = 42;

  TPictureCollection c;
  c.LoadCollectionStream(writer::WriteImageCollection({a, b}, &table));
  ASSERT_EQ(c.Count(), 2);
  TPictureCollectionItem& tiles = c.FindItemByName("tiles");
  EXPECT_EQ(tiles.picture().width(), 64);
  EXPECT_EQ(tiles.PatternRects().size(), 2u);
  EXPECT_FALSE(tiles.Transparent);
  EXPECT_TRUE(tiles.SystemMemory);
  EXPECT_EQ(tiles.TransparentColor, 0x00FF00u);
  EXPECT_TRUE(c.Items(1).Transparent);
  EXPECT_TRUE(c.Items(1).picture().empty());
  EXPECT_EQ(c.ColorTable[5], 42);
}

TEST(PictureCollectionLoad, FourBitDibFillsTheColourTableFromEntryEight) {
  writer::DibOptions options;
  options.bits = 4;
  // Fixed colours (black, white, dark red) mixed with new ones, then a repeat.
  options.palette = {{0, 0, 0, 0},    {10, 20, 30, 0}, {255, 255, 255, 0}, {0, 0, 128, 0},
                     {40, 50, 60, 0}, {10, 20, 30, 0}, {1, 2, 3, 0}};
  writer::IndexedImage image{2, 2, {0, 1, 4, 6}};
  writer::PictureItemEntry dib;
  dib.picture_data = writer::DibPictureData(image, options);
  writer::PictureItemEntry later;
  later.picture_data = SmallDib(2, 2, 24);
  TPictureCollection c;
  c.LoadCollectionStream(writer::WriteImageCollection({dib, later}));
  c.BuildColorTable();
  EXPECT_EQ(Entry(c, 8), (Bgr0{10, 20, 30, 0}));
  EXPECT_EQ(Entry(c, 9), (Bgr0{40, 50, 60, 0}));
  EXPECT_EQ(Entry(c, 10), (Bgr0{1, 2, 3, 0}));
  EXPECT_EQ(Entry(c, 11), (Bgr0{0, 0, 0, 0}));
}

TEST(PictureCollectionLoad, ColourTableSizes) {
  auto file = [](size_t size) {
    writer::StreamWriter w;
    writer::BeginRoot(w, "TPictureCollectionComponent");
    std::vector<uint8_t> table(size, 7);
    writer::WriteBinaryProperty(w, "List.ColorTable", table);
    writer::FinishRoot(w);
    return w.Take();
  };
  TPictureCollection c;
  c.LoadCollectionStream(file(1100));
  EXPECT_EQ(c.ColorTable[1023], 7);
  c.ColorTable.fill(1);
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionStream(file(1023)); }),
            "Error reading TPictureCollectionComponent.List.ColorTable: Stream read error");
  EXPECT_EQ(c.ColorTable[0], 1);
  // Without a table in the file the one held stays.
  c.LoadCollectionStream(writer::WriteImageCollection({}));
  EXPECT_EQ(c.ColorTable[0], 1);
}

TEST(PictureCollectionLoad, PictureValues) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  for (int i = 0; i < 3; ++i) {
    w.ItemStart();
    writer::WriteBinaryProperty(w, "Picture.Data", SmallDib(4, 4, 8));
    if (i == 0) writer::WriteBinaryProperty(w, "Picture.Data", writer::PictureData("Tdib", {}));
    if (i == 1) {
      w.PropertyName("Picture");
      w.Nil();
    }
    w.PropertyName("transparentcolor");
    w.Ident("clRed");
    w.End();
  }
  w.End();
  writer::FinishRoot(w);
  TPictureCollection c;
  c.LoadCollectionStream(w.Take());
  EXPECT_TRUE(c.Items(0).picture().empty());  // class names compare exactly
  EXPECT_TRUE(c.Items(1).picture().empty());
  EXPECT_EQ(c.Items(2).picture().height(), 4);
  EXPECT_EQ(c.Items(2).TransparentColor, 0x0000FFu);
}

TEST(PictureCollectionLoad, FailedPayloadKeepsThePictureAndEarlierItems) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  writer::WriteStringProperty(w, "Name", "First");
  w.End();
  w.ItemStart();
  writer::WriteBinaryProperty(w, "Picture.Data", SmallDib(5, 3, 24));
  writer::WriteBinaryProperty(w, "Picture.Data",
                              writer::PictureData("TDIB", std::vector<uint8_t>{1, 2}));
  w.End();
  w.End();
  writer::FinishRoot(w);
  TPictureCollection c;
  const std::string message = test::MessageOf([&] { c.LoadCollectionStream(w.Take()); });
  EXPECT_TRUE(
      message.starts_with("Error reading TPictureCollectionComponent.List: Error reading "
                          "TPictureCollectionItem.Picture.Data: "))
      << message;
  ASSERT_EQ(c.Count(), 2);
  EXPECT_EQ(c.IndexOfName("first"), 0);
  EXPECT_EQ(c.Items(1).picture().width(), 5);
}

TEST(PictureCollectionLoad, SecondListReplacesTheFirst) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  for (const char* name : {"One", "Two"}) {
    w.PropertyName("List");
    w.CollectionStart();
    w.ItemStart();
    writer::WriteStringProperty(w, "Name", name);
    w.End();
    w.End();
  }
  writer::FinishRoot(w);
  TPictureCollection c;
  Name(c, {"Old"});
  c.LoadCollectionStream(w.Take());
  ASSERT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Items(0).Name, "Two");
  EXPECT_EQ(c.IndexOfName("One"), -1);
}

TEST(PictureCollectionLoad, UnknownItemPropertyIsWrappedTwice) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  writer::WriteIntProperty(w, "Width", 3);
  w.End();
  w.End();
  writer::FinishRoot(w);
  TPictureCollection c;
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionStream(w.Take()); }),
            "Error reading TPictureCollectionComponent.List: Error reading "
            "TPictureCollectionItem.Width: Property does not exist");
}

TEST(PictureCollectionLoad, Files) {
  test::TempDir dir;
  TPictureCollection c;
  const std::string missing = dir / "missing.dat";
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionFile(missing); }), "Cannot open file " + missing);
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionFile(dir.path().string()); }),
            "Cannot open file " + dir.path().string());
  writer::PictureItemEntry item;
  item.name = "x";
  ASSERT_TRUE(writer::WriteFile(dir / "one.dat", writer::WriteImageCollection({item})));
  c.LoadCollectionFile(dir / "one.dat");
  EXPECT_EQ(c.Count(), 1);
}

}  // namespace
}  // namespace kv

#include "media/stream_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "media/collection_root.h"
#include "media/picture_collection.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

using writer::StreamWriter;

// A small object tree that writes down every setter call, so tests can see what was read.
struct Log {
  std::vector<std::string> lines;
};

class TestHolder : public StreamObject {
 public:
  explicit TestHolder(Log& log) : log_(log) {}
  std::string_view ClassName() const override { return "TTestHolder"; }
  DefinedKind FindDefined(std::string_view name) const override {
    if (cp1250::EqualAsciiNoCase(name, "Blob")) return DefinedKind::kBinary;
    if (cp1250::EqualAsciiNoCase(name, "Pos")) return DefinedKind::kPlain;
    return DefinedKind::kNone;
  }
  void ReadPlain(std::string_view name, StreamReader& reader) override {
    log_.lines.push_back("Pos=" + std::to_string(reader.ReadInteger()));
  }
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    log_.lines.push_back("Blob:" + std::to_string(data.size()));
  }

 private:
  Log& log_;
};

constexpr PropertyInfo kItemProperties[] = {
    {"Name", PropertyType::kString},
    {"Number", PropertyType::kInteger},
    {"Shade", PropertyType::kColor, &ColorFromIdentifier},
    {"Flag", PropertyType::kBoolean},
    {"Holder", PropertyType::kObject},
    {"Fixed", PropertyType::kInteger, nullptr, true},
};

class TestItem : public StreamObject {
 public:
  explicit TestItem(Log& log) : log_(log), holder_(log) {}
  std::string_view ClassName() const override { return "TTestItem"; }
  std::span<const PropertyInfo> Properties() const override { return kItemProperties; }
  void SetInteger(size_t p, int32_t v) override { Put(p, std::to_string(v)); }
  void SetBoolean(size_t p, bool v) override { Put(p, v ? "true" : "false"); }
  void SetString(size_t p, std::string v) override { Put(p, "'" + v + "'"); }
  void SetNil(size_t p) override { Put(p, "nil"); }
  StreamObject* GetObject(size_t p) override { return p == 4 ? &holder_ : nullptr; }

 private:
  void Put(size_t p, const std::string& v) {
    log_.lines.push_back(std::string(kItemProperties[p].name) + "=" + v);
  }
  Log& log_;
  TestHolder holder_;
};

class TestList : public StreamObject, public StreamCollection {
 public:
  explicit TestList(Log& log) : log_(log) {}
  std::string_view ClassName() const override { return "TTestList"; }
  StreamCollection* AsCollection() override { return this; }
  void ClearItems() override { log_.lines.push_back("clear"); }
  StreamObject& AddItem() override {
    log_.lines.push_back("add");
    item_ = std::make_unique<TestItem>(log_);
    return *item_;
  }

 private:
  Log& log_;
  std::unique_ptr<TestItem> item_;
};

// Builds a file whose root holds `List` with one item of the given property entries.
std::vector<uint8_t> OneItemFile(const std::function<void(StreamWriter&)>& entries) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  entries(w);
  w.End();
  w.End();
  writer::FinishRoot(w);
  return w.Take();
}

std::vector<std::string> Read(const std::vector<uint8_t>& bytes) {
  Log log;
  TestList list(log);
  ReadCollectionStream(bytes, "TPictureCollectionComponent", list);
  return log.lines;
}

std::string ReadError(const std::vector<uint8_t>& bytes) {
  try {
    Read(bytes);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

std::string ItemError(const std::function<void(StreamWriter&)>& entries) {
  return ReadError(OneItemFile(entries));
}

const std::string kItemPrefix =
    "Error reading TPictureCollectionComponent.List: Error reading TTestItem.";

using Lines = std::vector<std::string>;

TEST(StreamReader, MinimalFileReadsNothing) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  writer::FinishRoot(w);
  EXPECT_EQ(Read(w.Take()), Lines{});
}

TEST(StreamReader, EmptyCollectionDoesNotClear) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.End();
  writer::FinishRoot(w);
  EXPECT_EQ(Read(w.Take()), Lines{});
}

TEST(StreamReader, ItemsWithAndWithoutOrderNumbers) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  writer::WriteIntProperty(w, "Number", 1);
  w.End();
  w.ItemStart(300);  // a 16-bit order number
  writer::WriteIntProperty(w, "Number", 2);
  w.End();
  w.End();
  writer::FinishRoot(w);
  EXPECT_EQ(Read(w.Take()), (Lines{"clear", "add", "Number=1", "add", "Number=2"}));
}

TEST(StreamReader, IntegerTagsAreSignExtended) {
  const auto lines = Read(OneItemFile([](StreamWriter& w) {
    w.PropertyName("Number");
    w.Int8(static_cast<int8_t>(0x80));
    w.PropertyName("Number");
    w.Int16(static_cast<int16_t>(0xFFFF));
    w.PropertyName("Number");
    w.Int32(INT32_MIN);
  }));
  EXPECT_EQ(lines, (Lines{"clear", "add", "Number=-128", "Number=-1", "Number=-2147483648"}));
}

TEST(StreamReader, NamesAndIdentifiersIgnoreAsciiCase) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("lIST");
  w.CollectionStart();
  w.ItemStart();
  w.PropertyName("FLAG");
  w.Ident("TRUE");
  w.PropertyName("flag");
  w.Ident("false");
  w.PropertyName("shade");
  w.Ident("CLRED");
  w.PropertyName("Shade");
  w.Ident("clBtnFace");
  w.PropertyName("holder.BLOB");
  w.Binary(std::vector<uint8_t>{1, 2, 3});
  w.End();
  w.End();
  writer::FinishRoot(w);
  EXPECT_EQ(Read(w.Take()), (Lines{"clear", "add", "Flag=true", "Flag=false", "Shade=255",
                                   "Shade=-2147483633", "Blob:3"}));
}

TEST(StreamReader, ValuesOfEveryAcceptedTag) {
  const std::string long_text(300, 'x');
  const auto lines = Read(OneItemFile([&](StreamWriter& w) {
    writer::WriteStringProperty(w, "Name", "short");
    writer::WriteStringProperty(w, "Name", long_text);  // tag 12
    writer::WriteBoolProperty(w, "Flag", true);
    writer::WriteBoolProperty(w, "Flag", false);
    writer::WriteIntProperty(w, "Shade", 0x123456);
    w.PropertyName("Holder");
    w.Nil();
    w.PropertyName("Holder.Pos");
    w.Int(-7);
  }));
  EXPECT_EQ(lines, (Lines{"clear", "add", "Name='short'", "Name='" + long_text + "'", "Flag=true",
                          "Flag=false", "Shade=1193046", "Holder=nil", "Pos=-7"}));
}

TEST(StreamReader, WrongTagsAreInvalidValues) {
  const std::string invalid = "Invalid property value";
  auto with = [&](std::string_view name, const std::function<void(StreamWriter&)>& value) {
    return ItemError([&](StreamWriter& w) {
      w.PropertyName(name);
      value(w);
    });
  };
  EXPECT_EQ(with("Number", [](StreamWriter& w) { w.String("1"); }),
            kItemPrefix + "Number: " + invalid);
  EXPECT_EQ(with("Number", [](StreamWriter& w) { w.Ident("clRed"); }),
            kItemPrefix + "Number: " + invalid);  // plain integers have no identifiers
  EXPECT_EQ(with("Shade", [](StreamWriter& w) { w.Ident("clPink"); }),
            kItemPrefix + "Shade: " + invalid);
  EXPECT_EQ(with("Flag", [](StreamWriter& w) { w.Int(1); }), kItemPrefix + "Flag: " + invalid);
  EXPECT_EQ(with("Flag", [](StreamWriter& w) { w.Ident("yes"); }),
            kItemPrefix + "Flag: " + invalid);
  EXPECT_EQ(with("Name", [](StreamWriter& w) { w.Ident("x"); }), kItemPrefix + "Name: " + invalid);
  // A reference to a named component, and a collection where no collection is held.
  EXPECT_EQ(with("Holder", [](StreamWriter& w) { w.Ident("Other"); }),
            kItemPrefix + "Holder: " + invalid);
  EXPECT_EQ(with("Holder",
                 [](StreamWriter& w) {
                   w.CollectionStart();
                   w.End();
                 }),
            kItemPrefix + "Holder: " + invalid);
  EXPECT_EQ(with("Holder.Blob", [](StreamWriter& w) { w.Int(1); }),
            kItemPrefix + "Holder.Blob: " + invalid);
  for (uint8_t tag : {5, 11, 15, 18, 255}) {
    EXPECT_EQ(with("Number", [&](StreamWriter& w) { w.Byte(tag); }),
              kItemPrefix + "Number: " + invalid)
        << int(tag);
  }
}

TEST(StreamReader, PathAndNameFailures) {
  auto with = [&](std::string_view name) {
    return ItemError([&](StreamWriter& w) {
      w.PropertyName(name);
      w.Int(1);
    });
  };
  EXPECT_EQ(with("Missing"), kItemPrefix + "Missing: Property does not exist");
  EXPECT_EQ(with("Missing.Blob"), kItemPrefix + "Missing.Blob: Property does not exist");
  EXPECT_EQ(with("Number.Blob"), kItemPrefix + "Number.Blob: Invalid property path");
  EXPECT_EQ(with("Holder.Missing"), kItemPrefix + "Holder.Missing: Property does not exist");
  EXPECT_EQ(with("Holder."), kItemPrefix + "Holder.: Property does not exist");
  EXPECT_EQ(with("Fixed"), kItemPrefix + "Fixed: Property is read-only");
}

TEST(StreamReader, RootNameChoosesTheWrappingName) {
  StreamWriter w;
  w.Header("X");
  w.Signature();
  w.RootStart("TSomething", "Images_2");
  writer::WriteIntProperty(w, "Tag", 1);
  writer::WriteIntProperty(w, "Left", 1);
  writer::WriteIntProperty(w, "TOP", 1);
  writer::WriteIntProperty(w, "Bogus", 1);
  writer::FinishRoot(w);
  EXPECT_EQ(ReadError(w.Take()), "Error reading Images_2.Bogus: Property does not exist");

  for (const char* bad : {"2nd", "a-b", "a.b"}) {
    StreamWriter v;
    v.Header("X");
    v.Signature();
    v.RootStart("TSomething", bad);
    writer::FinishRoot(v);
    EXPECT_EQ(ReadError(v.Take()), "''" + std::string(bad) + "'' is not a valid component name");
  }
}

TEST(StreamReader, BinaryValueIsHandedOverWhole) {
  const auto lines = Read(OneItemFile([](StreamWriter& w) {
    writer::WriteBinaryProperty(w, "Holder.Blob", std::vector<uint8_t>(5, 4));  // 4 = a tag
    writer::WriteIntProperty(w, "Number", 9);
  }));
  EXPECT_EQ(lines, (Lines{"clear", "add", "Blob:5", "Number=9"}));
}

TEST(StreamReader, NegativeLengthsAreReadErrors) {
  EXPECT_EQ(ItemError([](StreamWriter& w) {
              w.PropertyName("Holder.Blob");
              w.BinaryWithLength(-1, {});
            }),
            kItemPrefix + "Holder.Blob: Stream read error");
  EXPECT_EQ(ItemError([](StreamWriter& w) {
              w.PropertyName("Name");
              w.Byte(writer::kTagLongString);
              w.U32(0x80000000);
            }),
            kItemPrefix + "Name: Stream read error");
}

TEST(StreamReader, ItemWithoutListTagStaysAddedAndFails) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.Int(3);  // order number
  w.Byte(writer::kTagString);
  w.End();
  writer::FinishRoot(w);
  Log log;
  TestList list(log);
  EXPECT_THROW(
      {
        try {
          ReadCollectionStream(w.Take(), "TPictureCollectionComponent", list);
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(),
                       "Error reading TPictureCollectionComponent.List: Invalid property value");
          throw;
        }
      },
      Error);
  EXPECT_EQ(log.lines, (Lines{"clear", "add"}));
}

TEST(StreamReader, HeaderVariants) {
  auto file = [](const std::function<void(StreamWriter&)>& head) {
    StreamWriter w;
    head(w);
    w.RootStart("TPictureCollectionComponent", "");
    writer::FinishRoot(w);
    return w.Take();
  };
  // The longest resource name, and a prefix byte with and without its order number.
  EXPECT_EQ(ReadError(file([](StreamWriter& w) {
              w.Header(std::string(76, 'N'));
              w.Signature();
              w.Prefix(2, 5);
            })),
            "no error");
  EXPECT_EQ(ReadError(file([](StreamWriter& w) {
              w.Header("");
              w.Signature();
              w.Prefix(1);
            })),
            "no error");

  std::vector<uint8_t> good = file([](StreamWriter& w) {
    w.Header("R");
    w.Signature();
  });
  for (size_t at : {size_t{0}, size_t{1}, size_t{2}, size_t{12}}) {  // 0xFF, 10, "TPF0"
    auto bad = good;
    bad[at] ^= 0x40;
    EXPECT_EQ(ReadError(bad), "Invalid stream format") << at;
  }
}

TEST(StreamReader, TrailingBytesAreIgnoredButChildrenRejected) {
  StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  writer::FinishRoot(w);
  w.Bytes(std::vector<uint8_t>{0xDE, 0xAD});
  EXPECT_EQ(ReadError(w.Take()), "no error");

  StreamWriter c;
  writer::BeginRoot(c, "TPictureCollectionComponent");
  c.End();
  c.ShortString("TChild");
  EXPECT_EQ(ReadError(c.Take()), "Invalid property value");
}

TEST(StreamReader, EveryCutShortFileIsAReadError) {
  StreamWriter w;
  w.Header("TPICTURECOLLECTIONCOMPONENT");
  w.Signature();
  w.Prefix(2, 1000);
  w.RootStart("TPictureCollectionComponent", "Root");
  writer::WriteIntProperty(w, "Left", 100000);
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart(70000);
  writer::WriteStringProperty(w, "Name", "abc");
  writer::WriteStringProperty(w, "Name", std::string(260, 'y'));
  writer::WriteBoolProperty(w, "Flag", true);
  w.PropertyName("Shade");
  w.Ident("clNone");
  writer::WriteBinaryProperty(w, "Holder.Blob", std::vector<uint8_t>(3, 1));
  w.PropertyName("Holder");
  w.Nil();
  w.End();
  w.End();
  writer::FinishRoot(w);
  const auto full = w.Take();
  ASSERT_EQ(ReadError(full), "no error");
  for (size_t length = 0; length < full.size(); ++length) {
    const std::vector<uint8_t> cut(full.begin(), full.begin() + length);
    const std::string message = ReadError(cut);
    ASSERT_TRUE(message.ends_with("Stream read error")) << length << ": " << message;
  }
}

}  // namespace
}  // namespace kv

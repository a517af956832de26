// The data tool's output, checked by running the built program on files the writer makes.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "support/child_process.h"
#include "support/test_support.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"
#include "tools/writer/wave_writer.h"

namespace kv {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DataTool : public ::testing::Test {
 protected:
  void SetUp() override {
    tool_ = test::DataToolProgram();
    ASSERT_TRUE(std::filesystem::exists(tool_)) << "build kervana-data first";
  }

  Result Run(const std::vector<std::string>& args) { return RunWith(args, dir_ / "out"); }

  // Standard output goes to `out_to`; no file the tool writes may grow beyond
  // `file_size_limit` bytes (0: no limit). A tool that hangs is stopped after a while and fails
  // the test.
  Result RunWith(const std::vector<std::string>& args, const std::string& out_to,
                 uint64_t file_size_limit = 0) {
    std::vector<std::string> argv = {tool_};
    argv.insert(argv.end(), args.begin(), args.end());
    Result result;
    result.status = test::RunToEnd({.argv = argv,
                                    .stdout_path = out_to,
                                    .stderr_path = dir_ / "err",
                                    .file_size_limit = file_size_limit});
    // Only a file of our own is read back; a device (/dev/full) would never end.
    if (out_to == dir_ / "out") result.out = test::ReadOutput(out_to);
    result.err = test::ReadOutput(dir_ / "err");
    return result;
  }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = dir_ / name;
    EXPECT_TRUE(writer::WriteFile(path, bytes));
    return path;
  }

  test::TempDir dir_;
  std::string tool_;
};

RgbImage TwoPixels() {
  return RgbImage{2, 1, {255, 0, 0, 0, 0, 255}};
}

std::vector<uint8_t> Images() {
  writer::PictureItemEntry arrow;
  arrow.name = cp1250::FromUtf8("Šíp");
  writer::DibOptions options;
  options.bits = 24;
  arrow.picture_data = writer::DibPictureData(TwoPixels(), options);
  arrow.pattern_width = 1;
  arrow.transparent_color = 0x80000005;
  writer::PictureItemEntry blank;
  blank.name = "Blank \"1\"";
  blank.transparent = false;
  std::array<uint8_t, 1024> table{};
  table[0] = 0xAB;
  return writer::WriteImageCollection({arrow, blank}, &table);
}

TEST_F(DataTool, ReportImages) {
  const Result r = Run({"inspect", "--images", Write("img.dat", Images())});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("{\"count\": 2,")) << r.out;
  EXPECT_NE(r.out.find("{\"index\":0, \"name\":\"Šíp\", \"picture\":\"TDIB\", \"width\":2, "
                       "\"height\":1, \"bits\":24, \"patterns\":2, \"pattern_width\":1, "
                       "\"pattern_height\":0, \"skip_width\":0, \"skip_height\":0, "
                       "\"transparent\":true, \"transparent_color\":2147483653, "
                       "\"system_memory\":false}"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("{\"index\":1, \"name\":\"Blank \\\"1\\\"\", \"picture\":\"empty\", "
                       "\"width\":0, \"height\":0, \"bits\":0, \"patterns\":0, "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"color_table\": \"ab" + std::string(2046, '0') + "\""), std::string::npos);
  // Entry 0 black, entry 1 dark red stored blue, green, red, 0; entry 255 white.
  EXPECT_NE(r.out.find("\"built_color_table\": \"0000000000008000"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("ffffff00\"}\n"));
}

TEST_F(DataTool, ReportWaves) {
  const std::vector<uint8_t> samples = {1, 2, 3, 4, 5};
  writer::WaveItemEntry click{"Click", writer::EncodeWav(samples, 1, 8000, 8), true, -3};
  writer::WaveItemEntry silent{"", {}, std::nullopt, std::nullopt};
  const Result r =
      Run({"inspect", "--waves", Write("snd.dat", writer::WriteWaveCollection({click, silent}))});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"count\": 2,\n \"items\": [\n"
            "  {\"index\":0, \"name\":\"Click\", \"looped\":true, \"max_playing_count\":0, "
            "\"format\":\"01000100401f0000401f000001000800\", \"samples\":5, "
            "\"samples_sha256\":"
            "\"74f81fe167d99b4cb41d6d0ccda82278caee9f3e2f25d5e5a3936ff3dcec60d0\"},\n"
            "  {\"index\":1, \"name\":\"\", \"looped\":false, \"max_playing_count\":0, "
            "\"format\":\"\", \"samples\":0, \"samples_sha256\":"
            "\"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\"}]}\n");
}

TEST_F(DataTool, FindConvertsNamesAndReportsMisses) {
  const std::string file = Write("img.dat", Images());
  Result r = Run({"find", "--images", file, "šÍP"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\n");
  r = Run({"find", "--images", file, "Čert"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Image 'Čert' not found\n");
  r = Run({"find", "--waves", Write("snd.dat", writer::WriteWaveCollection({})), "Button"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Wave 'Button' not found\n");
}

// Each argument reaches the tool whole and unchanged, whatever blanks, quotes and backslashes
// it holds: on Windows a command line is one string, which the test's side quotes and the
// tool's runtime splits again. The miss repeats the name as the tool read it.
TEST_F(DataTool, ArgumentsArriveAsTheyWereGiven) {
  const std::string file = Write("img.dat", Images());
  for (const std::string name : {"two words", "say \"hi\"", "ends in a backslash\\", "a\\\"b",
                                 "back\\slash", "\ttab", "Čert č", ""}) {
    const Result r = Run({"find", "--images", file, name});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_EQ(r.err, "Image '" + name + "' not found\n") << name;
  }
  // A file name with a blank in it is one argument too.
  const std::string spaced = Write("two words.dat", Images());
  EXPECT_EQ(Run({"find", "--images", spaced, "šÍP"}).out, "0\n");
}

TEST_F(DataTool, FailedLoadsPrintTheWholeMessage) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  writer::WriteBoolProperty(w, "PatternWidth", true);
  w.End();
  w.End();
  writer::FinishRoot(w);
  Result r = Run({"inspect", "--images", Write("bad.dat", w.Take())});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Error reading TPictureCollectionComponent.List: Error reading "
            "TPictureCollectionItem.PatternWidth: Invalid property value\n");

  const std::string missing = dir_ / "none.dat";
  r = Run({"inspect", "--waves", missing});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot open file " + missing + "\n");

  const std::vector<uint8_t> whole = Images();
  const std::vector<uint8_t> cut(whole.begin(), whole.begin() + 40);
  r = Run({"inspect", "--images", Write("cut.dat", cut)});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.ends_with("Stream read error\n")) << r.err;
}

// The built data passes; a folder with a missing collection and a faulty texts file has each
// problem on a line of its own, the texts' with their lines.
TEST_F(DataTool, CheckReportsEveryProblemOfAFolder) {
  const std::filesystem::path built = std::filesystem::path(KV_BUILD_DIR) / "data";
  Result good = Run({"check", built.string()});
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(good.out, "ok\n");
  EXPECT_EQ(good.err, "");

  const std::filesystem::path broken = dir_ / "broken";
  std::filesystem::copy(built, broken, std::filesystem::copy_options::recursive);
  std::filesystem::remove(broken / "intro.dat");
  std::ofstream(broken / "texts.txt") << "# texts\n[intro 0]\nx\n[intro 1]\nA \xE2\x86\x92 B\n";
  const std::string d = broken.string();
  Result bad = Run({"check", d});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  const std::string intro = (broken / "intro.dat").string();
  const std::string texts = (broken / "texts.txt").string();
  EXPECT_EQ(bad.err, intro + ": Cannot open file " + intro + "\n" + texts +
                         ":2: unknown section [intro 0]\n" + texts +
                         ":5: character U+2192 is not in code page 1250\n");
}

TEST_F(DataTool, ExportWritesPpm) {
  const std::string file = Write("img.dat", Images());
  const std::string ppm = dir_ / "out.ppm";
  Result r = Run({"export", file, "0", ppm});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Slurp(ppm), std::string("P6\n2 1\n255\n\xFF\x00\x00\x00\x00\xFF", 17));
  r = Run({"export", file, "2", ppm});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "List index out of bounds (2)\n");
  EXPECT_EQ(Run({"export", file, "x", ppm}).status, 2);
  EXPECT_EQ(Run({"inspect", "--sounds", file}).status, 2);
}

TEST_F(DataTool, SpecialFilesAreRefusedAtOnce) {
  const std::string folder = dir_ / "folder.dat";
  std::filesystem::create_directory(folder);
  std::vector<std::string> files = {folder};
#ifndef _WIN32  // Windows has no FIFOs
  const std::string fifo = dir_ / "fifo.dat";
  test::MakeFifo(fifo);
  files.push_back(fifo);
#endif
  for (const std::string& file : files) {
    Result r = Run({"inspect", "--images", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file " + file + "\n");
    r = Run({"find", "--waves", file, "Button"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file " + file + "\n");
  }
}

// A 64 x 64 picture: its export is bigger than the few hundred bytes a limited file may take.
std::vector<uint8_t> BigImage() {
  RgbImage image{64, 64, std::vector<uint8_t>(64 * 64 * 3)};
  for (size_t i = 0; i < image.rgb.size(); ++i) image.rgb[i] = static_cast<uint8_t>(i * 31);
  writer::PictureItemEntry item;
  item.name = "Big";
  writer::DibOptions options;
  options.bits = 24;
  item.picture_data = writer::DibPictureData(image, options);
  return writer::WriteImageCollection({item});
}

TEST_F(DataTool, OutputThatIsLostIsAFailureAndKeepsTheOldFile) {
  KV_SKIP_ON_WINDOWS("Windows has no device that is always full, nor limits on file sizes");
  const std::string file = Write("img.dat", Images());
  Result r = RunWith({"inspect", "--images", file}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot write standard output\n");
  r = RunWith({"find", "--images", file, "Šíp"}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot write standard output\n");
  r = Run({"export", file, "0", "/dev/full"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot write file /dev/full\n");

  const std::string ppm = dir_ / "good.ppm";
  ASSERT_EQ(Run({"export", file, "0", ppm}).status, 0);
  const std::string good = Slurp(ppm);
  r = RunWith({"export", Write("big.dat", BigImage()), "0", ppm}, dir_ / "out", 512);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot write file " + ppm + "\n");
  EXPECT_EQ(Slurp(ppm), good);
  r = Run({"export", Write("big.dat", BigImage()), "0", dir_ / "no/such/dir.ppm"});
  EXPECT_EQ(r.err, "Cannot create file " + dir_ / "no/such/dir.ppm" + "\n");
}

}  // namespace
}  // namespace kv

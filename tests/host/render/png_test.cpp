// Pictures written as PNG files and read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "host/render/Png.h"
#include "render_fixture.h"

namespace host::render::test {
namespace {

namespace fs = std::filesystem;

class PngTest : public ::testing::Test {
 protected:
  PngTest() {
    dir = fs::temp_directory_path() /
          ("corvane-render-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~PngTest() override { fs::remove_all(dir); }

  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
  }

  // A picture with the document, an overlay line and translucency-free
  // pixels, so a round trip through 8-bit PNG must be exact.
  static Picture Sample() {
    model::Document doc = OneLayerDocument();
    AddRectangle(doc, FrontLayerGroup(doc), {20, 100, 60, 60}, kRed);
    DrawCall line;
    line.kind = DrawCall::Kind::Line;
    line.color = Sdk(kBlue);
    line.overlay = true;
    line.points = {{5, 5}, {70, 40}};
    const std::vector<DrawCall> overlay{line};
    return Render(&doc, MakeView(90, 70, 1, {0, 120}), overlay);
  }

  fs::path dir;
};

TEST_F(PngTest, WrittenPictureReadsBackTheSame) {
  const Picture picture = Sample();
  const fs::path file = dir / "view.png";
  WritePng(picture, file);
  const Picture back = ReadPng(file);
  EXPECT_EQ(back.width, 90);
  EXPECT_EQ(back.height, 70);
  EXPECT_EQ(back.argb, picture.argb);
  EXPECT_EQ(Entries(), std::set<std::string>{"view.png"}) << "no temporary left behind";
}

TEST_F(PngTest, WritingReplacesAnExistingFile) {
  const fs::path file = dir / "view.png";
  std::ofstream(file) << "an older file";
  WritePng(Sample(), file);
  EXPECT_EQ(ReadPng(file).width, 90);
}

TEST_F(PngTest, FailedWriteNamesTheFileAndLeavesNothing) {
  struct Case {
    const char* name;
    fs::path file;
  };
  fs::create_directory(dir / "taken.png");
  const Case cases[] = {
      {"folder missing", dir / "missing" / "view.png"},
      {"a folder is in the way", dir / "taken.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      WritePng(Sample(), c.file);
      ADD_FAILURE() << "written";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), kFileErr);
      EXPECT_NE(std::string(e.what()).find(c.file.string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(Entries(), std::set<std::string>{"taken.png"});
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
  }
}

TEST_F(PngTest, ReadingWhatIsNotAPngNamesTheFile) {
  const fs::path text = dir / "notes.png";
  std::ofstream(text) << "not a picture";
  for (const fs::path& file : {text, dir / "absent.png"}) {
    SCOPED_TRACE(file.string());
    try {
      ReadPng(file);
      ADD_FAILURE() << "read";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), kFileErr);
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace host::render::test

#include <gtest/gtest.h>

#include <QImage>

#include "cli/batch_run.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

using test::Batch;
using test::BatchRun;
using test::Example;
using test::TempDir;

TEST(BatchRender, WritesThePictureOfTheProgram) {
  TempDir dir;
  const std::string out = (dir / "bracket.png").string();
  const BatchRun run = Batch({"render", Example("bracket.nc").string(), "-o", out, "--size", "320x200", "--view",
                              "top", "--no-layer-text"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage image(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(320, 200));
  // Black background, with the toolpath in the middle of it.
  EXPECT_EQ(image.pixel(0, 0), 0xff000000u);
  int lit = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 320; ++x) lit += image.pixel(x, y) != 0xff000000u;
  }
  EXPECT_GT(lit, 500);

  const std::string inverted = (dir / "inverted.png").string();
  ASSERT_EQ(Batch({"render", Example("bracket.nc").string(), "-o", inverted, "--size", "320x200", "--invert",
                   "--no-rapids", "--no-legend"})
                .status,
            0);
  EXPECT_EQ(QImage(QString::fromStdString(inverted)).pixel(0, 0), 0xffffffffu);
}

TEST(BatchRender, MistakesAndFailures) {
  TempDir dir;
  const std::string in = Example("bracket.nc").string();
  const std::string out = (dir / "x.png").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"render", in}, 2, "-o OUT.png"},
      {{"render", in, "-o", out, "--view", "left"}, 2, "--view takes"},
      {{"render", in, "-o", out, "--size", "100"}, 2, "--size takes"},
      {{"render", in, "-o", out, "--size", "0x100"}, 2, "--size takes"},
      {{"render", in, "-o", out, "--size", "20000x100"}, 2, "--size takes"},
      {{"render", in, "-o", out, "--legend", "--no-legend"}, 2, "not both"},
      {{"render", (dir / "missing.nc").string(), "-o", out}, 1, "missing.nc"},
      {{"render", in, "-o", (dir / "no-such-dir" / "x.png").string()}, 1, "cannot write"},
  };
  for (const Case& c : cases) {
    const BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, c.status) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace fendo

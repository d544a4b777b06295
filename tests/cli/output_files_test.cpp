// What every writer leaves behind when the disk fills up, when the output is its own input and
// when the standard output cannot be written: the file there was, untouched, and a failure.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "cli/batch_run.h"
#include "config/layer_colours.h"
#include "config/nc_options_file.h"
#include "config/system_settings.h"
#include "core/output_file.h"
#include "feed/qel_file.h"
#include "output/post_template.h"
#include "support/temp_dir.h"

namespace fendo::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrevious = "the file there was\n";

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& path, std::string_view text) { std::ofstream(path, std::ios::binary) << text; }

// A fresh folder of its own for each test.
class OutputFolder : public ::testing::Test {
 protected:
  fs::path Path(const std::string& name) const { return folder_ / name; }
  // The names in the folder: a temporary file left behind shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
  const fs::path& folder_ = dir_.path();
};

// Files may grow to `bytes` while it lives: a write beyond fails as on a full disk (EFBIG,
// without the signal that would end the process).
class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &before_);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAfter() { setrlimit(RLIMIT_FSIZE, &before_); }

 private:
  rlimit before_{};
};

using OutputFileTest = OutputFolder;

TEST_F(OutputFileTest, ReplacesTheFileWholeAndKeepsItsPermissions) {
  const fs::path target = Path("a.nc");
  Put(target, kPrevious);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  OutputFile file(target);
  file.Write("G0 X1\n");
  EXPECT_EQ(Contents(target), kPrevious) << "the target changes only at the close";
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(Contents(target), "G0 X1\n");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.nc"});
}

TEST_F(OutputFileTest, AFileNotClosedLeavesTheTargetAsItWas) {
  const fs::path target = Path("a.nc");
  Put(target, kPrevious);
  {
    OutputFile file(target);
    file.Write("G0 X1\n");
  }
  EXPECT_EQ(Contents(target), kPrevious);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.nc"});
}

TEST_F(OutputFileTest, ALinkKeepsPointingAtTheReplacedFile) {
  Put(Path("real.nc"), kPrevious);
  fs::create_symlink("real.nc", Path("link.nc"));
  ASSERT_TRUE(WriteWholeFile(Path("link.nc"), "new\n"));
  EXPECT_TRUE(fs::is_symlink(Path("link.nc")));
  EXPECT_EQ(Contents(Path("real.nc")), "new\n");
}

TEST_F(OutputFileTest, ADeviceIsWrittenStraight) { EXPECT_TRUE(WriteWholeFile("/dev/null", "G0 X1\n")); }

TEST_F(OutputFileTest, AMissingFolderIsNamed) {
  const FileStatus status = WriteWholeFile(Path("no/such/folder.nc"), "G0\n");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.reason, "No such file or directory");
}

// Every writer of the program, each over a file that was there before.
struct Writer {
  const char* name;
  const char* file;
  std::function<bool(const fs::path&)> write;
};

bool BatchWrites(std::vector<std::string> args, const fs::path& out) {
  args.push_back("-o");
  args.push_back(out.string());
  return Batch(args).status == 0;
}

const std::vector<Writer>& Writers() {
  static const std::vector<Writer> writers = {
      {"NC program", "out.nc",
       [](const fs::path& out) { return BatchWrites({"convert", "--yes", Example("bracket.nc").string()}, out); }},
      {"NC program, Heidenhain", "out.h",
       [](const fs::path& out) {
         return BatchWrites({"convert", "--yes", "--heidenhain-out", Example("bracket.nc").string()}, out);
       }},
      {"layers as one program", "out.nc",
       [](const fs::path& out) {
         return BatchWrites({"convert", "--yes", Example("bracket.nc").string(), Example("bracket.nc").string()},
                            out);
       }},
      {"template output", "out.nc",
       [](const fs::path& out) {
         return BatchWrites({"convert", "--yes", "--template", (fs::path(FENDO_TEST_DATA_DIR) / "post/default.ppr").string(),
                             "--set", "T=1,S=1000,O=1,H=1", Example("bracket.nc").string()},
                            out);
       }},
      {"master model", "out.mma",
       [](const fs::path& out) { return BatchWrites({"master", "build", Example("bracket.nc").string()}, out); }},
      {"image", "out.png",
       [](const fs::path& out) {
         return BatchWrites({"render", "--size", "64x64", Example("bracket.nc").string()}, out);
       }},
      {"template file", "out.ppr",
       [](const fs::path& out) {
         PostTemplate postTemplate;
         return postTemplate.LoadTemplate(fs::path(FENDO_TEST_DATA_DIR) / "post/default.ppr") &&
                postTemplate.SaveTemplate(out);
       }},
      {"cutting conditions", "out.qel",
       [](const fs::path& out) { return WriteQelFile(out, MachineCondition{}).ok(); }},
      {"reader options", "fendo.par",
       [](const fs::path& out) { return static_cast<bool>(WriteNcOptionsFile(out, NcOptions{})); }},
      {"layer colours", "color.par",
       [](const fs::path& out) { return static_cast<bool>(WriteLayerColoursFile(out, DefaultLayerColours())); }},
      {"system settings", "fendo.cfg",
       [](const fs::path& out) { return static_cast<bool>(WriteSystemSettingsFile(out, DefaultSystemSettings())); }},
  };
  return writers;
}

using FullDiskTest = OutputFolder;

TEST_F(FullDiskTest, EveryWriterKeepsTheFileThereWas) {
  // Each writer writes more than this: the settings files are the shortest.
  constexpr rlim_t kRoom = 8;
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    const fs::path target = Path(writer.file);
    Put(target, kPrevious);
    bool written = true;
    {
      DiskFullAfter full(kRoom);
      written = writer.write(target);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(Contents(target), kPrevious);
    EXPECT_EQ(Names(), std::vector<std::string>{writer.file}) << "no temporary file is left";
    ASSERT_TRUE(writer.write(target)) << "with room the same writer succeeds";
    EXPECT_NE(Contents(target), kPrevious);
    fs::remove(target);
  }
}

TEST_F(FullDiskTest, TheBatchToolSaysTheFileIsKept) {
  const fs::path target = Path("out.nc");
  Put(target, kPrevious);
  BatchRun run;
  {
    DiskFullAfter full(8);
    run = Batch({"convert", "--yes", Example("bracket.nc").string(), "-o", target.string()});
  }
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("File too large; the file is as it was before"), std::string::npos) << run.err;
}

using OutputIsInputTest = OutputFolder;

TEST_F(OutputIsInputTest, MasterBuildAndRenderRefuseToWriteOverTheirInput) {
  const fs::path program = Path("part.nc");
  fs::copy_file(Example("bracket.nc"), program);
  const std::string original = Contents(program);
  fs::create_symlink("part.nc", Path("link.nc"));
  const std::string spellings[] = {program.string(), (folder_ / "." / "part.nc").string(), Path("link.nc").string()};
  for (const std::vector<std::string>& verb : std::vector<std::vector<std::string>>{{"master", "build"}, {"render"}}) {
    for (const std::string& out : spellings) {
      SCOPED_TRACE(verb.front() + " -o " + out);
      std::vector<std::string> args = verb;
      args.insert(args.end(), {program.string(), "-o", out});
      const BatchRun run = Batch(args);
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("would write its output over its input"), std::string::npos) << run.err;
      EXPECT_EQ(Contents(program), original);
    }
  }
}

TEST_F(OutputIsInputTest, RenderNamesWhyItCannotWrite) {
  const BatchRun run =
      Batch({"render", "--size", "32x32", Example("bracket.nc").string(), "-o", Path("no/folder.png").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write: No such file or directory"), std::string::npos) << run.err;
}

// The built fendo-batch run by the shell as `command` says, with FENDO standing for it; its exit
// status (written by the command to STATUS) and the text of its standard error (ERR).
BatchRun Shell(std::string command) {
  const fs::path base = fs::temp_directory_path() / ("fendo-shell-" + std::to_string(::getpid()));
  const auto replace = [&command](std::string_view mark, const std::string& by) {
    for (std::size_t at = command.find(mark); at != std::string::npos; at = command.find(mark, at + by.size())) {
      command.replace(at, mark.size(), by);
    }
  };
  replace("FENDO", FENDO_BATCH_PATH);
  replace("STATUS", base.string() + ".status");
  replace("ERR", base.string() + ".err");
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  BatchRun run;
  run.status = std::stoi(Contents(base.string() + ".status"));
  run.err = Contents(base.string() + ".err");
  fs::remove(base.string() + ".status");
  fs::remove(base.string() + ".err");
  return run;
}

using StandardOutputTest = OutputFolder;

TEST_F(StandardOutputTest, AFullDiskFailsEveryVerbThatWritesResults) {
  const std::string program = Example("bracket.nc").string();
  const std::string model = Path("bracket.mma").string();
  ASSERT_EQ(Batch({"master", "build", program, "-o", model}).status, 0);
  for (const std::string& args : {"info " + program, "info --json " + program, "dump " + program,
                                 "master info " + model, "optimize --yes " + program + " -o " + Path("o.nc").string(),
                                 std::string("--help")}) {
    SCOPED_TRACE(args);
    const BatchRun run = Shell("FENDO " + args + " >/dev/full 2>ERR; echo $? >STATUS");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the standard output: No space left on device"), std::string::npos)
        << run.err;
  }
}

TEST_F(StandardOutputTest, AClosedPipeIsAFailureNotASilentEnd) {
  // More lines than a pipe holds: the tool is still writing when the reader has gone.
  std::string program;
  for (int i = 0; i < 20000; ++i) program += "G01 X" + std::to_string(i) + " F100\n";
  Put(Path("long.nc"), program);
  const BatchRun run = Shell("{ FENDO dump " + Path("long.nc").string() + " 2>ERR; echo $? >STATUS; } | true");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write the standard output: Broken pipe"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace fendo::test

// trevane-db help: sources joined in name order, refused with file and line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_io.h"
#include "support/temp_dir.h"
#include "trevane-db/help_command.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

struct HelpRun {
    int status;
    std::string err;
};

HelpRun RunHelp(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    ::testing::internal::CaptureStderr();
    const int status = HelpCommand(static_cast<int>(argv.size()), argv.data());
    return {status, ::testing::internal::GetCapturedStderr()};
}

TEST(HelpCommand, JoinsSourcesInNameOrder) {
    TempDir dir;
    WriteTestFile(dir.File("20-b.txt"), "@topic 2\n@title Two\nBack to [[1]].");  // no final newline
    WriteTestFile(dir.File("10-a.txt"), "\xEF\xBB\xBF@topic 1\n@title One\n- [[2|two]]\n");
    WriteTestFile(dir.File("notes.md"), "not a source");
    const HelpRun run = RunHelp({"help", dir.Path(), dir.File("QEL.hlp")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File("QEL.hlp")),
              "@topic 1\n@title One\n- [[2|two]]\n@topic 2\n@title Two\nBack to [[1]].\n");
}

TEST(HelpCommand, RefusesBadSourcesAndWritesNothing) {
    TempDir dir;
    WriteTestFile(dir.File("a.txt"), "@topic 1\n@title One\nSee [[3]].\n@topic 2\n");
    WriteTestFile(dir.File("b.txt"), "\n@topic 1\n@title Again\n@topic x\nbad \xFF byte\n");
    WriteTestFile(dir.File("QEL.hlp"), "old");
    const HelpRun run = RunHelp({"trevane-db", "help", dir.Path(), dir.File("QEL.hlp")});
    EXPECT_EQ(run.status, 1);
    for (const char* expected :
         {"b.txt:5: the text is not UTF-8", "b.txt:2: topic 1 is already defined at ", "b.txt:4: malformed topic line",
          "a.txt:3: link to topic 3, which does not exist", "a.txt:4: topic 2 has no @title", "5 problem(s)"})
        EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\n" << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File("QEL.hlp")), "old");
}

TEST(HelpCommand, UsageAndMissingFolder) {
    EXPECT_EQ(RunHelp({"help", "only-one"}).status, 2);
    TempDir dir;
    EXPECT_EQ(RunHelp({"help", dir.File("none"), dir.File("QEL.hlp")}).status, 1);
    EXPECT_EQ(RunHelp({"help", dir.Path(), dir.File("QEL.hlp")}).status, 1);  // no sources
    EXPECT_FALSE(FileExists(dir.File("QEL.hlp")));
}

}  // namespace
}  // namespace trevane

#include "app/ProgramUsage.h"

#include <gtest/gtest.h>

#include <sstream>

using plumex::answerProgramQuestion;

TEST(ProgramUsage, HelpAndVersionAreAnsweredOnlyAsTheFirstArgument) {
    std::ostringstream version;
    EXPECT_EQ(answerProgramQuestion({"--version"}, "9.8.7", version), 0);
    EXPECT_EQ(version.str(), "plumex 9.8.7\n");

    for (const char* ask : {"--help", "-h"}) {
        std::ostringstream help;
        EXPECT_EQ(answerProgramQuestion({ask}, "1", help), 0) << ask;
        EXPECT_EQ(help.str().rfind("Usage: plumex [FILE.plx]\n", 0), 0u) << help.str();
    }

    // A document to open starts the window, even one followed by a word like --help.
    for (const std::vector<std::string>& start : {std::vector<std::string>{},
                                                  {"drawing.plx"},
                                                  {"drawing.plx", "--help"},
                                                  {"./--version"}}) {
        std::ostringstream out;
        EXPECT_FALSE(answerProgramQuestion(start, "1", out).has_value());
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(ProgramUsage, AFailedWriteIsNotReportedAsSuccess) {
    std::ostringstream closed;
    closed.setstate(std::ios::badbit);
    EXPECT_EQ(answerProgramQuestion({"--version"}, "1", closed), 1);
    EXPECT_EQ(answerProgramQuestion({"--help"}, "1", closed), 1);
}

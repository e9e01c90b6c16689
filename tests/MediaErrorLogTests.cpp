#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MediaTestDir.h"
#include "media/ErrorLog.h"

using namespace gorb;
using gorb::testing::ScopedWorkDir;

namespace {

std::string ReadLog() { return gorb::testing::ReadFile(kErrorLogName); }

}  // namespace

TEST(MediaErrorLog, FourQuotedLinesEndingInCrLf) {
    ScopedWorkDir wd;
    PlatformError e(-2005532542, "Surface lost", "DirectDraw");
    ASSERT_TRUE(LogStandardError(logprefix::SetupDirectXObjects, " creating Zorbel Buffer # 5", e));
    EXPECT_EQ(ReadLog(),
              "\"SetupDirectXObjects:  Error While  creating Zorbel Buffer # 5\"\r\n"
              "\"Error was Surface lost\"\r\n"
              "\"Error source:  DirectDraw\"\r\n"
              "\"Error Num:  -2005532542\"\r\n");
}

TEST(MediaErrorLog, EachFailureReplacesTheLastAndQuotesAreNotEscaped) {
    ScopedWorkDir wd;
    std::string first[] = {"one", "two", "three"};
    ASSERT_TRUE(WriteErrorLog(first));
    std::string second[] = {"SetupDirectSound:  Error While say \"hi\""};
    ASSERT_TRUE(WriteErrorLog(second));
    EXPECT_EQ(ReadLog(), "\"SetupDirectSound:  Error While say \"hi\"\"\r\n");
}

TEST(MediaErrorLog, UnwritableLogReportsFalseAndDoesNotThrow) {
    // A directory in the log's place stands in for a read-only working directory.
    ScopedWorkDir wd;
    std::filesystem::create_directories(kErrorLogName);
    std::string lines[] = {"x"};
    bool ok = true;
    EXPECT_NO_THROW(ok = WriteErrorLog(lines));
    EXPECT_FALSE(ok);
}

#include "app/error_report.h"

#include <gtest/gtest.h>

namespace quorvane::app {
namespace {

TEST(ErrorReportTest, MessageIsBuiltExactly) {
  EXPECT_EQ(ErrorReportText("Type mismatch", "in Vellomir2021/08/31.modAsciiConv.BuildChart ", 142),
            "Type mismatch\r\n"
            "in Vellomir2021/08/31.modAsciiConv.BuildChart at line 142\r\r"
            "Please email screenshot of this message to support@quorvane.example");
}

TEST(ErrorReportTest, TerminalFormKeepsEveryPartOnItsOwnLine) {
  EXPECT_EQ(TerminalReportText("Cannot write \"a.docx\": Permission denied",
                               "in Vellomir2021/08/31.modAsciiConv.BuildChart ", 148),
            "Cannot write \"a.docx\": Permission denied\n"
            "  (in Vellomir2021/08/31.modAsciiConv.BuildChart at line 148)\n");
}

}  // namespace
}  // namespace quorvane::app

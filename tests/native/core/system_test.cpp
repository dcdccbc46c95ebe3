#include "core/system.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// A drive's folder and a share's, with and without a closing backslash; characters an address
// cannot carry are escaped as UTF-8 bytes; a topic without an anchor names the file alone.
TEST(SystemTest, HelpPageAddresses) {
    EXPECT_EQ(helpPageUrl(u"C:\\Corvane", u"corvane.htm#profiles"),
              u"file:///C:/Corvane/corvane.htm?#profiles");
    EXPECT_EQ(helpPageUrl(u"Z:\\my tools\\Käse 100%\\", u"corvane.htm#impexp"),
              u"file:///Z:/my%20tools/K%C3%A4se%20100%25/corvane.htm?#impexp");
    EXPECT_EQ(helpPageUrl(u"\\\\server\\share", u"corvane.htm"),
              u"file://server/share/corvane.htm");
}

}  // namespace
}  // namespace corvane

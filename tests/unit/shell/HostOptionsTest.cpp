#include <gtest/gtest.h>

#include "shell/HostOptions.h"

// What each option does is checked through kvhost (tests/e2e).
namespace {
bool parse(std::vector<const char*> args, HostOptions& options, std::string& error)
{
    args.insert(args.begin(), "kvhost");
    return ParseHostOptions(static_cast<int>(args.size()), args.data(), options, error);
}
}  // namespace

TEST(HostOptions, BadCommandLinesSayWhatIsWrong)
{
    HostOptions o;
    std::string error;
    EXPECT_FALSE(parse({"--lang", "de"}, o, error));
    EXPECT_EQ(error, "--lang takes en, es or fr (got \"de\")");
    EXPECT_FALSE(parse({"--script"}, o, error));
    EXPECT_EQ(error, "option --script needs a value");
    EXPECT_FALSE(parse({"--colour", "red"}, o, error));
    EXPECT_EQ(error, "unknown option \"--colour\"");
    EXPECT_FALSE(parse({"a.dxf", "b.dxf"}, o, error));
    EXPECT_NE(error.find("only one drawing"), std::string::npos);
}

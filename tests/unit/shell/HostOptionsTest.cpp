#include <gtest/gtest.h>

#include "shell/HostOptions.h"

namespace {
bool parse(std::vector<const char*> args, HostOptions& options, std::string& error)
{
    args.insert(args.begin(), "kvhost");
    return ParseHostOptions(static_cast<int>(args.size()), args.data(), options, error);
}
}  // namespace

TEST(HostOptions, EveryOptionAndTheDrawing)
{
    HostOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--module", "m.so", "--lang", "fr", "--verlan", "fr-FR", "--script", "c.txt", "--ui-script",
                       "u.txt", "plan.dxf"},
                      o, error))
        << error;
    EXPECT_EQ(o.csModulePath, "m.so");
    EXPECT_EQ(o.language, KvUiLanguage::French);
    EXPECT_EQ(o.csVerlan, "fr-FR");
    EXPECT_EQ(o.csScriptPath, "c.txt");
    EXPECT_EQ(o.csUiScriptPath, "u.txt");
    EXPECT_EQ(o.csDrawingPath, "plan.dxf");

    ASSERT_TRUE(parse({}, o, error));
    EXPECT_FALSE(o.language.has_value());
    EXPECT_TRUE(o.csDrawingPath.empty());
}

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

TEST(HostOptions, DefaultModuleIsInTheLibraryFolderBesideTheProgram)
{
    EXPECT_EQ(DefaultModulePath("/opt/kv/bin/kvhost"), "/opt/kv/lib/dataextraction.so");
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "host/ResString.h"
#include "kv/KvUiLanguage.h"
#include "resources/StringTable.h"

namespace {

constexpr KvUiLanguage kLanguages[] = {KvUiLanguage::English, KvUiLanguage::Spanish, KvUiLanguage::French};

std::u16string LoadIn(KvUiLanguage language, unsigned int id)
{
    kvSetUiLanguage(language);
    return LoadResString(id);
}

class ResStringTest : public ::testing::Test {
protected:
    void TearDown() override { kvSetUiLanguage(KvUiLanguage::English); }
};

TEST_F(ResStringTest, EveryIdHasATextInEveryLanguage)
{
    const std::vector<unsigned int> ids = StringTableIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()) && std::adjacent_find(ids.begin(), ids.end()) == ids.end())
        << "ids are looked up by binary search";
    for (KvUiLanguage language : kLanguages) {
        for (unsigned int id : ids) {
            const char16_t* pText = FindStringTableText(language, id);
            EXPECT_TRUE(pText != nullptr && *pText != u'\0') << id << " in language " << static_cast<int>(language);
        }
    }
}

TEST_F(ResStringTest, IdsWithoutTextGiveQuestionMarks)
{
    for (KvUiLanguage language : kLanguages) {
        for (unsigned int id : {0u, 133u, 286u, 65535u}) {
            EXPECT_EQ(LoadIn(language, id), u"???") << id;
            EXPECT_EQ(FormatResString(id, {u"x"}), u"???") << id;
        }
    }
}

// The printed English texts are checked where they are printed; here, that the other two
// languages have texts of their own.
TEST_F(ResStringTest, EachLanguageHasItsOwnTexts)
{
    for (unsigned int id : {188u, 213u, 241u, 242u, 243u, 305u, 306u, 313u}) {
        const std::u16string csEnglish = LoadIn(KvUiLanguage::English, id);
        const std::u16string csSpanish = LoadIn(KvUiLanguage::Spanish, id);
        const std::u16string csFrench = LoadIn(KvUiLanguage::French, id);
        EXPECT_NE(csEnglish, csSpanish) << id;
        EXPECT_NE(csEnglish, csFrench) << id;
        EXPECT_NE(csSpanish, csFrench) << id;
    }
}

// Property names are column keys: texts that merge into one column in English must merge
// in every language, and texts that stay apart in English must stay apart.
TEST_F(ResStringTest, PropertyNamesMergeAlikeInEveryLanguage)
{
    std::vector<unsigned int> ids = {165, 177, 178, 255, 265};
    for (auto [first, last] :
         {std::pair{179u, 185u}, {193u, 199u}, {202u, 212u}, {223u, 237u}, {258u, 264u}, {290u, 303u}})
        for (unsigned int id = first; id <= last; ++id) ids.push_back(id);

    for (KvUiLanguage language : {KvUiLanguage::Spanish, KvUiLanguage::French}) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            for (std::size_t j = i + 1; j < ids.size(); ++j) {
                const bool bSameInEnglish =
                    LoadIn(KvUiLanguage::English, ids[i]) == LoadIn(KvUiLanguage::English, ids[j]);
                const bool bSame = LoadIn(language, ids[i]) == LoadIn(language, ids[j]);
                EXPECT_EQ(bSame, bSameInEnglish)
                    << ids[i] << " and " << ids[j] << " in language " << static_cast<int>(language);
            }
        }
    }
}

TEST_F(ResStringTest, FormatInsertsArgumentsUnchanged)
{
    const std::u16string csPath = u"/tmp/100%/a%1b%%c%s.csv";
    kvSetUiLanguage(KvUiLanguage::English);
    EXPECT_EQ(FormatResString(188, {csPath}), u"\nCSV export done to : " + csPath);
    kvSetUiLanguage(KvUiLanguage::French);
    EXPECT_EQ(FormatResString(242, {csPath}), u"\nExport KVX terminé vers: " + csPath);
    kvSetUiLanguage(KvUiLanguage::Spanish);
    EXPECT_EQ(FormatResString(244, {csPath}), u"\nFinished XLS exportation to : " + csPath);
    // A text without inserts is returned as it is, whatever the arguments.
    EXPECT_EQ(FormatResString(238, {csPath}), u"\nTabla actualizada.");
    // Without an argument the insert stays visible.
    kvSetUiLanguage(KvUiLanguage::English);
    EXPECT_EQ(FormatResString(188, {}), u"\nCSV export done to : %1");
}

// The environment decides when nothing overrides it.
TEST(UiLanguageTest, EnvironmentChoosesTheLanguage)
{
    struct Saved {
        const char* pName;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* pName : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* pValue = std::getenv(pName);
        saved.push_back({pName, pValue ? std::optional<std::string>(pValue) : std::nullopt});
        unsetenv(pName);
    }

    EXPECT_EQ(kvUiLanguageFromEnvironment(), KvUiLanguage::English);
    setenv("LANG", "es_ES.UTF-8", 1);
    EXPECT_EQ(kvUiLanguageFromEnvironment(), KvUiLanguage::Spanish);
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    EXPECT_EQ(kvUiLanguageFromEnvironment(), KvUiLanguage::French);
    setenv("LANGUAGE", "C", 1);
    EXPECT_EQ(kvUiLanguageFromEnvironment(), KvUiLanguage::English);

    for (const Saved& entry : saved) entry.value ? setenv(entry.pName, entry.value->c_str(), 1) : unsetenv(entry.pName);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "host/ResString.h"
#include "kv/KvUiLanguage.h"

namespace {

constexpr KvUiLanguage kLanguages[] = {KvUiLanguage::English, KvUiLanguage::Spanish,
                                       KvUiLanguage::French};

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
    for (KvUiLanguage language : kLanguages) {
        for (unsigned int id = 134; id <= 304; ++id) {
            if (id == 286)
                continue;
            const std::u16string csText = LoadIn(language, id);
            EXPECT_FALSE(csText.empty()) << id;
            EXPECT_NE(csText, u"???") << id;
        }
    }
}

TEST_F(ResStringTest, IdsWithoutTextGiveQuestionMarks)
{
    for (KvUiLanguage language : kLanguages) {
        for (unsigned int id : {0u, 133u, 286u, 305u, 65535u}) {
            EXPECT_EQ(LoadIn(language, id), u"???") << id;
            EXPECT_EQ(FormatResString(id, {u"x"}), u"???") << id;
        }
    }
}

TEST_F(ResStringTest, TellingRowsOfEachLanguage)
{
    struct Row {
        unsigned int id;
        const char16_t* english;
        const char16_t* spanish;
        const char16_t* french;
    };
    // English texts the plug-in prints are checked where they are printed.
    const Row rows[] = {
        {188, u"\nCSV export done to : %1", u"\nExportar a CSV terminado: %1",
         u"\nExport CSV terminé vers: %1"},
        {213, u"Title", u"Título", u"Titre"},
        {241, u"\nNone identified '%1' xData attached to this object.",
         u"\nNo hay XDATA identificado '%1' unido a este objeto.",
         u"\nAucun xData identifié '%1' rattaché à cet objet."},
        {242, u"\nFinished KVX export to : %1", u"\nExportar KVX terminado: %1",
         u"\nExport KVX terminé vers: %1"},
        {243, u"\nKVX exportation failed !", u"\nError de exportación Kvx !",
         u"\nErreur d'exportation Kvx !"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LoadIn(KvUiLanguage::English, row.id), row.english) << row.id;
        EXPECT_EQ(LoadIn(KvUiLanguage::Spanish, row.id), row.spanish) << row.id;
        EXPECT_EQ(LoadIn(KvUiLanguage::French, row.id), row.french) << row.id;
    }
    EXPECT_EQ(LoadIn(KvUiLanguage::Spanish, 167), LoadIn(KvUiLanguage::Spanish, 216));
}

// Property names are column keys: texts that merge into one column in English must merge
// in every language, and texts that stay apart in English must stay apart.
TEST_F(ResStringTest, PropertyNamesMergeAlikeInEveryLanguage)
{
    std::vector<unsigned int> ids = {165, 177, 178, 255, 265};
    for (unsigned int id = 179; id <= 185; ++id)
        ids.push_back(id);
    for (unsigned int id = 193; id <= 199; ++id)
        ids.push_back(id);
    for (unsigned int id = 202; id <= 212; ++id)
        ids.push_back(id);
    for (unsigned int id = 223; id <= 237; ++id)
        ids.push_back(id);
    for (unsigned int id = 258; id <= 264; ++id)
        ids.push_back(id);
    for (unsigned int id = 290; id <= 303; ++id)
        ids.push_back(id);

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
    EXPECT_EQ(FormatResString(241, {u"obj_handles"}),
              u"\nNone identified 'obj_handles' xData attached to this object.");
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

    for (const Saved& entry : saved) {
        if (entry.value)
            setenv(entry.pName, entry.value->c_str(), 1);
        else
            unsetenv(entry.pName);
    }
}

}  // namespace

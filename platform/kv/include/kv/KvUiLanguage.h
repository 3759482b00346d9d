#pragma once
// The user-interface language of the running host. It chooses the string table the
// plug-in's texts come from; it starts from the environment (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG: "es..." Spanish, "fr..." French, anything else English) and the
// host program or a test may override it.
enum class KvUiLanguage { English, Spanish, French };

KvUiLanguage kvGetUiLanguage();
void kvSetUiLanguage(KvUiLanguage language);
// The language the environment names (what kvGetUiLanguage starts from).
KvUiLanguage kvUiLanguageFromEnvironment();

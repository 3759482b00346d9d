#pragma once
// Host reads shared by the entity readers.
#include <string>
#include <vector>

class KvDbEntity;

// Names of the entity's own hyperlinks in order (none when it has none).
std::vector<std::u16string> ReadHyperlinks(const KvDbEntity& entity);
// Line weight text: "ByLayer", "ByBlock", "Default", or the rounded weight in hundredths of a mm.
std::u16string LineWeightText(int lineWeight, double step);

#pragma once
// Pieces of the block reference reader.
#include <memory>
#include <string>

#include "engine/PropValue.h"

class KvDbDynBlockReference;
struct KvTypedValue;

// Names of the model space, layouts, anonymous and system blocks: a leading "*", or a
// leading "ny$" or "ac$" (lower case only).
bool IsExcludedBlockName(const std::u16string& name);
// Name/value pairs of the reference's dynamic properties in host order, "Origin" left
// out; the wrapper is deleted before returning (an absent wrapper gives no pairs).
PropValueList ReadDynamicProps(std::unique_ptr<KvDbDynBlockReference> ref, double step);
// Text of a dynamic-property value by its type code: 1 text, 40 real (rounded),
// 70 16-bit integer; any other code the empty text. totalComp is set for numbers.
std::u16string VariantToText(const KvTypedValue& value, double step, bool& totalComp);

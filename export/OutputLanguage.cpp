#include "export/OutputLanguage.h"

#include <string_view>

#include "kv/KvEdFunctions.h"
#include "kv/KvResbuf.h"

OutputLanguage ReadOutputLanguage()
{
    resbuf rb;
    // A failed read leaves no text: that counts as English.
    const int nResult = kvedGetVar(u"VERLAN", &rb);
    bool bFrench = false;
    if (nResult == RTNORM && kvRbValueKind(rb.restype) == KvRbValueKind::kString && rb.resval.rstring) {
        bFrench = std::u16string_view(rb.resval.rstring) == u"fr-FR";
        kvutDelBuffer(rb.resval.rstring);
    }
    return bFrench ? OutputLanguage::French : OutputLanguage::English;
}

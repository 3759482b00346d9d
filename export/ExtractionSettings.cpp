#include "export/ExtractionSettings.h"

#include <tinyxml.h>

#include "export/AtomicFile.h"
#include "kv/KvString.h"

namespace {
constexpr const char* kRootName = "NyDataExtraction";
constexpr const char* kPropertyName = "Property";
}  // namespace

bool SaveExtractionSettings(std::u16string csPath, const std::list<std::u16string>& lsPropsSel)
{
    TiXmlDocument doc;
    doc.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", "yes"));
    auto* pRoot = new TiXmlElement(kRootName);
    doc.LinkEndChild(pRoot);
    for (const std::u16string& csName : lsPropsSel) {
        auto* pProperty = new TiXmlElement(kPropertyName);
        pRoot->LinkEndChild(pProperty);
        // Names are stored in Windows-1252 so that the files match those written on Windows.
        pProperty->SetAttribute("name", kvToCp1252(csName));
        pProperty->SetAttribute("checked", "1");
    }

    // The printer instead of SaveFile: CR LF line ends everywhere, and an atomic write.
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\r\n");
    doc.Accept(&printer);

    AtomicFile file(csPath);
    if (!file.IsOpen()) return false;
    file.Write(std::string_view(printer.CStr(), printer.Size()));
    return file.Commit();
}

bool LoadExtractionSettings(std::u16string csPath, std::list<std::u16string>& lsNames)
{
    TiXmlDocument doc(kvToUtf8(csPath));
    // The bytes are Windows-1252 whatever the declaration says: read them byte by byte, or
    // a name such as "Café" would be taken for a broken UTF-8 sequence.
    // A damaged file may leave part of a tree behind: take nothing from it.
    if (!doc.LoadFile(TIXML_ENCODING_LEGACY)) return false;
    const TiXmlElement* pRoot = doc.FirstChildElement(kRootName);
    if (!pRoot) return true;
    // Every sibling after the first Property counts, whatever its name.
    for (const TiXmlElement* pElement = pRoot->FirstChildElement(kPropertyName); pElement;
         pElement = pElement->NextSiblingElement()) {
        const char* pName = pElement->Attribute("name");
        lsNames.push_back(pName ? kvFromCp1252(pName) : std::u16string());
    }
    return true;
}

#include "export/ExtractionSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <tinyxml.h>

#include <cerrno>
#include <cstring>

#include "export/SettingsFileShape.h"
#include "host/ResString.h"
#include "kv/KvReplaceFile.h"
#include "kv/KvString.h"

namespace {

constexpr const char* kRootName = "NyDataExtraction";
constexpr const char* kPropertyName = "Property";

constexpr unsigned int kIdSettingsNotRead = 313;
constexpr unsigned int kIdSettingsTooLarge = 314;
constexpr unsigned int kIdSettingsTooDeep = 315;
constexpr unsigned int kIdSettingsTooManyAttributes = 316;
constexpr unsigned int kIdSettingsNotXml = 317;
constexpr unsigned int kIdSettingsNoRoot = 318;
constexpr unsigned int kIdSettingsEmpty = 319;

bool Fail(SettingsFileProblem* pProblem, SettingsFileProblem::Kind kind, std::string csSystemError = {}, int nLine = 0,
          int nColumn = 0)
{
    if (pProblem) {
        pProblem->kind = kind;
        pProblem->csSystemError = std::move(csSystemError);
        pProblem->nLine = nLine;
        pProblem->nColumn = nColumn;
    }
    return false;
}

// The file's bytes, read no further than a settings file can be long.
bool ReadSettingsBytes(const std::string& csPath, std::string& bytes, SettingsFileProblem* pProblem)
{
    using Kind = SettingsFileProblem::Kind;
    const int fd = ::open(csPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail(pProblem, Kind::Unreadable, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int nError = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return Fail(pProblem, Kind::Unreadable, std::strerror(nError));
    }
    bytes.resize(kMaxSettingsFileBytes + 1);
    std::size_t nRead = 0;
    while (nRead < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + nRead, bytes.size() - nRead);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int nError = errno;
            ::close(fd);
            return Fail(pProblem, Kind::Unreadable, std::strerror(nError));
        }
        if (n == 0) break;
        nRead += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(nRead);
    return true;
}

}  // namespace

bool SaveExtractionSettings(std::u16string csPath, const std::list<std::u16string>& lsPropsSel, std::string* pcsError)
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

    // The printer instead of SaveFile: CR LF line ends everywhere, and the file replaced
    // only once complete.
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\r\n");
    doc.Accept(&printer);

    KvReplaceFile file(csPath);
    file.Write(std::string_view(printer.CStr(), printer.Size()));
    if (file.Commit()) return true;
    if (pcsError) *pcsError = file.ErrorText();
    return false;
}

bool LoadExtractionSettings(std::u16string csPath, std::list<std::u16string>& lsNames, SettingsFileProblem* pProblem)
{
    std::string bytes;
    if (!ReadSettingsBytes(kvToUtf8(csPath), bytes, pProblem)) return false;
    return ReadExtractionSettings(bytes, lsNames, pProblem);
}

bool ReadExtractionSettings(std::string_view bytes, std::list<std::u16string>& lsNames, SettingsFileProblem* pProblem)
{
    using Kind = SettingsFileProblem::Kind;
    switch (CheckSettingsShape(bytes)) {
    case SettingsShape::TooLarge: return Fail(pProblem, Kind::TooLarge);
    case SettingsShape::TooDeep: return Fail(pProblem, Kind::TooDeep);
    case SettingsShape::TooManyAttributes: return Fail(pProblem, Kind::TooManyAttributes);
    case SettingsShape::Fits: break;
    }
    // As the parser's own file loading does: the text ends at a zero byte, and CR LF and
    // lone CRs become line feeds.
    std::string csText;
    csText.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != 0; ++i) {
        if (bytes[i] != '\r') {
            csText += bytes[i];
            continue;
        }
        csText += '\n';
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }

    TiXmlDocument doc;
    // The bytes are Windows-1252 whatever the declaration says: read them byte by byte, or
    // a name such as "Café" would be taken for a broken UTF-8 sequence.
    doc.Parse(csText.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    // A damaged file may leave part of a tree behind: take nothing from it.
    if (doc.Error() && doc.ErrorId() == TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY) return Fail(pProblem, Kind::Empty);
    if (doc.Error()) return Fail(pProblem, Kind::NotXml, {}, doc.ErrorRow(), doc.ErrorCol());
    const TiXmlElement* pRoot = doc.FirstChildElement(kRootName);
    if (!pRoot) {
        Fail(pProblem, Kind::NotSettings);
        return true;
    }
    // Every sibling after the first Property counts, whatever its name.
    for (const TiXmlElement* pElement = pRoot->FirstChildElement(kPropertyName); pElement;
         pElement = pElement->NextSiblingElement()) {
        const char* pName = pElement->Attribute("name");
        lsNames.push_back(pName ? kvFromCp1252(pName) : std::u16string());
    }
    return true;
}

std::u16string SettingsNotReadLine(const std::u16string& csPath, const SettingsFileProblem& problem)
{
    using Kind = SettingsFileProblem::Kind;
    std::u16string csWhy;
    switch (problem.kind) {
    case Kind::None: return {};
    case Kind::Unreadable: csWhy = kvFromUtf8(problem.csSystemError); break;
    case Kind::Empty: csWhy = LoadResString(kIdSettingsEmpty); break;
    case Kind::TooLarge: csWhy = LoadResString(kIdSettingsTooLarge); break;
    case Kind::TooDeep:
        csWhy = FormatResString(kIdSettingsTooDeep, {kvFromUtf8(std::to_string(kMaxSettingsDepth))});
        break;
    case Kind::TooManyAttributes:
        csWhy = FormatResString(kIdSettingsTooManyAttributes, {kvFromUtf8(std::to_string(kMaxSettingsAttributes))});
        break;
    case Kind::NotXml:
        csWhy = FormatResString(kIdSettingsNotXml, {kvFromUtf8(std::to_string(problem.nLine)),
                                                    kvFromUtf8(std::to_string(problem.nColumn))});
        break;
    case Kind::NotSettings: csWhy = LoadResString(kIdSettingsNoRoot); break;
    }
    return FormatResString(kIdSettingsNotRead, {csPath, csWhy});
}

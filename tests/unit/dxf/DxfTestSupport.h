#pragma once
// Shared helpers of the drawing-file tests: temporary folders, the ezdxf oracle scripts.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dxf/DxfError.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfTextCodec.h"
#include "support/CommandOutput.h"

namespace dxftest {

inline std::string sourceDir()
{
    const char* env = std::getenv("KV_SOURCE_DIR");
    return env ? env : KV_SOURCE_DIR;
}

inline std::string scriptPath(const std::string& name)
{
    return sourceDir() + "/tests/unit/dxf/" + name;
}

// A fresh folder under /tmp, removed with its files when the test ends.
class TempDir {
public:
    TempDir()
    {
        char name[] = "/tmp/kvdxf_XXXXXX";
        m_path = ::mkdtemp(name);
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Runs Debian's python with the arguments; its standard output.
inline std::string runPython(const std::string& args, int* status = nullptr)
{
    return CommandOutput("/usr/bin/python3 " + args + " 2>/dev/null", status);
}

inline std::vector<std::string> split(const std::string& s, char sep)
{
    std::vector<std::string> out;
    std::string cur;
    std::istringstream in(s);
    while (std::getline(in, cur, sep)) out.push_back(cur);
    if (!s.empty() && s.back() == sep) out.push_back("");
    return out;
}

inline std::vector<std::string> lines(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::u16string u16(const std::string& utf8)
{
    return dxfUtf8ToUtf16(utf8);
}
inline std::string u8(const std::u16string& s)
{
    return kvToUtf8(s);
}

// The message of the DxfError the call throws, or "no error".
template <class Call>
std::string errorOf(Call&& call)
{
    try {
        call();
    } catch (const DxfError& e) {
        return e.what();
    }
    return "no error";
}

// The first `from` at or after `after` replaced by `to`.
// Reads that give the far part of the ENTITIES section to a second thread whatever the file's
// size, looking for the part's start at points spread over the section (and one before it, one
// after it): the part then starts at many kinds of records.
inline std::vector<DxfReadOptions> splitReads(const std::string& bytes, std::size_t count = 12)
{
    std::size_t begin = bytes.find("\nENTITIES");
    if (begin == std::string::npos) begin = 0;
    std::size_t end = bytes.find("\nENDSEC", begin);
    if (end == std::string::npos) end = bytes.size();
    std::vector<DxfReadOptions> out;
    for (std::size_t k = 0; k <= count + 1; ++k) {
        DxfReadOptions options;
        options.splitFileBytes = 0;
        options.splitNear = k == 0      ? 1
                            : k > count ? std::max<std::size_t>(end + 8, 1)
                                        : begin + (end - begin) * k / (count + 1);
        out.push_back(options);
    }
    return out;
}

inline std::string replaceFirst(std::string s, const std::string& from, const std::string& to, std::size_t after = 0)
{
    std::size_t at = s.find(from, after);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

// The value of the first group code after offset `after` replaced; its old value in `old`.
inline std::string withValue(std::string s, std::size_t after, const std::string& code, const std::string& value,
                             std::string* old = nullptr)
{
    std::size_t at = s.find("\n" + code + "\n", after);
    EXPECT_NE(at, std::string::npos) << code;
    if (at == std::string::npos) return s;
    at += code.size() + 2;
    const std::size_t end = s.find('\n', at);
    if (old) *old = s.substr(at, end - at);
    return s.replace(at, end - at, value);
}

}  // namespace dxftest

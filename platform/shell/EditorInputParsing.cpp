#include "shell/EditorInputParsing.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "kv/KvString.h"

bool ParsePoint(const std::string& text, KvGePoint3d& point)
{
    double values[3] = {0.0, 0.0, 0.0};
    std::size_t count = 0, start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (count == 3) return false;
        const char* begin = part.c_str();
        char* end = nullptr;
        const double v = std::strtod(begin, &end);
        if (end == begin) return false;
        while (*end == ' ' || *end == '\t') ++end;
        if (*end != 0 || !std::isfinite(v)) return false;
        values[count++] = v;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count < 2) return false;
    point = KvGePoint3d(values[0], values[1], values[2]);
    return true;
}

bool ParseHandle(const std::string& text, KvDbHandle& handle)
{
    handle = KvDbHandle::fromText(kvFromUtf8(text));
    return !handle.isNull();
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

std::string LowerCase(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

#include "kv/KvConsole.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "kv/KvString.h"

KvConsole& KvConsole::instance()
{
    static KvConsole console;
    return console;
}

void KvConsole::write(const std::u16string& text)
{
    m_recorded += text;
    if (m_echo) {
        const std::string bytes = kvToUtf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    }
    if (m_listener) m_listener(text);
}

namespace {

// Formats one numeric conversion with the C library, keeping its flags, width and precision.
template <class T>
std::u16string formatNumber(const std::string& directive, T value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
    return kvFromUtf8(buffer);
}

}  // namespace

int kvutPrintf(const char16_t* format, ...)
{
    if (format == nullptr) return 0;
    std::u16string out;
    va_list args;
    va_start(args, format);
    for (const char16_t* p = format; *p; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        if (p[1] == u'%') {
            out += u'%';
            ++p;
            continue;
        }
        // %[flags][width][.precision][l]conversion
        std::string directive = "%";
        const char16_t* q = p + 1;
        while (*q && std::u16string_view(u"-+ #0123456789.").find(*q) != std::u16string_view::npos)
            directive += static_cast<char>(*q++);
        bool bLong = false;
        if (*q == u'l') {
            bLong = true;
            ++q;
        }
        const char16_t conversion = *q;
        if (conversion == 0) {
            out += std::u16string(p, q);  // a lone '%' at the end stays as written
            break;
        }
        switch (conversion) {
        case u's': {
            const char16_t* text = va_arg(args, const char16_t*);
            std::u16string value = text ? text : u"(null)";
            // Width and precision count characters, as for wide strings.
            const std::size_t dot = directive.find('.');
            if (dot != std::string::npos) {
                const std::size_t precision = std::stoul("0" + directive.substr(dot + 1));
                if (value.size() > precision) value.resize(precision);
            }
            const bool bLeft = directive.find('-') != std::string::npos;
            const std::string widthText = directive.substr(1, dot == std::string::npos ? std::string::npos : dot - 1);
            std::size_t width = 0;
            for (const char c : widthText)
                if (c >= '0' && c <= '9') width = width * 10 + static_cast<std::size_t>(c - '0');
            if (value.size() < width)
                value = bLeft ? value + std::u16string(width - value.size(), u' ')
                              : std::u16string(width - value.size(), u' ') + value;
            out += value;
            break;
        }
        case u'c': out += static_cast<char16_t>(va_arg(args, int)); break;
        case u'd':
        case u'i':
            out += bLong ? formatNumber(directive + "ld", va_arg(args, long))
                         : formatNumber(directive + "d", va_arg(args, int));
            break;
        case u'u':
        case u'x':
        case u'X': {
            const char c = static_cast<char>(conversion);
            out += bLong ? formatNumber(directive + "l" + c, va_arg(args, unsigned long))
                         : formatNumber(directive + c, va_arg(args, unsigned int));
            break;
        }
        case u'g':
        case u'f':
        case u'e':
        case u'G':
        case u'E': out += formatNumber(directive + static_cast<char>(conversion), va_arg(args, double)); break;
        default:
            out += std::u16string(p, q + 1);  // unknown conversion: shown as written
            break;
        }
        p = q;
    }
    va_end(args);
    KvConsole::instance().write(out);
    return static_cast<int>(out.size());
}

#include "kvui/KvUiAction.h"

#include <cctype>
#include <charconv>
#include <vector>

#include "kv/KvString.h"
#include "kvui/KvUiDefs.h"

namespace {
struct Token {
    std::string_view text;
    std::size_t end;  // offset just after the token
};

std::vector<Token> split(std::string_view line)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) tokens.push_back({line.substr(start, i - start), i});
    }
    return tokens;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool toInt(std::string_view s, int& value)
{
    if (s.empty()) return false;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

bool toOnOff(std::string_view s, bool& on)
{
    if (s == "on") {
        on = true;
        return true;
    }
    if (s == "off") {
        on = false;
        return true;
    }
    return false;
}

struct VerbInfo {
    const char* word;
    KvUiActionKind kind;
    const char* usage;
};

constexpr VerbInfo kVerbs[] = {
    {"click", KvUiActionKind::Click, "click ID"},
    {"check", KvUiActionKind::Check, "check ID on|off"},
    {"select", KvUiActionKind::Select, "select ID TEXT"},
    {"item", KvUiActionKind::Item, "item ID TEXT on|off"},
    {"total", KvUiActionKind::Total, "total ID TEXT on|off"},
    {"cellmenu", KvUiActionKind::CellMenu, "cellmenu ID ROW COL [CHOICE]"},
    {"headermenu", KvUiActionKind::HeaderMenu, "headermenu ID [COL]"},
    {"sort", KvUiActionKind::Sort, "sort ID COL"},
    {"movecol", KvUiActionKind::MoveCol, "movecol ID FROM TO"},
    {"file", KvUiActionKind::File, "file PATH [FILTER] | file cancel"},
    {"answer", KvUiActionKind::Answer, "answer ok|yes|no"},
    {"objects", KvUiActionKind::Objects, "objects all | objects HANDLE... | objects cancel"},
    {"pick", KvUiActionKind::Pick, "pick HANDLE | pick cancel"},
    {"point", KvUiActionKind::Point, "point X,Y[,Z] | point cancel"},
};

const VerbInfo* findVerb(std::string_view word)
{
    for (const auto& verb : kVerbs)
        if (word == verb.word) return &verb;
    return nullptr;
}

bool fail(std::string& error, const VerbInfo& verb, const std::string& what)
{
    error = what + " (expected '" + verb.usage + "')";
    return false;
}
}  // namespace

bool KvUiIsDialogAction(KvUiActionKind kind)
{
    return kind >= KvUiActionKind::Click && kind <= KvUiActionKind::MoveCol;
}

const char* KvUiActionVerb(KvUiActionKind kind)
{
    for (const auto& verb : kVerbs)
        if (verb.kind == kind) return verb.word;
    return "";
}

bool KvUiParseAction(std::string_view line, KvUiAction& action, std::string& error)
{
    action = KvUiAction{};
    line = trim(line);
    std::vector<Token> tokens = split(line);
    if (tokens.empty()) {
        error = "empty action";
        return false;
    }
    const VerbInfo* verb = findVerb(tokens[0].text);
    if (!verb) {
        error = "unknown action '" + std::string(tokens[0].text) + "'";
        return false;
    }
    action.kind = verb->kind;
    const std::size_t n = tokens.size();
    auto number = [&](std::size_t index, int& value, const char* what) {
        if (index >= n) return fail(error, *verb, std::string("missing ") + what);
        if (!toInt(tokens[index].text, value))
            return fail(error, *verb,
                        std::string(what) + " must be a whole number, not '" + std::string(tokens[index].text) + "'");
        return true;
    };
    auto exactly = [&](std::size_t count) {
        if (n > count) return fail(error, *verb, "unexpected '" + std::string(tokens[count].text) + "'");
        return true;
    };
    auto restFrom = [&](std::size_t index, std::size_t lastExcluded) {
        std::size_t start = tokens[index - 1].end;
        std::size_t end = lastExcluded < n ? tokens[lastExcluded - 1].end : line.size();
        return kvFromUtf8(trim(line.substr(start, end - start)));
    };

    switch (verb->kind) {
    case KvUiActionKind::Click: return number(1, action.id, "control id") && exactly(2);
    case KvUiActionKind::Check:
        if (!number(1, action.id, "control id")) return false;
        if (n < 3 || !toOnOff(tokens[2].text, action.bOn)) return fail(error, *verb, "the state must be on or off");
        return exactly(3);
    case KvUiActionKind::Select:
        if (!number(1, action.id, "control id")) return false;
        if (n < 3) return fail(error, *verb, "missing the entry to choose");
        action.text = restFrom(2, n);
        return true;
    case KvUiActionKind::Item:
    case KvUiActionKind::Total:
        if (!number(1, action.id, "control id")) return false;
        if (n < 4) return fail(error, *verb, "missing the item name or its state");
        if (!toOnOff(tokens[n - 1].text, action.bOn))
            return fail(error, *verb, "the last word must be on or off, not '" + std::string(tokens[n - 1].text) + "'");
        action.text = restFrom(2, n - 1);
        return true;
    case KvUiActionKind::CellMenu:
        if (!number(1, action.id, "control id") || !number(2, action.row, "row") || !number(3, action.col, "column"))
            return false;
        action.bMenuOnScreen = n == 4;
        return action.bMenuOnScreen || (number(4, action.choice, "menu choice") && exactly(5));
    case KvUiActionKind::HeaderMenu:
        if (!number(1, action.id, "control id")) return false;
        action.bMenuOnScreen = n == 2;
        if (action.bMenuOnScreen) action.col = -1;
        return action.bMenuOnScreen || (number(2, action.col, "column") && exactly(3));
    case KvUiActionKind::Sort:
        return number(1, action.id, "control id") && number(2, action.col, "column") && exactly(3);
    case KvUiActionKind::MoveCol:
        return number(1, action.id, "control id") && number(2, action.col, "column") &&
               number(3, action.to, "target position") && exactly(4);
    case KvUiActionKind::File: {
        if (n < 2) return fail(error, *verb, "missing the file name");
        if (n == 2 && tokens[1].text == "cancel") {
            action.bCancel = true;
            return true;
        }
        int filter = 0;
        std::size_t pathEnd = n;
        if (n >= 3 && toInt(tokens[n - 1].text, filter)) {
            action.filterIndex = filter;
            pathEnd = n - 1;
        }
        action.text = restFrom(1, pathEnd);
        return true;
    }
    case KvUiActionKind::Answer:
        if (n < 2) return fail(error, *verb, "missing the answer");
        if (tokens[1].text == "ok")
            action.answer = IDOK;
        else if (tokens[1].text == "yes")
            action.answer = IDYES;
        else if (tokens[1].text == "no")
            action.answer = IDNO;
        else
            return fail(error, *verb, "unknown answer '" + std::string(tokens[1].text) + "'");
        return exactly(2);
    default: return true;  // editor answers: their provider reads the details
    }
}

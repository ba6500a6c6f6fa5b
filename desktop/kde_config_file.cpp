// Plasma's configuration format: "[Group]" headers (nested groups as "[A][B]"),
// "key=value" entries with "[$i]"-style options, '#' comments, backslash escapes.
#include "desktop/kde_config_file.h"

#include <algorithm>
#include <vector>

namespace desktop {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// One line with its end, and what it is.
struct Line {
    std::string_view whole;  // with its line break
    enum class Kind { Other, Group, Entry } kind = Kind::Other;
    std::string group;        // Group: the name, nested parts joined by '\x1d' as the format keeps them
    bool immutable = false;   // Group or Entry marked [$i], or the file-wide "[$i]" line
    std::string_view key;     // Entry: the key without options
    bool localised = false;   // Entry: key[xx]
    std::string_view value;   // Entry: raw text after '='
};

Line parse(std::string_view whole) {
    Line line;
    line.whole = whole;
    const std::string_view t = trimmed(whole.substr(0, whole.find('\n')));
    if (t.empty() || t.front() == '#') return line;
    if (t.front() == '[') {
        // "[A][B][$i]": the parts in brackets; "[$i]" alone marks the whole file.
        std::string_view rest = t;
        std::vector<std::string_view> parts;
        while (!rest.empty() && rest.front() == '[') {
            const auto close = rest.find(']');
            if (close == std::string_view::npos) return line;
            parts.push_back(rest.substr(1, close - 1));
            rest.remove_prefix(close + 1);
        }
        if (!parts.empty() && parts.back().starts_with('$')) {
            line.immutable = parts.back().find('i') != std::string_view::npos;
            parts.pop_back();
        }
        line.kind = Line::Kind::Group;
        for (std::size_t i = 0; i < parts.size(); ++i) line.group += (i ? "\x1d" : "") + std::string(parts[i]);
        return line;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return line;
    std::string_view key = trimmed(t.substr(0, eq));
    line.kind = Line::Kind::Entry;
    line.value = trimmed(t.substr(eq + 1));
    while (!key.empty() && key.back() == ']') {
        const auto open = key.rfind('[');
        if (open == std::string_view::npos) break;
        const std::string_view option = key.substr(open + 1, key.size() - open - 2);
        if (option.starts_with('$'))
            line.immutable = line.immutable || option.find('i') != std::string_view::npos;
        else
            line.localised = true;
        key = trimmed(key.substr(0, open));
    }
    line.key = key;
    return line;
}

std::vector<Line> lines(std::string_view file) {
    std::vector<Line> out;
    while (!file.empty()) {
        const auto end = file.find('\n');
        const std::size_t n = end == std::string_view::npos ? file.size() : end + 1;
        out.push_back(parse(file.substr(0, n)));
        file.remove_prefix(n);
    }
    return out;
}

std::string unescaped(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        switch (raw[++i]) {
        case 's': out += ' '; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += raw[i]; break;  // "\\", "\;", "\,"
        }
    }
    return out;
}

std::string escaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == ' ' && (i == 0 || i + 1 == value.size())) out += "\\s";  // kept, not trimmed
        else out += c;
    }
    return out;
}

struct Found {
    bool fileLocked = false;
    bool groupSeen = false;
    bool groupLocked = false;
    std::size_t groupEnd = 0;           // index of the line after the group's last line
    std::vector<std::size_t> entries;   // lines of the entry
    bool entryLocked = false;
};

Found find(const std::vector<Line>& all, std::string_view group, std::string_view key) {
    Found f;
    bool inGroup = false, beforeGroups = true;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Line& l = all[i];
        if (l.kind == Line::Kind::Group) {
            if (beforeGroups && l.group.empty() && l.immutable) f.fileLocked = true;
            beforeGroups = false;
            inGroup = l.group == group;
            if (inGroup) {
                f.groupSeen = true;
                f.groupLocked = f.groupLocked || l.immutable;
            }
        } else if (inGroup && l.kind == Line::Kind::Entry && !l.localised && l.key == key) {
            f.entries.push_back(i);
            f.entryLocked = f.entryLocked || l.immutable;
        }
        if (inGroup && l.kind != Line::Kind::Other) f.groupEnd = i + 1;
    }
    return f;
}

}  // namespace

std::optional<std::string> kdeEntry(std::string_view file, std::string_view group, std::string_view key) {
    const std::vector<Line> all = lines(file);
    const Found f = find(all, group, key);
    if (f.entries.empty()) return std::nullopt;
    return unescaped(all[f.entries.back()].value);  // the last one wins, as the format reads it
}

bool kdeEntryLocked(std::string_view file, std::string_view group, std::string_view key) {
    const Found f = find(lines(file), group, key);
    return f.fileLocked || f.groupLocked || f.entryLocked;
}

std::optional<std::string> withKdeEntry(std::string_view file, std::string_view group, std::string_view key,
                                        const std::optional<std::string>& value) {
    const std::vector<Line> all = lines(file);
    const Found f = find(all, group, key);
    if (f.fileLocked || f.groupLocked || f.entryLocked) return std::nullopt;
    const std::string entry = value ? std::string(key) + "=" + escaped(*value) + "\n" : std::string();
    std::string out;
    bool placed = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        std::string_view whole = all[i].whole;
        if (std::find(f.entries.begin(), f.entries.end(), i) != f.entries.end()) {
            if (!placed) out += entry;  // the first occurrence keeps its place
            placed = true;
            continue;
        }
        out += whole;
        if (!whole.ends_with('\n') && i + 1 < all.size()) out += '\n';
        if (f.groupSeen && !placed && i + 1 == f.groupEnd) {
            if (!out.empty() && out.back() != '\n') out += '\n';
            out += entry;
            placed = true;
        }
    }
    if (!placed && value) {
        if (!out.empty() && out.back() != '\n') out += '\n';
        if (!out.empty()) out += '\n';
        out += "[" + std::string(group) + "]\n" + entry;
    }
    return out;
}

}  // namespace desktop

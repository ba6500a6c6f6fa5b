// The ten registry operations.
#include "registry/general.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/codepage.h"

namespace registry {
namespace {

std::optional<std::string> toAnsi(std::string_view utf8) {
    std::string out;
    if (!platform::utf8ToCp936(utf8, out)) return std::nullopt;
    return out;
}

// A read's first steps: the key of `keyPath` opened for reading into `key` and the
// value name in code page 936. Gives the read's outcome when they fail: nothing for
// an unknown root, "Error" for anything else; no outcome when the key is open.
template <class Read>
std::optional<Read> openToRead(RegistryApi& api, std::string_view keyPath, std::string_view valueName, HKEY& key,
                               std::string& name) {
    SplitPath p = SplitKeyPath(keyPath);
    if (p.root == 0) return Read::nothing();
    auto sub = toAnsi(p.subKey);
    auto ansiName = toAnsi(valueName);
    if (!sub || !ansiName || api.RegOpenKeyExA(p.root, *sub, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Read::error();
    name = std::move(*ansiName);
    return std::nullopt;
}

}  // namespace

void General::CreateKey(std::string_view keyPath) {
    SplitPath p = SplitKeyPath(keyPath);
    if (p.root == 0) return;
    auto sub = toAnsi(p.subKey);
    if (!sub) return;
    HKEY key = 0;
    if (api_.RegCreateKeyA(p.root, *sub, &key) == ERROR_SUCCESS) api_.RegCloseKey(key);
}

template <class Encode>
void General::write(std::string_view keyPath, std::string_view valueName, DWORD type, Encode encode) {
    lastWrite_ = WriteOutcome::Refused;
    SplitPath p = SplitKeyPath(keyPath);
    if (p.root == 0) return;
    auto sub = toAnsi(p.subKey);
    auto name = toAnsi(valueName);
    if (!sub || !name) return;
    HKEY key = 0;
    if (LONG status = api_.RegOpenKeyExA(p.root, *sub, 0, KEY_WRITE, &key); status != ERROR_SUCCESS) {
        if (status == ERROR_FILE_NOT_FOUND) lastWrite_ = WriteOutcome::NoKey;
        return;
    }
    if (std::optional<std::string> bytes = encode()) {
        if (api_.RegSetValueExA(key, *name, 0, type, reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                static_cast<DWORD>(bytes->size())) == ERROR_SUCCESS)
            lastWrite_ = WriteOutcome::Written;
    }
    api_.RegCloseKey(key);
}

void General::SetStringValue(std::string_view keyPath, std::string_view valueName, std::string_view data) {
    write(keyPath, valueName, REG_SZ, [&] { return toAnsi(data); });
}

void General::SetDwordValue(std::string_view keyPath, std::string_view valueName, std::int32_t data) {
    write(keyPath, valueName, REG_DWORD, [&]() -> std::optional<std::string> {
        auto u = static_cast<std::uint32_t>(data);
        return std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
    });
}

void General::SetBinaryValue(std::string_view keyPath, std::string_view valueName, std::string_view data) {
    write(keyPath, valueName, REG_BINARY, [&]() -> std::optional<std::string> {
        std::string bytes;
        for (char32_t ch : platform::utf8ToCodePoints(data)) {
            int b = platform::cp936SingleByte(ch);
            if (b < 0) return std::nullopt;
            bytes += static_cast<char>(b);
        }
        return bytes;
    });
}

TextRead General::GetStringValue(std::string_view keyPath, std::string_view valueName) {
    HKEY key = 0;
    std::string name;
    if (auto failed = openToRead<TextRead>(api_, keyPath, valueName, key, name)) return *failed;
    std::uint8_t buffer[255];
    std::memset(buffer, ' ', sizeof buffer);
    DWORD size = sizeof buffer;
    DWORD type = 0;
    LONG status = api_.RegQueryValueExA(key, name, nullptr, &type, buffer, &size);
    api_.RegCloseKey(key);
    if (status != ERROR_SUCCESS) return TextRead::error();

    // The whole buffer becomes text: the value, its NUL, then the untouched spaces.
    // Trimming the spaces on both sides and dropping the last character (the NUL)
    // leaves the value, less any leading spaces.
    std::string_view text(reinterpret_cast<const char*>(buffer), sizeof buffer);
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return TextRead::of({});
    size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    text.remove_suffix(1);
    return TextRead::of(platform::cp936ToUtf8(text));
}

NumberRead General::GetDwordValue(std::string_view keyPath, std::string_view valueName) {
    HKEY key = 0;
    std::string name;
    if (auto failed = openToRead<NumberRead>(api_, keyPath, valueName, key, name)) return *failed;
    DWORD size = sizeof dwordBuffer_;
    DWORD type = 0;
    LONG status = api_.RegQueryValueExA(key, name, nullptr, &type, dwordBuffer_, &size);
    api_.RegCloseKey(key);
    if (status != ERROR_SUCCESS) return NumberRead::error();
    std::uint32_t u = dwordBuffer_[0] | (dwordBuffer_[1] << 8) | (dwordBuffer_[2] << 16) |
                      (static_cast<std::uint32_t>(dwordBuffer_[3]) << 24);
    return NumberRead::of(static_cast<std::int32_t>(u));
}

TextRead General::GetBinaryValue(std::string_view keyPath, std::string_view valueName) {
    HKEY key = 0;
    std::string name;
    if (auto failed = openToRead<TextRead>(api_, keyPath, valueName, key, name)) return *failed;
    // First learn the size with a one-byte buffer (its status is not looked at)...
    std::uint8_t probe = 0;
    DWORD size = 1;
    DWORD type = 0;
    api_.RegQueryValueExA(key, name, nullptr, &type, &probe, &size);
    // ...then read into a buffer of exactly that size.
    std::vector<std::uint8_t> buffer(size);
    LONG status = api_.RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &size);
    api_.RegCloseKey(key);
    if (status != ERROR_SUCCESS) return TextRead::error();
    return TextRead::of(platform::cp936ToUtf8(
        std::string_view(reinterpret_cast<const char*>(buffer.data()), std::min<size_t>(size, buffer.size()))));
}

void General::DeleteValue(HKEY root, std::string_view subKey, std::string_view valueName) {
    lastWrite_ = WriteOutcome::Refused;
    auto sub = toAnsi(subKey);
    auto name = toAnsi(valueName);
    if (!sub || !name) return;
    HKEY key = 0;
    if (LONG status = api_.RegOpenKeyExA(root, *sub, 0, KEY_WRITE, &key); status != ERROR_SUCCESS) {
        if (status == ERROR_FILE_NOT_FOUND) lastWrite_ = WriteOutcome::NoKey;
        return;
    }
    LONG status = api_.RegDeleteValueA(key, *name);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) lastWrite_ = WriteOutcome::Written;
    api_.RegCloseKey(key);
}

}  // namespace registry

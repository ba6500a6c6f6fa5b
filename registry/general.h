// The registry helpers both shellstyle and systune link: every operation takes one
// full key path ("HKEY_CURRENT_USER\Control Panel\desktop"), opens its key, works and
// closes it again. Writes report nothing; reads give the value, "Error", or nothing.
// Text is UTF-8 here and code page 936 in the store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "registry/key_path.h"
#include "registry/registry_api.h"

namespace registry {

// A read's outcome: nothing (the path's root was not recognised), the failure the
// callers see as the text "Error" (key or value unreadable), or the value.
template <class T>
class ReadResult {
public:
    static ReadResult nothing() { return ReadResult(std::monostate{}); }
    static ReadResult error() { return ReadResult(Failure{}); }
    static ReadResult of(T v) { return ReadResult(std::move(v)); }

    bool isNothing() const { return std::holds_alternative<std::monostate>(v_); }
    bool isError() const { return std::holds_alternative<Failure>(v_); }
    bool hasValue() const { return std::holds_alternative<T>(v_); }
    const T& value() const { return std::get<T>(v_); }

    // Only a value compares equal to a value; "Error" and nothing never do.
    friend bool operator==(const ReadResult& r, const T& v) { return r.hasValue() && r.value() == v; }

private:
    struct Failure {};
    template <class U>
    explicit ReadResult(U v) : v_(std::move(v)) {}
    std::variant<std::monostate, Failure, T> v_;
};

using TextRead = ReadResult<std::string>;
using NumberRead = ReadResult<std::int32_t>;

class General {
public:
    explicit General(RegistryApi& api) : api_(api) {}

    void CreateKey(std::string_view keyPath);
    void SetStringValue(std::string_view keyPath, std::string_view valueName, std::string_view data);
    void SetDwordValue(std::string_view keyPath, std::string_view valueName, std::int32_t data);
    // `data` carries one byte per character; a character without a single-byte
    // code in code page 936 makes the write refuse (nothing is written).
    void SetBinaryValue(std::string_view keyPath, std::string_view valueName, std::string_view data);

    TextRead GetStringValue(std::string_view keyPath, std::string_view valueName);
    NumberRead GetDwordValue(std::string_view keyPath, std::string_view valueName);
    TextRead GetBinaryValue(std::string_view keyPath, std::string_view valueName);

    void DeleteValue(HKEY root, std::string_view subKey, std::string_view valueName);

    // What became of the last write or delete. The operations themselves report
    // nothing; a caller that must tell the user about a failed save asks here.
    enum class WriteOutcome {
        Written,  // stored (or, for a delete, the value is gone)
        NoKey,    // the key does not exist, so nothing was written
        Refused,  // bad path, text without a code page 936 form, or the store refused
    };
    WriteOutcome lastWriteOutcome() const { return lastWrite_; }

    // The store the operations go to (for a Batch around several of them).
    RegistryApi& api() const { return api_; }

private:
    template <class Encode>
    void write(std::string_view keyPath, std::string_view valueName, DWORD type, Encode encode);

    RegistryApi& api_;
    // GetDwordValue reads through this buffer, which lives as long as the module and is
    // never cleared: a 2-byte value replaces only the low two bytes of the previous number.
    std::uint8_t dwordBuffer_[4] = {0, 0, 0, 0};
    WriteOutcome lastWrite_ = WriteOutcome::Written;
};

}  // namespace registry

// Saved control properties of a host form: an ordered list of name/value pairs.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <utility>
#include <vector>

namespace skin {

class PropertyBag {
public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap& values);

    // The stored value, or `fallback` when the name is not stored (or holds a value
    // that cannot convert to the fallback's type).
    QVariant ReadProperty(const QString& name, const QVariant& fallback = {}) const;
    // Stores the value unless it equals `defaultValue`; a stored name is replaced.
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});

    bool contains(const QString& name) const;
    // Names in the order they were first written.
    QStringList names() const;
    // Names in the order they were read, each read once per ReadProperty call.
    const QStringList& readLog() const { return reads_; }
    QVariantMap toMap() const;

private:
    std::vector<std::pair<QString, QVariant>> values_;
    mutable QStringList reads_;
};

}  // namespace skin

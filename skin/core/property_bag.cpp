// Saved control properties of a host form: an ordered list of name/value pairs.
#include "skin/core/property_bag.h"

namespace skin {

PropertyBag::PropertyBag(const QVariantMap& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        values_.emplace_back(it.key(), it.value());
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& fallback) const {
    reads_.append(name);
    for (const auto& [n, v] : values_) {
        if (n.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!fallback.isValid())
            return v;
        QVariant converted = v;
        if (converted.convert(fallback.metaType()))
            return converted;
        return fallback;
    }
    return fallback;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
    for (auto it = values_.begin(); it != values_.end(); ++it) {
        if (it->first.compare(name, Qt::CaseInsensitive) == 0) {
            values_.erase(it);
            break;
        }
    }
    if (!value.isValid() || (defaultValue.isValid() && value == defaultValue))
        return;
    values_.emplace_back(name, value);
}

bool PropertyBag::contains(const QString& name) const {
    for (const auto& entry : values_)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList PropertyBag::names() const {
    QStringList out;
    for (const auto& entry : values_)
        out.append(entry.first);
    return out;
}

QVariantMap PropertyBag::toMap() const {
    QVariantMap out;
    for (const auto& [n, v] : values_)
        out.insert(n, v);
    return out;
}

}  // namespace skin

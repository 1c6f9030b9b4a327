// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_value.h"

#include "registry.h"

bool keyValueFromData(quint32 type, const QByteArray& data, QString& KeyVal) {
    QByteArray trimmed = data;
    if (!trimmed.isEmpty() && trimmed.back() == '\0')
        trimmed.chop(1);
    switch (type) {
    case RegistryTypes::Text:
        KeyVal = QString::fromUtf8(trimmed);
        break;
    case RegistryTypes::Number32:
        for (qsizetype i = trimmed.size() - 1; i >= 0; --i)
            KeyVal += QString::number(quint8(trimmed.at(i)), 16).toUpper();
        KeyVal.prepend(QStringLiteral("&h"));
        break;
    default:
        break;
    }
    return true;
}

bool GetKeyValue(const Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal) {
    const std::optional<RegistryValue> value = registry.read(KeyRoot, KeyName, SubKeyRef);
    if (!value || value->data.size() > RegistryBufferSize) {
        KeyVal.clear();
        return false;
    }
    return keyValueFromData(value->type, value->data, KeyVal);
}

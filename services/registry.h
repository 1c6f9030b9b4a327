// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Registry reads: a value is its type and its bytes, read from a key under a
// root. The program only ever reads.
namespace RegistryTypes {
constexpr quint32 Text = 1;     // a text (REG_SZ)
constexpr quint32 Number32 = 4; // a 32-bit number, least significant byte first (REG_DWORD)
} // namespace RegistryTypes

// The machine-wide root key (HKEY_LOCAL_MACHINE).
constexpr quint32 MachineRoot = 0x80000002u;

// The largest value the program reads, in bytes: a longer one fails to read.
constexpr int RegistryBufferSize = 1024;

struct RegistryValue {
    quint32 type = 0;
    QByteArray data;
};

class Registry {
public:
    virtual ~Registry() = default;
    // The value `valueName` of key `keyName` under `root`; nothing when the key
    // cannot be opened or the value cannot be read.
    virtual std::optional<RegistryValue> read(quint32 root, const QString& keyName,
                                              const QString& valueName) const = 0;
};

// Where the about box looks up the system-information program: first the
// program itself, then the folder that holds its file.
namespace SysInfoKeys {
inline QString programKey() {
    return QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
}
inline QString programValue() {
    return QStringLiteral("PATH");
}
inline QString locationKey() {
    return QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
}
inline QString locationValue() {
    return QStringLiteral("MSINFO");
}
// The file looked for in that folder.
inline QString programFileName() {
    return QStringLiteral("MSINFO32.EXE");
}
} // namespace SysInfoKeys

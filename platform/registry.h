// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
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

// A read-only registry holding a fixed set of values; key and value names are
// compared without regard to case, as the system's registry does.
class FixedRegistry : public Registry {
public:
    void set(quint32 root, const QString& keyName, const QString& valueName, RegistryValue value);
    // A text value stored as the system stores it: UTF-8 with a final NUL.
    void setText(quint32 root, const QString& keyName, const QString& valueName,
                 const QString& text);
    std::optional<RegistryValue> read(quint32 root, const QString& keyName,
                                      const QString& valueName) const override;

private:
    static QString path(quint32 root, const QString& keyName, const QString& valueName);
    QMap<QString, RegistryValue> values_;
};

// Where the about box looks up the system-information program: first the
// program itself, then the folder that holds its file.
namespace SysInfoKeys {
QString programKey();      // "SOFTWARE\Microsoft\Shared Tools\MSINFO"
QString programValue();    // "PATH"
QString locationKey();     // "SOFTWARE\Microsoft\Shared Tools Location"
QString locationValue();   // "MSINFO"
QString programFileName(); // "MSINFO32.EXE", the file looked for in that folder
} // namespace SysInfoKeys

// The desktop's system-information programs, in order of preference.
QStringList systemInfoProgramNames();

// The registry of this system. There is no system registry here: a read-only
// stand-in whose two system-information values point at the first of
// `programNames` found on the PATH `searchPath` (":"-separated; the process's
// PATH when null), the program itself and the folder that holds it. Only the
// absolute folders of the path are looked in, never the current folder ("."
// or an empty entry) nor any other relative one. Empty when none is
// installed.
FixedRegistry systemRegistry(const QStringList& programNames = systemInfoProgramNames(),
                             const QString& searchPath = QString());

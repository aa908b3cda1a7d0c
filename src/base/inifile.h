#pragma once

#include "base/colors.h"

#include <QString>
#include <QStringList>

namespace quenlap {

// An INI file read and written key by key with the platform's profile semantics: sections and keys
// match without regard to case; a missing file, section or key reads as the caller's default; a
// write changes that one key and keeps the rest of the file as it was. Nothing is cached: every
// call reads (and a write rewrites) the file. Files written in Windows-1252 read correctly.
// Writes throw quenlap::Error with a clear message when the file cannot be written.
class IniFile
{
public:
    explicit IniFile(QString path);

    const QString &path() const { return filePath; }

    // The value without surrounding blanks and without one pair of enclosing quotes.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // The leading digits of the value ("12abc" is 12; "0x1F" is hexadecimal); the default when
    // there are none.
    int readInteger(const QString &section, const QString &key, int def) const;
    // An integer other than 0 ("true" and "false" are understood too).
    bool readBool(const QString &section, const QString &key, bool def) const;
    // A point or a comma as decimal separator; the default when the value is not a number.
    double readFloat(const QString &section, const QString &key, double def) const;
    // A colour name or number (StringToColor); the default when it is neither.
    TColor readColor(const QString &section, const QString &key, TColor def) const;
    // Keys of a section in file order; empty when the file or section is missing.
    QStringList readSection(const QString &section) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;

    // A value with blanks around it or enclosing quotes is written quoted so that it reads back
    // the same; section, key or value with a line break throw quenlap::Error.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value); // 1 and 0
    // Shortest exact form, with the process's decimal separator.
    void writeFloat(const QString &section, const QString &key, double value);
    void writeColor(const QString &section, const QString &key, TColor value);
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

private:
    QString filePath;
};

} // namespace quenlap

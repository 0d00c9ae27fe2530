#pragma once

#include <QList>
#include <QPair>
#include <QString>

// A small INI reader/writer for "ayar.ini". It keeps keys as plain UTF-8
// text ("hatırla", not an escaped form) and values as written, so that any
// other INI reader sees the same file.
class IniFile
{
public:
    explicit IniFile(const QString &path) : m_path(path) {}

    bool exists() const;
    // reads the file; a missing or unreadable file reads as empty
    void load();
    // writes atomically: a crash never leaves half a settings file
    bool save() const;

    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    bool boolValue(const QString &section, const QString &key, bool fallback) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void setBoolValue(const QString &section, const QString &key, bool value)
    {
        setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    }

private:
    struct Section
    {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    Section *find(const QString &name);
    const Section *find(const QString &name) const;

    QString m_path;
    QList<Section> m_sections;
};

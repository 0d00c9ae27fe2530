#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

void IniFile::load()
{
    m_sections.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    Section *current = nullptr;
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = find(name);
            if (!current) {
                m_sections.append({name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || !current)
            continue;
        current->entries.append({line.left(eq).trimmed(), line.mid(eq + 1)});
    }
}

bool IniFile::save() const
{
    QByteArray out;
    for (const Section &s : m_sections) {
        out += '[' + s.name.toUtf8() + "]\r\n";
        for (const auto &e : s.entries)
            out += e.first.toUtf8() + '=' + e.second.toUtf8() + "\r\n";
        out += "\r\n";
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out);
    return f.commit();
}

IniFile::Section *IniFile::find(const QString &name)
{
    for (Section &s : m_sections) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

const IniFile::Section *IniFile::find(const QString &name) const
{
    return const_cast<IniFile *>(this)->find(name);
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    if (const Section *s = find(section)) {
        for (const auto &e : s->entries) {
            if (e.first.compare(key, Qt::CaseInsensitive) == 0)
                return e.second;
        }
    }
    return fallback;
}

bool IniFile::boolValue(const QString &section, const QString &key, bool fallback) const
{
    const QString v = value(section, key).trimmed();
    if (v.isEmpty())
        return fallback;
    if (v == u"1"_s || v.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (v == u"0"_s || v.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return false;
    return fallback;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.append({section, {}});
        s = &m_sections.last();
    }
    for (auto &e : s->entries) {
        if (e.first.compare(key, Qt::CaseInsensitive) == 0) {
            e.second = value;
            return;
        }
    }
    s->entries.append({key, value});
}

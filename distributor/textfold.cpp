#include "textfold.h"

namespace distributor {

QString foldForSearch(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0x0131: // ı
        case 0x0130: // İ
        case u'i': out += u'I'; break;
        case 0x015F: case 0x015E: out += u'S'; break; // ş Ş
        case 0x011F: case 0x011E: out += u'G'; break; // ğ Ğ
        case 0x00FC: case 0x00DC: out += u'U'; break; // ü Ü
        case 0x00F6: case 0x00D6: out += u'O'; break; // ö Ö
        case 0x00E7: case 0x00C7: out += u'C'; break; // ç Ç
        case 0x00E2: case 0x00C2: out += u'A'; break; // â Â
        case 0x00EE: case 0x00CE: out += u'I'; break; // î Î
        case 0x00FB: case 0x00DB: out += u'U'; break; // û Û
        default: out += c.toUpper(); break;
        }
    }
    return out;
}

QString compactCode(QStringView code)
{
    QString out;
    out.reserve(code.size());
    for (QChar c : code) {
        if (c != u' ' && c != u'-' && c != u'.' && c != u'/')
            out += c;
    }
    return out;
}

QString likeEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out;
}

} // namespace distributor

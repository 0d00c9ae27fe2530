#include "xlswriter.h"

#include "wire/datapacket.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

// --- little-endian building blocks ----------------------------------------

void put8(QByteArray &b, quint8 v) { b.append(char(v)); }
void put16(QByteArray &b, quint16 v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}
void put32(QByteArray &b, quint32 v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}
void putDouble(QByteArray &b, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    char d[8];
    qToLittleEndian(bits, d);
    b.append(d, 8);
}
void set32(QByteArray &b, qsizetype at, quint32 v) { qToLittleEndian(v, b.data() + at); }

void putUtf16(QByteArray &b, const QString &s)
{
    for (QChar c : s)
        put16(b, c.unicode());
}

// XLUnicodeString: 16-bit length, flags (1 = UTF-16), characters
void putUnicodeString16(QByteArray &b, const QString &s)
{
    put16(b, quint16(s.size()));
    put8(b, 0x01);
    putUtf16(b, s);
}

// ShortXLUnicodeString: 8-bit length, flags, characters
void putUnicodeString8(QByteArray &b, const QString &s)
{
    put8(b, quint8(s.size()));
    put8(b, 0x01);
    putUtf16(b, s);
}

void record(QByteArray &out, quint16 type, const QByteArray &payload)
{
    put16(out, type);
    put16(out, quint16(payload.size()));
    out.append(payload);
}

// record types
constexpr quint16 kBof = 0x0809, kEof = 0x000A, kCodepage = 0x0042, kWindow1 = 0x003D, kFont = 0x0031,
                  kFormat = 0x041E, kXf = 0x00E0, kStyle = 0x0293, kBoundSheet = 0x0085, kDimensions = 0x0200,
                  kWindow2 = 0x023E, kColInfo = 0x007D, kNumber = 0x0203, kLabel = 0x0204;

QByteArray bof(quint16 kind)
{
    QByteArray p;
    put16(p, 0x0600); // BIFF8
    put16(p, kind);   // 0x0005 workbook globals, 0x0010 worksheet
    put16(p, 0x0DBB); // build
    put16(p, 0x07CC); // year
    put32(p, 0);      // file history flags
    put32(p, 0x06);   // lowest BIFF version that can read everything
    return p;
}

QByteArray font(bool bold)
{
    QByteArray p;
    put16(p, 200);              // height in twips: 10 pt
    put16(p, bold ? 0x0001 : 0); // no italic, no strike-out; bit 0 repeats bold for older readers
    put16(p, 0x7FFF);           // colour: window text
    put16(p, bold ? 700 : 400); // weight
    put16(p, 0);                // no super/subscript
    put8(p, 0);                 // no underline
    put8(p, 2);                 // family: swiss
    put8(p, 0xA2);              // character set: Turkish
    put8(p, 0);
    putUnicodeString8(p, u"Arial"_s);
    return p;
}

// one XF record; style XFs have no parent, cell XFs point at style XF 0
QByteArray xf(quint16 fontIndex, quint16 formatIndex, bool style)
{
    QByteArray p;
    put16(p, fontIndex);
    put16(p, formatIndex);
    put16(p, style ? 0xFFF5 : 0x0001); // locked; style XF with parent 0xFFF, or cell XF with parent 0
    put8(p, 0x20);                     // bottom aligned, no wrap, general horizontal alignment
    put8(p, 0);                        // no rotation
    put8(p, 0);                        // no indent
    // which attributes a cell XF sets itself rather than taking from its style
    quint8 used = 0;
    if (!style) {
        if (formatIndex != 0)
            used |= 0x04;
        if (fontIndex != 0)
            used |= 0x08;
    }
    put8(p, used);
    put32(p, 0);      // no borders
    put32(p, 0);      // border colours, no diagonal, no fill pattern
    put16(p, 0x20C0); // fill colours: window text on window background
    return p;
}

QByteArray format(quint16 index, const QString &code)
{
    QByteArray p;
    put16(p, index);
    putUnicodeString16(p, code);
    return p;
}

QByteArray number(int row, int col, quint16 xfIndex, double v)
{
    QByteArray p;
    put16(p, quint16(row));
    put16(p, quint16(col));
    put16(p, xfIndex);
    putDouble(p, v);
    return p;
}

QByteArray label(int row, int col, quint16 xfIndex, const QString &text)
{
    QByteArray p;
    put16(p, quint16(row));
    put16(p, quint16(col));
    put16(p, xfIndex);
    putUnicodeString16(p, text.left(XlsWriter::kMaxLabelChars));
    return p;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool: return true;
    default: return false;
    }
}

} // namespace

QString excelNumberFormat(const QString &displayPattern)
{
    if (displayPattern.isEmpty())
        return QString();
    const qsizetype dot = displayPattern.indexOf(u'.');
    const bool grouped = displayPattern.left(dot < 0 ? displayPattern.size() : dot).contains(u',');
    int decimals = 0;
    if (dot >= 0) {
        for (qsizetype i = dot + 1; i < displayPattern.size(); ++i) {
            if (displayPattern[i] == u'0' || displayPattern[i] == u'#')
                ++decimals;
        }
    }
    QString out = grouped ? u"#,##0"_s : u"0"_s;
    if (decimals > 0)
        out += u'.' + QString(decimals, u'0');
    return out;
}

QByteArray XlsWriter::workbookStream() const
{
    const int columns = qMin(kMaxColumns, int(qMax<qsizetype>(m_header.size(), [this] {
                                              qsizetype n = 0;
                                              for (const Row &r : m_rows)
                                                  n = qMax(n, r.cells.size());
                                              return n;
                                          }())));
    const int headerRows = m_header.isEmpty() ? 0 : 1;
    const int bodyPerSheet = kMaxRowsPerSheet - headerRows;
    const int sheets = qMax(1, int((m_rows.size() + bodyPerSheet - 1) / bodyPerSheet));

    // number formats: built-in General plus one custom format per distinct code
    QHash<QString, quint16> formatIds;
    QList<QPair<quint16, QString>> customFormats;
    auto formatId = [&](const QString &code) -> quint16 {
        if (code.isEmpty())
            return 0;
        auto it = formatIds.constFind(code);
        if (it != formatIds.constEnd())
            return *it;
        const quint16 id = quint16(164 + customFormats.size());
        formatIds.insert(code, id);
        customFormats.append({id, code});
        return id;
    };
    const quint16 dateFormat = formatId(u"dd.mm.yyyy"_s);
    const quint16 dateTimeFormat = formatId(u"dd.mm.yyyy hh:mm:ss"_s);
    QList<quint16> columnFormat;
    for (int c = 0; c < columns; ++c)
        columnFormat << formatId(m_formats.value(c));

    // cell XFs after the 15 style XFs: 15 plain, 16 bold, then one per format
    // (plain and bold)
    constexpr quint16 kPlainXf = 15, kBoldXf = 16;
    QHash<quint32, quint16> xfOfFormat; // (format << 1 | bold) -> XF
    QList<QPair<quint16, bool>> extraXfs;
    auto xfFor = [&](quint16 fmt, bool bold) -> quint16 {
        if (fmt == 0)
            return bold ? kBoldXf : kPlainXf;
        const quint32 key = (quint32(fmt) << 1) | (bold ? 1u : 0u);
        auto it = xfOfFormat.constFind(key);
        if (it != xfOfFormat.constEnd())
            return *it;
        const quint16 id = quint16(17 + extraXfs.size());
        xfOfFormat.insert(key, id);
        extraXfs.append({fmt, bold});
        return id;
    };
    // settle every XF before the globals are written
    for (quint16 f : std::as_const(columnFormat)) {
        xfFor(f, false);
        xfFor(f, true);
    }
    for (quint16 f : {dateFormat, dateTimeFormat}) {
        xfFor(f, false);
        xfFor(f, true);
    }

    QByteArray out;
    // --- workbook globals
    record(out, kBof, bof(0x0005));
    {
        QByteArray p;
        put16(p, 1200); // UTF-16
        record(out, kCodepage, p);
    }
    {
        QByteArray p;
        put16(p, 0x0168); // position and size of the window, in twips
        put16(p, 0x001E);
        put16(p, 0x3A98);
        put16(p, 0x2328);
        put16(p, 0x0038); // horizontal and vertical scroll bars, sheet tabs
        put16(p, 0);      // active sheet
        put16(p, 0);      // first visible tab
        put16(p, 1);      // selected sheets
        put16(p, 0x0258); // tab bar width ratio
        record(out, kWindow1, p);
    }
    // fonts 0-3 plain; the fifth record is font index 5 (index 4 is never used)
    for (int i = 0; i < 4; ++i)
        record(out, kFont, font(false));
    record(out, kFont, font(true));
    for (const auto &[id, code] : std::as_const(customFormats))
        record(out, kFormat, format(id, code));
    for (int i = 0; i < 15; ++i)
        record(out, kXf, xf(0, 0, true));
    record(out, kXf, xf(0, 0, false));
    record(out, kXf, xf(5, 0, false));
    for (const auto &[fmt, bold] : std::as_const(extraXfs))
        record(out, kXf, xf(bold ? 5 : 0, fmt, false));
    {
        QByteArray p;
        put16(p, 0x8000); // built-in style on XF 0
        put8(p, 0);       // "Normal"
        put8(p, 0xFF);
        record(out, kStyle, p);
    }
    QList<qsizetype> sheetOffsetAt;
    for (int s = 0; s < sheets; ++s) {
        QByteArray p;
        put32(p, 0); // stream offset of the sheet's BOF, patched below
        put8(p, 0);  // visible
        put8(p, 0);  // worksheet
        QString name = m_sheetName.isEmpty() ? u"Sayfa"_s : m_sheetName;
        if (sheets > 1 || m_sheetName.isEmpty())
            name += QString::number(s + 1);
        putUnicodeString8(p, name.left(31));
        sheetOffsetAt << out.size() + 4;
        record(out, kBoundSheet, p);
    }
    record(out, kEof, {});

    // --- worksheets
    auto cellRecord = [&](QByteArray &sheet, int row, int col, const QVariant &v, bool bold) {
        if (!v.isValid() || v.isNull())
            return;
        if (isNumber(v)) {
            const bool integral = v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float;
            const quint16 x = integral ? (bold ? kBoldXf : kPlainXf) : xfFor(columnFormat.value(col), bold);
            record(sheet, kNumber, number(row, col, x, v.toDouble()));
            return;
        }
        if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
            const QDateTime dt = v.typeId() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
            if (dt.isValid()) {
                const bool hasTime = dt.time() != QTime(0, 0);
                const quint16 x = xfFor(hasTime ? dateTimeFormat : dateFormat, bold);
                record(sheet, kNumber, number(row, col, x, wire::toOleDate(dt)));
                return;
            }
        }
        const QString text = v.toString();
        if (!text.isEmpty())
            record(sheet, kLabel, label(row, col, bold ? kBoldXf : kPlainXf, text));
    };

    for (int s = 0; s < sheets; ++s) {
        set32(out, sheetOffsetAt[s], quint32(out.size()));
        const int first = s * bodyPerSheet;
        const int last = qMin(int(m_rows.size()), first + bodyPerSheet); // exclusive
        const int rowsHere = headerRows + (last - first);
        QByteArray sheet;
        record(sheet, kBof, bof(0x0010));
        for (int c = 0; c < columns && c < m_widths.size(); ++c) {
            if (m_widths[c] <= 0)
                continue;
            QByteArray p;
            put16(p, quint16(c));
            put16(p, quint16(c));
            // width in 1/256 of a character of the default font, about 7 pixels
            put16(p, quint16(qBound(256, m_widths[c] * 256 / 7, 255 * 256)));
            put16(p, kPlainXf);
            put16(p, 0);
            put16(p, 0);
            record(sheet, kColInfo, p);
        }
        {
            QByteArray p;
            put32(p, 0);
            put32(p, quint32(rowsHere));
            put16(p, 0);
            put16(p, quint16(columns));
            put16(p, 0);
            record(sheet, kDimensions, p);
        }
        {
            QByteArray p;
            put16(p, s == 0 ? 0x06B6 : 0x04B6); // grid, headers, zeros, outline; the first sheet selected
            put16(p, 0);
            put16(p, 0);
            put16(p, 0x40); // grid line colour: default
            put16(p, 0);
            put16(p, 0);
            put16(p, 0);
            put32(p, 0);
            record(sheet, kWindow2, p);
        }
        int row = 0;
        if (headerRows) {
            for (int c = 0; c < columns && c < m_header.size(); ++c)
                cellRecord(sheet, row, c, m_header[c], true);
            ++row;
        }
        for (int r = first; r < last; ++r, ++row) {
            const Row &data = m_rows[r];
            for (int c = 0; c < columns && c < data.cells.size(); ++c)
                cellRecord(sheet, row, c, data.cells[c], data.bold);
        }
        record(sheet, kEof, {});
        out.append(sheet);
    }
    return out;
}

QByteArray XlsWriter::compoundFile(QByteArray workbook)
{
    constexpr quint32 kSector = 512;
    constexpr quint32 kFree = 0xFFFFFFFFu, kEndOfChain = 0xFFFFFFFEu, kFatSect = 0xFFFFFFFDu,
                      kDifSect = 0xFFFFFFFCu, kNoStream = 0xFFFFFFFFu;
    constexpr quint32 kPerFat = kSector / 4;        // 128 entries per FAT sector
    constexpr quint32 kPerDifat = kPerFat - 1;      // 127 FAT sector numbers per DIFAT sector
    constexpr quint32 kHeaderDifat = 109;

    // streams shorter than the cutoff would belong in the mini stream; a
    // padded stream stays in regular sectors, and readers stop at its EOF
    if (workbook.size() < 4096)
        workbook.append(QByteArray(4096 - workbook.size(), '\0'));
    const quint32 streamSize = quint32(workbook.size());
    const quint32 streamSectors = (streamSize + kSector - 1) / kSector;
    const quint32 dirSectors = 1;

    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > kHeaderDifat ? (fatSectors - kHeaderDifat + kPerDifat - 1) / kPerDifat : 0;
        const quint32 needed = (streamSectors + dirSectors + fatSectors + difatSectors + kPerFat - 1) / kPerFat;
        if (needed <= fatSectors)
            break;
        fatSectors = needed;
    }

    // layout: stream, directory, FAT, DIFAT
    const quint32 dirStart = streamSectors;
    const quint32 fatStart = dirStart + dirSectors;
    const quint32 difatStart = fatStart + fatSectors;
    const quint32 totalSectors = difatStart + difatSectors;

    QList<quint32> fat(fatSectors * kPerFat, kFree);
    for (quint32 i = 0; i < streamSectors; ++i)
        fat[i] = i + 1 < streamSectors ? i + 1 : kEndOfChain;
    fat[dirStart] = kEndOfChain;
    for (quint32 i = 0; i < fatSectors; ++i)
        fat[fatStart + i] = kFatSect;
    for (quint32 i = 0; i < difatSectors; ++i)
        fat[difatStart + i] = kDifSect;

    QByteArray out;
    out.reserve(qsizetype(kSector) * (totalSectors + 1));
    // --- header
    out.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    out.append(QByteArray(16, '\0')); // class id
    put16(out, 0x003E);               // minor version
    put16(out, 0x0003);               // major version 3: 512-byte sectors
    put16(out, 0xFFFE);               // little-endian
    put16(out, 9);                    // sector shift: 512
    put16(out, 6);                    // mini sector shift: 64
    out.append(QByteArray(6, '\0'));
    put32(out, 0); // directory sectors: always 0 in version 3
    put32(out, fatSectors);
    put32(out, dirStart);
    put32(out, 0);    // transaction signature
    put32(out, 4096); // mini stream cutoff
    put32(out, kEndOfChain); // no mini FAT
    put32(out, 0);
    put32(out, difatSectors ? difatStart : kEndOfChain);
    put32(out, difatSectors);
    for (quint32 i = 0; i < kHeaderDifat; ++i)
        put32(out, i < fatSectors ? fatStart + i : kFree);

    // --- the stream
    out.append(workbook);
    out.append(QByteArray(qsizetype(streamSectors) * kSector - workbook.size(), '\0'));

    // --- directory: root entry, the Workbook stream, two unused entries
    auto entry = [&](const QString &name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        putUtf16(e, name);
        e.append(QByteArray(64 - e.size(), '\0'));
        put16(e, quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
        put8(e, type);
        put8(e, 1); // black
        put32(e, kNoStream); // left sibling
        put32(e, kNoStream); // right sibling
        put32(e, child);
        e.append(QByteArray(16, '\0')); // class id
        put32(e, 0);                    // state bits
        e.append(QByteArray(16, '\0')); // creation and modification times
        put32(e, start);
        put32(e, size);
        put32(e, 0); // high part of the size
        return e;
    };
    QByteArray dir;
    dir.append(entry(u"Root Entry"_s, 5, 1, kEndOfChain, 0));
    dir.append(entry(u"Workbook"_s, 2, kNoStream, 0, streamSize));
    while (dir.size() < qsizetype(kSector)) {
        QByteArray unused(128, '\0');
        set32(unused, 68, kNoStream);
        set32(unused, 72, kNoStream);
        set32(unused, 76, kNoStream);
        dir.append(unused);
    }
    out.append(dir);

    // --- FAT
    for (quint32 v : std::as_const(fat))
        put32(out, v);

    // --- DIFAT sectors: the FAT sectors the header had no room for
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (quint32 i = 0; i < kPerDifat; ++i) {
            const quint32 n = kHeaderDifat + d * kPerDifat + i;
            put32(out, n < fatSectors ? fatStart + n : kFree);
        }
        put32(out, d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain);
    }
    return out;
}

bool XlsWriter::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace widgets

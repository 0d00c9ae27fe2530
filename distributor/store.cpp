#include "store.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QThread>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

QAtomicInt g_storeSerial;

// Connections this thread opened; closed and removed when the thread ends,
// so pool threads that expire leave nothing behind.
struct ThreadConnections
{
    QStringList names;
    ~ThreadConnections()
    {
        for (const QString &name : std::as_const(names)) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }
    }
};

thread_local ThreadConnections t_connections;

// Tables of the store. Keys are numbers the store gives out; dates are OLE
// Automation dates (days since 30.12.1899), as they travel on the wire.
const char *const kTables[] = {
    "CREATE TABLE SURUM (SURUM INTEGER NOT NULL)",
    "CREATE TABLE AYAR (ANAHTAR TEXT PRIMARY KEY, DEGER TEXT NOT NULL)",
    "CREATE TABLE TEMSILCI (SATICINO {KEY}, ADI TEXT NOT NULL, TELEFON TEXT NOT NULL, MAIL TEXT NOT NULL)",
    "CREATE TABLE CARI (CARINO {KEY}, CARIKOD TEXT NOT NULL, CARIADI TEXT NOT NULL,"
    " SATICINO INTEGER NOT NULL REFERENCES TEMSILCI(SATICINO), YETKILI TEXT, OZELKOD TEXT, ANAGRUP TEXT,"
    " ALTGRUP TEXT, ADRES1 TEXT, ADRES2 TEXT, ILCE TEXT, IL TEXT, ULKE TEXT, VERGIDAIRESI TEXT,"
    " VERGINO TEXT, TEL1 TEXT, TEL2 TEXT, FAX1 TEXT, FAX2 TEXT, GSM TEXT, EMAIL TEXT,"
    " VADE INTEGER NOT NULL, IND1 {REAL} NOT NULL, IND2 {REAL} NOT NULL, ARAMA TEXT NOT NULL)",
    "CREATE TABLE KULLANICI (SIRANO {KEY}, ADI TEXT NOT NULL UNIQUE, SIFRE TEXT NOT NULL,"
    " AKTIF INTEGER NOT NULL, TIP INTEGER NOT NULL, CARINO INTEGER NOT NULL, SATICINO INTEGER NOT NULL,"
    " MAIL TEXT NOT NULL, VERSIYON INTEGER NOT NULL)",
    "CREATE TABLE CIHAZ (BILGISAYARID TEXT PRIMARY KEY, KULLANICI INTEGER NOT NULL REFERENCES KULLANICI(SIRANO))",
    "CREATE TABLE STOK (STOKNO {KEY}, BARKOD TEXT NOT NULL, ADI TEXT NOT NULL, MARKA TEXT NOT NULL,"
    " MODEL TEXT NOT NULL, FINISHKOD TEXT, OEM1 TEXT, OEM2 TEXT, OEM3 TEXT, OEM4 TEXT, OEMNO TEXT,"
    " URETICIKODU TEXT, DIGERADI TEXT, OZELKOD TEXT, ANAGRUP TEXT, BIRIM TEXT, DPKOD TEXT, PKOD TEXT,"
    " KALAN {REAL} NOT NULL, VERILENSIPARIS {REAL} NOT NULL, DURUM INTEGER NOT NULL,"
    " RESIM INTEGER NOT NULL, YENI INTEGER NOT NULL, KAMPANYA INTEGER NOT NULL, KDV {REAL} NOT NULL,"
    " LISTEFIYAT {REAL} NOT NULL, KAMPFIYAT {REAL} NOT NULL, MARKAIND {REAL} NOT NULL,"
    " KOLIADET INTEGER NOT NULL)",
    "CREATE INDEX STOK_YENI ON STOK (YENI)",
    "CREATE INDEX STOK_KAMPANYA ON STOK (KAMPANYA)",
    "CREATE TABLE SEPET (SIRANO {KEY}, CARINO INTEGER NOT NULL REFERENCES CARI(CARINO),"
    " STOKNO INTEGER NOT NULL REFERENCES STOK(STOKNO), BARKOD TEXT NOT NULL, STOKADI TEXT NOT NULL,"
    " MIKTAR {REAL} NOT NULL, BIRIMFIYAT {REAL} NOT NULL, KDV {REAL} NOT NULL, IND1 {REAL} NOT NULL,"
    " IND2 {REAL} NOT NULL, IND3 {REAL} NOT NULL, IND4 {REAL} NOT NULL, K INTEGER NOT NULL,"
    " SEC INTEGER NOT NULL, VERENIDNO INTEGER NOT NULL, VERILISTARIHI {REAL} NOT NULL,"
    " TUTAR {REAL} NOT NULL, INDIRIMTUTAR {REAL} NOT NULL, NETTUTAR {REAL} NOT NULL,"
    " NETBIRIMFIYAT {REAL} NOT NULL, VERGITUTARI {REAL} NOT NULL)",
    "CREATE INDEX SEPET_CARI ON SEPET (CARINO)",
    "CREATE TABLE SEPETSILINEN (SIRANO {KEY}, SEPETSIRANO INTEGER NOT NULL, CARINO INTEGER NOT NULL,"
    " STOKNO INTEGER NOT NULL, MIKTAR {REAL} NOT NULL, ACIKLAMA TEXT NOT NULL, SILENID INTEGER NOT NULL,"
    " TARIH {REAL} NOT NULL)",
    "CREATE TABLE TESLIM (ID {KEY}, ADI TEXT NOT NULL)",
    "CREATE TABLE KARGOTUR (ID {KEY}, ADI TEXT NOT NULL)",
    "CREATE TABLE KARGOFIRMA (SIRANO {KEY}, TURID INTEGER NOT NULL REFERENCES KARGOTUR(ID),"
    " ADI TEXT NOT NULL, UYARI TEXT NOT NULL)",
    "CREATE TABLE SIPARIS (IDNO {KEY}, CARINO INTEGER NOT NULL REFERENCES CARI(CARINO),"
    " TARIH {REAL} NOT NULL, VERENIDNO INTEGER NOT NULL, VEREN TEXT NOT NULL,"
    " TESLIMID INTEGER NOT NULL REFERENCES TESLIM(ID), KARGOTURID INTEGER NOT NULL REFERENCES KARGOTUR(ID),"
    " KARGOFIRMAID INTEGER NOT NULL REFERENCES KARGOFIRMA(SIRANO), VERENINNOTU TEXT NOT NULL,"
    " ALANNOTU TEXT NOT NULL, SATICINOTU TEXT NOT NULL, DURUM INTEGER NOT NULL)",
    "CREATE INDEX SIPARIS_CARI ON SIPARIS (CARINO)",
    "CREATE TABLE SIPARISSATIR (STOKHAR_NO {KEY}, IDNO INTEGER NOT NULL REFERENCES SIPARIS(IDNO),"
    " SEPETSIRANO INTEGER NOT NULL, STOKNO INTEGER NOT NULL REFERENCES STOK(STOKNO),"
    " BARKOD TEXT NOT NULL, STOKADI TEXT NOT NULL, MIKTAR {REAL} NOT NULL, ILKMIKTAR {REAL} NOT NULL,"
    " TESLIMEDILEN {REAL} NOT NULL, BIRIMFIYAT {REAL} NOT NULL, ILKFIYAT {REAL} NOT NULL,"
    " KDV {REAL} NOT NULL, IND1 {REAL} NOT NULL, IND2 {REAL} NOT NULL, IND3 {REAL} NOT NULL,"
    " IND4 {REAL} NOT NULL, K INTEGER NOT NULL, TUTAR {REAL} NOT NULL, INDIRIMTUTAR {REAL} NOT NULL,"
    " NETTUTAR {REAL} NOT NULL, NETBIRIMFIYAT {REAL} NOT NULL, VERGITUTARI {REAL} NOT NULL,"
    " VERILISTARIHI {REAL} NOT NULL, VERENIDNO INTEGER NOT NULL, VEREN TEXT NOT NULL)",
    "CREATE INDEX SIPARISSATIR_SIPARIS ON SIPARISSATIR (IDNO)",
    "CREATE INDEX SIPARISSATIR_STOK ON SIPARISSATIR (STOKNO)",
    "CREATE TABLE HAREKET (IDNO {KEY}, CARINO INTEGER NOT NULL REFERENCES CARI(CARINO),"
    " TARIH {REAL} NOT NULL, TUR INTEGER NOT NULL, EVRAKNO TEXT NOT NULL, BORC {REAL} NOT NULL,"
    " ALACAK {REAL} NOT NULL, VADE INTEGER NOT NULL, ACIKLAMA TEXT NOT NULL,"
    " SATICINO INTEGER NOT NULL, SANALPOSNO INTEGER NOT NULL)",
    "CREATE INDEX HAREKET_CARI ON HAREKET (CARINO, TARIH)",
    "CREATE TABLE FATURASATIR (SIRANO {KEY}, IDNO INTEGER NOT NULL REFERENCES HAREKET(IDNO),"
    " STOKNO INTEGER NOT NULL REFERENCES STOK(STOKNO), MIKTAR {REAL} NOT NULL,"
    " BIRIMFIYAT {REAL} NOT NULL, IND1 {REAL} NOT NULL, IND2 {REAL} NOT NULL, KDV {REAL} NOT NULL,"
    " TUTAR {REAL} NOT NULL, INDIRIMTUTAR {REAL} NOT NULL, NETTUTAR {REAL} NOT NULL,"
    " NETBIRIMFIYAT {REAL} NOT NULL, VERGI {REAL} NOT NULL, SIPARISIDNO INTEGER NOT NULL)",
    "CREATE INDEX FATURASATIR_FATURA ON FATURASATIR (IDNO)",
    "CREATE INDEX FATURASATIR_STOK ON FATURASATIR (STOKNO)",
    "CREATE TABLE TAHSILATSATIR (SIRANO {KEY}, IDNO INTEGER NOT NULL REFERENCES HAREKET(IDNO),"
    " TARIH {REAL} NOT NULL, TURU TEXT NOT NULL, CINS TEXT NOT NULL, EVRAKNO TEXT NOT NULL,"
    " VADE {REAL} NOT NULL, TUTAR {REAL} NOT NULL, ACIKLAMA TEXT NOT NULL, REF TEXT NOT NULL,"
    " SAAT TEXT NOT NULL)",
    "CREATE INDEX TAHSILATSATIR_TAHSILAT ON TAHSILATSATIR (IDNO)",
    "CREATE TABLE SANALPOS (SIRANO {KEY}, IDNO INTEGER NOT NULL REFERENCES HAREKET(IDNO),"
    " KARTNO TEXT NOT NULL, KARTSAHIBI TEXT NOT NULL, TUTAR {REAL} NOT NULL, TARIH {REAL} NOT NULL,"
    " ONAYKODU TEXT NOT NULL)",
    "CREATE TABLE DUYURU (SIRANO {KEY}, TUR INTEGER NOT NULL, SIRA INTEGER NOT NULL,"
    " BASLIK TEXT NOT NULL, ARAMA TEXT NOT NULL, RESIM {BLOB})",
    "CREATE TABLE GIDENMAIL (SIRANO {KEY}, TARIH {REAL} NOT NULL, YONTEM TEXT NOT NULL,"
    " BILGISAYARID TEXT NOT NULL, ALICI TEXT NOT NULL, KONU TEXT NOT NULL, GOVDE TEXT NOT NULL)",
};

} // namespace

Query::Query(const QSqlDatabase &db, const QString &sql)
    : m_query(db)
    , m_sql(sql)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw Refusal(u"Veritabanı hatası: %1 (%2)"_s.arg(m_query.lastError().text(), sql.left(80)));
}

Query &Query::bind(const QVariant &value)
{
    // a null QString is bound as SQL NULL; texts are never NULL here
    if (value.metaType().id() == QMetaType::QString && value.toString().isNull())
        m_query.addBindValue(QVariant(u""_s));
    else
        m_query.addBindValue(value);
    return *this;
}

Query &Query::exec()
{
    if (!m_query.exec())
        throw Refusal(u"Veritabanı hatası: %1 (%2)"_s.arg(m_query.lastError().text(), m_sql.left(80)));
    return *this;
}

Store::Store(const QString &filePath, const SqlDialect &dialect)
    : m_filePath(filePath)
    , m_dialect(dialect)
    , m_connectionPrefix(u"varko-store-%1-"_s.arg(g_storeSerial.fetchAndAddRelaxed(1)))
{}

Store::~Store() = default;

QSqlDatabase Store::connection(bool forWriting)
{
    const QString name = m_connectionPrefix + QString::number(quintptr(QThread::currentThreadId()), 16)
                         + (forWriting ? u"-w"_s : u"-r"_s);
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(m_dialect.driver, name);
    db.setDatabaseName(m_filePath);
    db.setConnectOptions(m_dialect.connectOptions);
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw Refusal(u"Veritabanı açılamadı: %1"_s.arg(reason));
    }
    for (const QString &statement : m_dialect.sessionSetup) {
        QSqlQuery q(db);
        q.exec(statement);
    }
    t_connections.names.append(name);
    return db;
}

bool Store::hasSchema()
{
    return database().tables().contains(u"SURUM"_s, Qt::CaseInsensitive);
}

int Store::schemaVersion()
{
    if (!hasSchema())
        return 0;
    Query q(database(), u"SELECT MAX(SURUM) FROM SURUM"_s);
    q.exec();
    return q.next() ? q.intValue(0) : 0;
}

void Store::createTables(QSqlDatabase &db)
{
    for (const char *statement : kTables)
        Query(db, m_dialect.ddl(QString::fromLatin1(statement))).exec();
    for (const QString &statement : m_dialect.searchIndexTables)
        Query(db, statement).exec();
    Query(db, u"INSERT INTO SURUM (SURUM) VALUES (?)"_s).bind(kSchemaVersion).exec();
}

} // namespace distributor

#include "reportdownload.h"

#include "client/app/workstation.h"

#include "wire/streamcopy.h"

#include <QDesktopServices>
#include <QDir>
#include <QSaveFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace rapor {

namespace {

Opener &opener()
{
    static Opener o;
    return o;
}

} // namespace

QString dosyaYolu(int raporno, int carino)
{
    return QDir(BelgelerKlasoruAl()).filePath(u"rapor"_s + QString::number(raporno + carino) + u".pdf"_s);
}

bool kaydet(const QByteArray &stream, qint64 announcedCount, const QString &path)
{
    const std::optional<QByteArray> bytes = wire::takeStream(stream, announcedCount);
    if (!bytes)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // written beside and renamed at the end, so a viewer never sees half a file
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(*bytes);
    return file.commit();
}

void setOpener(Opener o)
{
    opener() = std::move(o);
}

void ac(const QString &path)
{
    if (opener()) {
        opener()(path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace rapor

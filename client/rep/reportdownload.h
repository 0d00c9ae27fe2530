#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The PDF reports of the representative's desk as files in the user's
// documents folder.
namespace rapor {

// documents folder + "rapor" + the decimal sum raporno + carino + ".pdf":
// report 6 for customer 1234 is "rapor1240.pdf"
QString dosyaYolu(int raporno, int carino);

// Writes the received stream to path only when it is complete (its length
// equals the announced count, which is not 0); the file appears whole or
// not at all. True when the file was written.
bool kaydet(const QByteArray &stream, qint64 announcedCount, const QString &path);

// Opens a saved report with the desktop's default viewer. Tests replace
// the opener so that no viewer starts; nullptr restores the real one.
using Opener = std::function<void(const QString &path)>;
void setOpener(Opener opener);
void ac(const QString &path);

} // namespace rapor

#pragma once

#include <QString>

namespace wire {
class DataSet;
}

// The display format of every money column.
inline const QString kParaBicimi = QStringLiteral("#,###,##0.00");

// every Float field of the dataset gets the money display format
void ParaBicimiVer(wire::DataSet &dataSet);
// open and holding at least one row
bool DoluMu(const wire::DataSet &dataSet);
// some row's "SEC" is 1; the cursor stays where the walk stopped
bool SeciliVarMi(wire::DataSet &dataSet);
// money rounded to two decimals, halves away from zero
double SayiyaCevir(double value);
// percent-encodes blanks and non-ASCII letters in path and query; scheme,
// host and port stay as they are
QString UrlKodla(const QString &url);
// full path of an installed Chrome (Chromium on Linux), or empty
QString ChromeYoluBul();
// major version of the installed Internet Explorer, or 0
int IESurumuAl();

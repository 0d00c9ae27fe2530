#pragma once

#include <QString>

// The three process-wide addresses every connection and web address is
// built from, and the two sets they are taken from: the distributor's
// public host and its in-house host.
//
// The public set and the address-lookup service have compiled-in defaults
// that these environment variables replace (for development and the demo
// against the local reference distributor):
//   VARKO_SUNUCU      application server host, optionally "host:port"
//   VARKO_WEB         web server base address, ending in "/"
//   VARKO_IP_SERVISI  address of the what-is-my-address service's "/ip"

namespace adresler {

struct AdresSeti
{
    QString sunucu;  // host name of the application server
    quint16 port;    // its port (9090)
    QString web;     // base address of the web server, ending in "/"
};

AdresSeti genelSet();   // public
AdresSeti icSet();      // in-house
// the external address whose lookup selects the in-house set; no lookup
// ever answers it (it has letters in it), so the public set stays in force
QString icDisAdres();
QString ipServisiAdresi();

// the public host name, as the general menu shows it
QString genelWebSunucuAdi();

void GenelAdresleriKullan();
void IcAdresleriKullan();

// safe to read from any thread
QString sunucuadresi();
quint16 sunucuportu();
QString webadresi();
QString resimadresi(); // webadresi() + "resimgoster.ashx?id="

} // namespace adresler

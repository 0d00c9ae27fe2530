#pragma once

#include <QString>

#include <functional>

// Facts about this workstation that travel in the session record, and the
// two per-user folders the program writes to. Plain functions without
// state, callable on any thread. Each operating system has its own
// implementation file behind these declarations.

// computer name; empty when longer than 15 characters (the NetBIOS limit)
QString BilgisayarAdiAl();
// signed-in user's name; empty when 16 characters or longer
QString KullaniciAdiAl();
// local IPv4 address in dotted form; "127.0.0.1" when none is found
QString IcIpAl();
// serial number of the first physical drive, upper case; raises
// std::runtime_error when the system cannot be asked
QString DiskSeriNoAl();
// first network adapter's address as six upper-case pairs joined by "-";
// the next adapter only when the first is all zeros; raises on failure
QString MacAdresiAl();
// the device identifier: disk serial, else MAC address, blanks removed,
// then the fixed override table; empty when nothing is found
QString CihazKimligiAl();
// the application-data folder + "varko", created on first use
QString VeriKlasoruAl();
// the user's documents folder; empty when the system has none
QString BelgelerKlasoruAl();

namespace workstation {

// The part of the device identifier rule that needs no system: trims and
// removes blanks, falls back to the MAC address, applies the override
// table. The two callables raise on failure like the system helpers.
QString deviceIdFrom(const std::function<QString()> &diskSerial, const std::function<QString()> &macAddress);

// Development override: when this environment variable holds a text, it
// is the device identifier, so that one machine can sign in as any of the
// reference distributor's demo users.
inline constexpr const char *kDeviceIdOverrideVariable = "VARKO_CIHAZ_KIMLIGI";

#ifdef Q_OS_LINUX
// Root of the system-information tree read on Linux ("/" normally);
// tests point it at a fake tree holding sys/block and sys/class/net.
void setSystemInfoRoot(const QString &root);
QString systemInfoRoot();
#endif

} // namespace workstation

#pragma once

class ServerConnection;

// How many times and how far apart BaglantiAc tries.
inline constexpr int kBaglantiDenemeSayisi = 11;
inline constexpr int kBaglantiDenemeAraligiMs = 500;

// Opens the connection with up to 11 attempts 500 ms apart. Each failure's
// own text is shown in a plain box, and the attempt waits until it is
// closed; with reportFinal the final failure is reported with the standard
// connection message. Never raises a connection error. Callable on the UI
// thread and in background bodies: the boxes always appear on the UI thread.
bool BaglantiAc(ServerConnection &connection, bool reportFinal);

namespace connectionretry {
// the pause between attempts; tests shorten it
void setPauseMs(int ms);
}

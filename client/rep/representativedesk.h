#pragma once

#include "wire/records.h"

class QWidget;
class ServerConnection;
class TForm1;

// The sales representative's customer selection, where the program uses it.

// Shows the selection over the given connection and session record,
// modally, with its counters loaded; true only when a customer was chosen.
bool CariSectir(ServerConnection &bag, wire::TSonucBilgisi &bilgim, QWidget *parent = nullptr);

// The sign-in's customer selection step (any result but a choice ends the
// program there); the other sign-in steps are kept.
void installCustomerSelectionAtSignIn();

// The sign-in step above, and "Başka Cari Seç" on the main window.
void installRepresentativeDesk(TForm1 &window);

// "Başka Cari Seç": the selection for the main window's session; then,
// chosen or not, the window follows the session's customer.
void BaskaCariSec(TForm1 &window);

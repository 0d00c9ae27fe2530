#pragma once

class TForm1;

// The "Bakiyeler" tab: a fresh balances window inside the tab page each
// time the tab is shown, freed when it is hidden.
void installBalancesPage(TForm1 &window);

// "Sipariş Bakiyeleriniz": the signed-in customer's balances, modal.
void BakiyeleriGoster(TForm1 &window);

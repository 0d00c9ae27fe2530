#pragma once

class TForm1;

// Connects the sign-in to the windows it leads to.
void installSignInSteps();
// Fills the main window's pages and connects its actions, before sign-in.
void installPages(TForm1 &window);

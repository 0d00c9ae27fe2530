#pragma once

// Connects the sign-in to the windows it leads to.
void installSignInSteps();

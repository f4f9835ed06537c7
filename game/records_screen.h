// The records screen: the ten best matches against the computer at a strength, from the title (R).
#pragma once

// Runs until ESC, Z or Return, or the window's close button; left and right show another strength.
void records_screen();

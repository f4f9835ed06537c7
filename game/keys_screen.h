// The keys screen, from the title (K): each person's keys, changed one action at a time.
#pragma once

// Runs until ESC (or the window's close button); a key changed is kept in the settings file.
void keys_screen();

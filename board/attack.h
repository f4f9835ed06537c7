// Attacks on the opponent's board and the super break.
#pragma once

struct BITMAP;
struct Player;

// Turns the victim's bottom n rows into junk cups of its opponent's pattern and starts the flash.
void take_attack(Player* victim, int n);

// Draws the attack flash over the converted rows into the destination.
void draw_attack_flash(Player* victim, BITMAP* destination);

// The fifth super cup: every cup of the breaker's board breaks and the opponent's whole board converts.
void super_break(Player* p);

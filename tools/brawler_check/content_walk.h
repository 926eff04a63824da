// What the game loads, file by file, from start-up to every stage and screen.
#pragma once

void checkContent();

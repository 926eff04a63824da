// What the game loads, file by file, from start-up to every stage and screen.
#pragma once

// Checks the content folder that is the working directory; the findings are left in `findings`.
void checkContent();

// The tick's pass over the entity table: every live entity's script steps, and afterwards
// each live sprite takes the size its frame is drawn at.
#pragma once

void animateEntities();
// Width and height of every live entity's frame, as drawing would size it: the near-view
// test of the next tick reads them, so a tick run without drawing sees what a drawn one sees.
void measureDrawnSizes();

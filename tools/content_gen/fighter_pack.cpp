// Fighter sheets, frame lists, offsets and scripts.
#include "fighter_looks.h"
#include "fighter_moves.h"
#include "fighter_poses.h"
#include "file_out.h"
#include "pack.h"
#include "sheet.h"

namespace {

const int kCellWidth = 240;
const int kCellHeight = 220;
// Row of the ground in every cell: room above for raised arms and flying kicks.
const int kGroundRow = 208;
const int kColumns = 8;

}  // namespace

void writeFighters(const std::string& root) {
  for (const Moveset& moves : castMovesets()) {
    const Look& look = lookOf(moves.name);
    const std::vector<NamedPose>& poses = fighterPoses();
    GridSheet sheet(kCellWidth, kCellHeight, kColumns, static_cast<int>(poses.size()));
    for (int n = 0; n < sheet.frameCount(); ++n)
      paintFigure(sheet.canvas(), look, poses[n].pose, sheet.cellX(n) + kCellWidth / 2.0,
                  sheet.cellY(n) + kGroundRow);
    // Centred on the body, feet on the foot line (HEIGHT below the anchor).
    sheet.setOffsets(-kCellWidth / 2, moves.height - kGroundRow);
    // The game asks for players' sheets as ".png" and stage types' sheets as ".PNG".
    std::string base = root + "/gfx/entities/" + moves.name;
    sheet.canvas().savePngRgba(base + (moves.player ? ".png" : ".PNG"));
    writeTextFile(base + ".spr", sheet.frameLines());
    writeTextFile(base + ".off", sheet.offsetLines());
    writeTextFile(root + "/scripts/" + moves.name + ".dat", fighterScript(moves));
  }
}

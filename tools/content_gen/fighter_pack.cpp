// Fighter sheets, frame lists, offsets and scripts.
#include <set>

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

std::set<int> framesShownBy(const std::vector<std::string>& script) {
  std::set<int> shown;
  const std::string keyword = "FRAMESET ";
  for (const std::string& line : script)
    if (line.compare(0, keyword.size(), keyword) == 0) shown.insert(std::stoi(line.substr(keyword.size())));
  return shown;
}

}  // namespace

void writeFighters(const std::string& root) {
  for (const Moveset& moves : castMovesets()) {
    const Look& look = lookOf(moves.name);
    const std::vector<NamedPose>& poses = fighterPoses();
    std::vector<std::string> script = fighterScript(moves);
    std::set<int> shown = framesShownBy(script);
    // Every sheet keeps the shared frame numbers; poses this fighter never takes are left
    // blank and their lines only name the pose.
    GridSheet sheet(kCellWidth, kCellHeight, kColumns, static_cast<int>(poses.size()));
    for (int n = 0; n < sheet.frameCount(); ++n)
      if (shown.count(n))
        paintFigure(sheet.canvas(), look, poses[n].pose, sheet.cellX(n) + kCellWidth / 2.0,
                    sheet.cellY(n) + kGroundRow);
    // Centred on the body, feet on the foot line (HEIGHT below the anchor).
    sheet.setOffsets(-kCellWidth / 2, moves.height - kGroundRow);
    std::vector<std::string> frames = sheet.frameLines(), offsets = sheet.offsetLines();
    for (int n = 0; n < sheet.frameCount(); ++n)
      if (!shown.count(n)) frames[n] = offsets[n] = "unused pose " + poses[n].name;
    // The game asks for players' sheets as ".png" and stage types' sheets as ".PNG".
    std::string base = root + "/gfx/entities/" + moves.name;
    sheet.canvas().savePngRgba(base + (moves.player ? ".png" : ".PNG"));
    writeTextFile(base + ".spr", frames);
    writeTextFile(base + ".off", offsets);
    writeTextFile(root + "/scripts/" + moves.name + ".dat", script);
  }
}

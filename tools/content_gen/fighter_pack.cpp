// Fighter sheets, frame lists, offsets and scripts.
#include <set>
#include <stdexcept>

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

std::set<int> framesShownBy(const std::vector<std::string>& script) {
  std::set<int> shown;
  const std::string keyword = "FRAMESET ";
  for (const std::string& line : script)
    if (line.compare(0, keyword.size(), keyword) == 0) shown.insert(std::stoi(line.substr(keyword.size())));
  return shown;
}

// Every pose the script shows, painted in its cell and packed; cells are centred on the body
// with the feet on the foot line (HEIGHT below the anchor).
PackedSheet paintSheet(const Moveset& moves, const Look& look, const std::set<int>& shown) {
  const std::vector<NamedPose>& poses = fighterPoses();
  // A boss is drawn larger in a cell as much larger.
  const double scale = scaleOf(moves.name);
  const int cellWidth = static_cast<int>(kCellWidth * scale), cellHeight = static_cast<int>(kCellHeight * scale);
  const int groundRow = static_cast<int>(kGroundRow * scale);
  std::vector<Canvas> cells;
  for (size_t n = 0; n < poses.size(); ++n) {
    cells.emplace_back(shown.count(n) ? cellWidth : 0, shown.count(n) ? cellHeight : 0);
    if (shown.count(n)) paintFigure(cells.back(), look, poses[n].pose, cellWidth / 2.0, groundRow, scale);
  }
  return packTrimmed(cells, -cellWidth / 2, moves.height - groundRow);
}

}  // namespace

void writeFighters(const std::string& root) {
  for (const Moveset& moves : castMovesets()) {
    const std::vector<NamedPose>& poses = fighterPoses();
    std::vector<std::string> script = fighterScript(moves);
    std::set<int> shown = framesShownBy(script);
    PackedSheet sheet = paintSheet(moves, lookOf(moves.name), shown);
    // Every sheet keeps the shared frame numbers; poses this fighter never takes are left
    // out of the picture and their lines only name the pose.
    std::vector<std::string> frames = frameLinesOf(sheet.frames), offsets = offsetLinesOf(sheet.frames);
    for (size_t n = 0; n < poses.size(); ++n)
      if (!shown.count(n)) frames[n] = offsets[n] = "unused pose " + poses[n].name;
    // The game asks for players' sheets as ".png" and stage types' sheets as ".PNG".
    std::string base = root + "/gfx/entities/" + moves.name;
    sheet.canvas.savePngRgba(base + (moves.player ? ".png" : ".PNG"));
    writeTextFile(base + ".spr", frames);
    writeTextFile(base + ".off", offsets);
    writeTextFile(root + "/scripts/" + moves.name + ".dat", script);
    if (!moves.player) continue;
    // Player 2's colours when both players pick this fighter: cut by the same frame list.
    PackedSheet second = paintSheet(moves, secondLookOf(moves.name), shown);
    if (frameLinesOf(second.frames) != frameLinesOf(sheet.frames))
      throw std::runtime_error(moves.name + ": the second colours change the frames");
    second.canvas.savePngRgba(base + "_2p.png");
  }
}

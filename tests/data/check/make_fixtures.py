#!/usr/bin/env python3
"""Writes the checker's fixtures: a small clean content folder ("clean") and, under "cases",
one folder per fault holding only the files that differ from the clean one. A case's REMOVED
file lists clean files that the case deletes.

Run from anywhere; it rewrites the folders next to it. The music files are passed in because
Python has no Ogg Vorbis encoder: python3 make_fixtures.py LONG.ogg SHORT.ogg, the first longer
than 145.072 s, the second shorter (silence at 8 kHz keeps them small)."""
import os
import shutil
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png(width, height, channels, colour=(200, 40, 40, 255)):
    """A PNG of one flat colour: 3 channels RGB, 4 RGBA."""
    kind = {3: 2, 4: 6}[channels]
    row = bytes(colour[:channels]) * width
    raw = b"".join(b"\x00" + row for _ in range(height))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, kind, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def wav():
    """A tenth of a second of 8-bit mono silence."""
    samples = b"\x80" * 800
    fmt = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + \
        struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def wav_no_channels():
    """A WAV header that says 0 channels: the mixer's conversion cannot take it."""
    fmt = struct.pack("<HHIIHH", 1, 0, 8000, 0, 0, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", 0)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def png_header_only(width, height):
    """A PNG cut after its header: enough to claim a size without holding the pixels."""
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    body = b"IHDR" + header
    return (b"\x89PNG\r\n\x1a\n" + struct.pack(">I", len(header)) + body
            + struct.pack(">I", zlib.crc32(body)))


def text(*lines):
    return ("\n".join(lines) + "\n").encode()


def frames(*rects):
    return text(*["FRAME %d %d %d %d" % r for r in rects])


def offsets(count):
    return text(*["OFFSET -8 -16"] * count)


FIGHTER_STATS = ["WIDTH 60", "HEIGHT 100", "WALKSPEED 5", "JUMPHEIGHT 20", "ATTACKSAMOUNT 1",
                 "SETHP 100", ""]


def fighter_blocks(attack_end="END"):
    """Every block the engine starts for a fighter, showing frames 0 and 1."""
    held = lambda name, frame: ["BEGIN " + name, "FRAMESET %d" % frame, "STOP"]
    timed = lambda name, frame, end="END": ["BEGIN " + name, "FRAMESET %d" % frame,
                                            "LOOPSTART 4", "LOOPEND", end]
    return (held("STAND", 0) + timed("WALK", 1) + timed("RUN", 1)
            + ["BEGIN QUICKATTACK1", "FRAMESET 1", "ATTACKMID 20 0 10", "LOOPSTART 6", "LOOPEND",
               attack_end]
            + timed("RUNATTACK", 1) + timed("JUMPSTART", 0) + held("JUMP", 0)
            + held("JUMPATTACK", 1) + timed("LAND", 0) + timed("HIGHDAMAGE", 1)
            + timed("LOWDAMAGE", 1) + held("FALL", 1) + timed("FALLLAND", 0)
            + timed("GETUP", 0) + ["BEGIN DIE", "FRAMESET 1", "LOOPSTART 20", "LOOPEND",
                                   "STOPFINISH"])


def fighter_script(**kw):
    return text(*(FIGHTER_STATS + fighter_blocks(**kw)))


def prop_script():
    return text("WIDTH 40", "HEIGHT 40", "",
                "BEGIN STATIONARY", "FRAMESET 0", "STOP",
                "BEGIN DAMAGE", "FRAMESET 1", "LOOPSTART 4", "LOOPEND",
                "ASSIGNANIMATION STATIONARY",
                "BEGIN FALL", "FRAMESET 1", "LOOPSTART 8", "LOOPEND",
                "ASSIGNANIMATION STATIONARY")


def effects_script():
    lines = []
    for name, frame in (("SMALLSPARK", 0), ("BIGSPARK", 1), ("BLOODSPURT", 1)):
        lines += ["BEGIN " + name, "FRAMESET %d" % frame, "LOOPSTART 3", "LOOPEND", "DESTROY",
                  "STOP"]
    return text(*lines)


def stage():
    return text("STAGETYPE street", "BGNAME sky", "BGMNAME theme", "VERTICALWALL 200",
                "STAGEEND 2000",
                "OBJECTBACK 0 100 2 0", "OBJECT 0 500 1", "OBJECTSTRING 0 700 0 3",
                "OBJECTFORE 0 740 2 1",
                "LOADENTITY thug 1", "LOADENTITY crate 0",
                "PLACEENTITY 600 420 0", "CPLACEENTITY 900 420 1 2 20")


MOVE_BLOCKS = ["GRAB", "HOLD", "KNEE", "THROW", "HELD", "THROWN", "SPECIAL", "PICKUP", "PIPESTAND",
               "PIPEWALK", "PIPEATTACK", "KNIFESTAND", "KNIFEWALK", "KNIFETHROW"]

TWO_FRAMES = frames((0, 0, 16, 16), (16, 0, 32, 16))
FIVE_FRAMES = frames(*[(4 * k, 0, 4 * k + 4, 4) for k in range(5)])


def clean():
    files = {
        "gfx/font/mainfont.png": png(8, 8, 4),
        "gfx/font/mainfont.spr": frames((0, 0, 8, 8)),
        "gfx/font/mainfont.off": text("OFFSET 0 0"),
        "gfx/interface/global.png": png(20, 4, 4),
        "gfx/interface/global.spr": FIVE_FRAMES,
        "gfx/interface/menus.png": png(20, 4, 4),
        "gfx/interface/menusprites.png": png(20, 4, 4),
        "gfx/interface/menusprites.spr": FIVE_FRAMES,
        "gfx/interface/mainmenu.png": png(20, 4, 3),
        "gfx/interface/mainmenu.spr": FIVE_FRAMES,
        "gfx/portraits/port.png": png(8, 8, 4),
        "gfx/portraits/port.spr": frames((0, 0, 8, 8)),
        "gfx/stage/sky.png": png(16, 12, 3),
        "gfx/stage/bg.spr": frames((0, 0, 16, 12)),
        "gfx/stage/street/tiles0.png": png(16, 8, 4),
        "gfx/stage/street/tiles0.spr": frames((0, 0, 8, 8), (8, 0, 16, 8), (0, 0, 16, 8)),
        "gfx/overworld/world1.png": png(16, 12, 3),
        "gfx/overworld/markers.png": png(8, 8, 4),
        "gfx/overworld/markers.spr": frames((0, 0, 8, 8)),
        "gfx/overworld/markers.off": text("OFFSET -4 -8"),
        "scripts/overworldmarkers.dat": text("BEGIN PLAYER1", "FRAMESET 0", "STOP",
                                             "BEGIN PLAYER2", "FRAMESET 0", "STOP"),
        "stage/world1/stage3.lev": stage(),
        "stage/world1/overworlddata.dat": text("NODE 0 100 500 0 1 0 0 stage3",
                                               "NODE 1 400 500 0 0 0 0 stage3"),
        "roster.dat": text("FIGHTER 0 kestor", "FIGHTER 1 bluesoldier"),
        "scripts/globals.dat": effects_script(),
        "gfx/entities/globals.PNG": png(32, 16, 4),
        "gfx/entities/globals.spr": TWO_FRAMES,
        "gfx/entities/globals.off": offsets(2),
        "scripts/crate.dat": prop_script(),
        "gfx/entities/crate.PNG": png(32, 16, 4),
        "gfx/entities/crate.spr": TWO_FRAMES,
        "gfx/entities/crate.off": offsets(2),
    }
    for name in ("kestor", "bluesoldier", "thug"):
        files["scripts/%s.dat" % name] = fighter_script()
        files["gfx/entities/%s.%s" % (name, "PNG" if name == "thug" else "png")] = png(32, 16, 4)
        files["gfx/entities/%s.spr" % name] = TWO_FRAMES
        files["gfx/entities/%s.off" % name] = offsets(2)
    for name in ("kestor", "bluesoldier"):  # the roster's fighters wear these as player 2
        files["gfx/entities/%s_2p.png" % name] = png(32, 16, 4, (40, 200, 40, 255))
    for slot in range(5):
        files["sound/%d.wav" % slot] = wav()
    files["bgm/theme.ogg"] = LONG_OGG
    return files


def replace_line(data, old, new):
    lines = data.decode().split("\n")
    lines[lines.index(old)] = new
    return "\n".join(lines).encode()


def insert_after(data, anchor, *new):
    lines = data.decode().split("\n")
    at = lines.index(anchor) + 1
    return "\n".join(lines[:at] + list(new) + lines[at:]).encode()


def cases(base):
    kestor = base["scripts/kestor.dat"]
    lev = base["stage/world1/stage3.lev"]
    return {
        "missing_sheet_image": {"REMOVED": text("gfx/entities/kestor.png")},
        "sheet_image_case": {"REMOVED": text("gfx/entities/kestor.png"),
                             "gfx/entities/kestor.PNG": png(32, 16, 4)},
        "undecodable_image": {"gfx/entities/crate.PNG": b"not an image"},
        "rgb_sheet": {"gfx/entities/kestor.png": png(32, 16, 3)},
        "rgba_background": {"gfx/stage/sky.png": png(16, 12, 4)},
        "frame_outside_image": {"gfx/entities/kestor.spr": frames((0, 0, 16, 16),
                                                                  (16, 0, 40, 16))},
        "missing_frame_list": {"REMOVED": text("gfx/entities/thug.spr")},
        "missing_offsets": {"REMOVED": text("gfx/entities/bluesoldier.off")},
        "missing_second_colours": {"REMOVED": text("gfx/entities/kestor_2p.png")},
        "missing_interface_frame": {"gfx/interface/global.spr": frames(
            *[(4 * k, 0, 4 * k + 4, 4) for k in range(4)])},
        "missing_animation": {"scripts/kestor.dat": replace_line(kestor, "BEGIN GETUP",
                                                                "BEGIN CUT")},
        "missing_numbered_attack": {"scripts/thug.dat": replace_line(
            kestor, "ATTACKSAMOUNT 1", "ATTACKSAMOUNT 2")},
        "sound_no_channels": {"sound/2.wav": wav_no_channels()},
        "image_too_large": {"gfx/entities/kestor.png": png_header_only(16383, 16383)},
        "attacks_amount_past_capacity": {"scripts/thug.dat": replace_line(
            kestor, "ATTACKSAMOUNT 1", "ATTACKSAMOUNT 1000000000")},
        "attacks_amount_negative": {"scripts/thug.dat": replace_line(
            kestor, "ATTACKSAMOUNT 1", "ATTACKSAMOUNT -2")},
        "count_past_int_range": {"stage/world1/stage3.lev": replace_line(
            lev, "CPLACEENTITY 900 420 1 2 20", "CPLACEENTITY 900 420 1 2147483647 20")},
        "attack_never_finishes": {"scripts/kestor.dat": fighter_script(attack_end="STOP")},
        "attack_assigns_stand": {"scripts/kestor.dat": replace_line(
            kestor, "BEGIN QUICKATTACK1", "BEGIN QUICKATTACK1\nASSIGNANIMATION STAND")},
        "last_block_runs_off": {"scripts/kestor.dat": replace_line(kestor, "STOPFINISH", "")},
        "assign_cycle": {"scripts/crate.dat": base["scripts/crate.dat"] + text(
            "BEGIN SPIN", "ASSIGNANIMATION TURN", "BEGIN TURN", "ASSIGNANIMATION SPIN")},
        "effect_never_destroyed": {"scripts/globals.dat": replace_line(
            base["scripts/globals.dat"], "DESTROY", "FRAMESET 0")},
        "mixed_case_begin": {"scripts/kestor.dat": insert_after(
            kestor, "STOPFINISH", "BEGIN Taunt", "FRAMESET 0", "STOP")},
        "undeclared_type": {"stage/world1/stage3.lev": insert_after(
            lev, "PLACEENTITY 600 420 0", "PLACEENTITY 700 420 2")},
        "other_world_stage": {"stage/world2/stage1.lev": lev + text("PLACEENTITY 1 1 9")},
        "too_many_types": {"stage/world1/stage3.lev": insert_after(
            lev, "LOADENTITY crate 0", *["LOADENTITY crate 0"] * 24)},
        "too_many_objects": {"stage/world1/stage3.lev": replace_line(
            lev, "OBJECTSTRING 0 700 0 3", "OBJECTSTRING 0 700 0 998")},
        "too_many_entities": {"stage/world1/stage3.lev": replace_line(
            lev, "CPLACEENTITY 900 420 1 2 20", "CPLACEENTITY 900 420 1 998 20")},
        "too_many_script_lines": {"scripts/bluesoldier.dat": kestor + b"\n" * 1000},
        "too_many_fields": {"stage/world1/stage3.lev": insert_after(
            lev, "STAGEEND 2000", "OBJECT 0 500 1" + " 0" * 36)},
        "back_layer_parallax_zero": {"stage/world1/stage3.lev": replace_line(
            lev, "OBJECTBACK 0 100 2 0", "OBJECTBACK 0 100 0 0")},
        "frameset_undefined": {"scripts/kestor.dat": replace_line(
            kestor, "BEGIN JUMP", "BEGIN JUMP\nFRAMESET 7")},
        "undefined_tile": {"stage/world1/stage3.lev": replace_line(
            lev, "OBJECT 0 500 1", "OBJECT 0 500 9")},
        "missing_music": {"REMOVED": text("bgm/theme.ogg")},
        "missing_sound": {"REMOVED": text("sound/3.wav")},
        "missing_node_stage": {"stage/world1/overworlddata.dat": text(
            "NODE 0 100 500 0 1 0 0 stage3", "NODE 1 400 500 0 0 0 0 stage9")},
        "node_stage_elsewhere": {
            "stage/world1/overworlddata.dat": text(
                "NODE 0 100 500 0 1 0 0 stage3", "NODE 1 400 500 0 0 0 0 ../../extra/bonus"),
            "extra/bonus.lev": insert_after(lev, "STAGEEND 2000", "OBJECTBACK 0 0 0 0")},
        "number_not_finite": {"scripts/kestor.dat": replace_line(kestor, "SETHP 100", "SETHP inf")},
        "launch_speed_not_finite": {"scripts/kestor.dat": replace_line(
            kestor, "ATTACKMID 20 0 10", "SETPHYSICSCONTROLANIM inf JUMP")},
        "number_too_long": {"stage/world1/stage3.lev": replace_line(
            lev, "STAGEEND 2000", "STAGEEND &H" + "F" * 300)},
        "path_leaves_folder": {"stage/world1/stage3.lev": replace_line(
            lev, "BGMNAME theme", "BGMNAME ../../secret")},
        "image_wide": {"gfx/entities/kestor.png": png(4100, 16, 4)},
        "stage_position_wraps": {"stage/world1/stage3.lev": replace_line(
            lev, "PLACEENTITY 600 420 0", "PLACEENTITY 40000 420 0")},
        "stage_end_short": {"stage/world1/stage3.lev": replace_line(
            lev, "STAGEEND 2000", "STAGEEND 800")},
        "floor_band_inverted": {"stage/world1/stage3.lev": replace_line(
            lev, "VERTICALWALL 200", "VERTICALWALL -50")},
        "floor_band_off_screen": {"stage/world1/stage3.lev": replace_line(
            lev, "VERTICALWALL 200", "VERTICALWALL 900")},
        "world_without_map": {"stage/worlds.dat": text("WORLD world1", "WORLD world9")},
        "height_past_range": {"scripts/kestor.dat": replace_line(
            kestor, "HEIGHT 100", "HEIGHT 3000000000")},
        "width_past_range": {"scripts/kestor.dat": replace_line(kestor, "WIDTH 60", "WIDTH 1e10")},
        "knock_speed_past_range": {"scripts/kestor.dat": replace_line(
            kestor, "ATTACKMID 20 0 10", "ATTACKKNOCKHIGH 20 0 10 -3000000000 5")},
        "shake_past_range": {"scripts/kestor.dat": insert_after(
            kestor, "ATTACKMID 20 0 10", "SCREENSHAKEY -3000000000")},
        "loop_held_for_a_year": {"scripts/kestor.dat": replace_line(
            kestor, "LOOPSTART 6", "LOOPSTART 2000000000")},
        "parallax_past_range": {"stage/world1/stage3.lev": replace_line(
            lev, "OBJECTFORE 0 740 2 1", "OBJECTFORE 0 740 100000000 1")},
        "offset_past_range": {"gfx/entities/crate.off": text("OFFSET 1e308 -16", "OFFSET -8 -16")},
        "node_past_range": {"stage/world1/overworlddata.dat": text(
            "NODE 0 100 500 0 1 0 0 stage3", "NODE 1 -3000000000 500 0 0 0 0 stage3")},
        "byte_order_mark": {"scripts/kestor.dat": b"\xef\xbb\xbf" + kestor},
        "nul_byte": {"scripts/kestor.dat": kestor.replace(b"\nSTOP\n", b"\nSTOP\x00\n", 1)},
        "end_of_file_mark": {"scripts/kestor.dat": kestor.replace(b"\nSTOP\n", b"\nSTOP\n\x1a", 1)},
        # warnings
        "keyword_case": {"scripts/kestor.dat": insert_after(kestor, "BEGIN STAND", "Frameset 0")},
        "keyword_misspelt": {"scripts/kestor.dat": insert_after(kestor, "BEGIN STAND",
                                                                "FRAMSET 0")},
        "two_spaces": {"stage/world1/stage3.lev": replace_line(
            lev, "VERTICALWALL 200", "VERTICALWALL  200")},
        "tab_separator": {"scripts/kestor.dat": replace_line(kestor, "LOOPSTART 6",
                                                             "LOOPSTART\t6")},
        "offsets_count_differs": {"gfx/entities/crate.off": offsets(3)},
        "statistic_after_section": {"scripts/kestor.dat": insert_after(
            kestor, "SETHP 100", "", "WEIGHT 2")},
        "short_music": {"bgm/theme.ogg": SHORT_OGG},
        "undecodable_sound": {"sound/2.wav": b"RIFF1234WAVEnot really"},
        "unused_frames": {"gfx/entities/bluesoldier.spr": TWO_FRAMES + frames(
            (0, 0, 4, 4), (4, 0, 8, 4)), "gfx/entities/bluesoldier.off": offsets(4)},
        "sound_slot_never_loaded": {"scripts/kestor.dat": insert_after(
            kestor, "ATTACKMID 20 0 10", "PLAYGAMESOUND 7")},
        "opponent_too_narrow": {"scripts/thug.dat": replace_line(kestor, "WIDTH 60",
                                                                 "WIDTH 30")},
        "no_floor_band": {"stage/world1/stage3.lev": replace_line(lev, "VERTICALWALL 200", "")},
        "effect_offsets_gap": {"gfx/entities/globals.off": text("", "OFFSET -8 -16")},
        "prop_stays_down": {"scripts/crate.dat": replace_line(
            base["scripts/crate.dat"], "LOOPSTART 8", "STOP")},
        # the genre's moves
        "unknown_item": {"scripts/kestor.dat": insert_after(
            kestor, "BEGIN DIE", "DROPITEM CAKE")},
        "item_drop_without_destroy": {"scripts/crate.dat": insert_after(
            base["scripts/crate.dat"], "BEGIN DAMAGE", "DROPITEM FOOD")},
        "moves_block_missing": {"scripts/kestor.dat": kestor + text(*sum(
            (["BEGIN " + name, "FRAMESET 0", "LOOPSTART 4", "LOOPEND", "END"] for name in MOVE_BLOCKS
             if name != "KNIFETHROW"), []))},
    }


def write(folder, files):
    shutil.rmtree(folder, ignore_errors=True)
    for path, data in files.items():
        full = os.path.join(folder, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as out:
            out.write(data)


if __name__ == "__main__":
    LONG_OGG = open(sys.argv[1], "rb").read()
    SHORT_OGG = open(sys.argv[2], "rb").read()
    base = clean()
    write(os.path.join(HERE, "clean"), base)
    shutil.rmtree(os.path.join(HERE, "cases"), ignore_errors=True)
    for name, files in cases(base).items():
        write(os.path.join(HERE, "cases", name), files)

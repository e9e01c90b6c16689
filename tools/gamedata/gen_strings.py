#!/usr/bin/env python3
"""Writes resources/strings.txt, the game's string table, from the readable tables below.

Run by hand from the repository root (the build does not run it):

    python3 tools/gamedata/gen_strings.py            # writes resources/strings.txt
    python3 tools/gamedata/gen_strings.py --report   # also prints the level table
    python3 tools/gamedata/gen_strings.py --check    # only says whether strings.txt is current

The output is deterministic. Every game-data entry is a quoted comma list; lines starting with
'#' are comments that the embedder skips. The tables here hold:

  ANIMS    animation lists per plane type       ids 101-273
  PATHS    movement paths 1-174                 ids 281-454
  levels   the 13 level scripts                 ids 471-483
  pools    random-game type, path, pickup lists ids 491-500, 501-524, 531-540
  SPLICE   the harder-difficulty extras         ids 541-553, 561-573, 581-593

Sprite-sheet frame plans (what the animations below expect the art to show) are written next
to each type's animations.
"""
import math
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
OUT = ROOT / "resources" / "strings.txt"

# ---------------------------------------------------------------------------------------------
# Plane types: (width, height, frames in sheet, is boss).  Anim tables: which type's table a
# type shows after loading (own data or a copy).
# ---------------------------------------------------------------------------------------------
TYPES = {
    1: (67, 55, 13, False), 2: (67, 55, 13, False), 3: (67, 55, 13, False), 4: (67, 55, 13, False),
    5: (79, 75, 24, False), 6: (79, 75, 24, False), 7: (78, 78, 24, False), 8: (58, 55, 16, False),
    9: (137, 95, 9, True), 10: (114, 76, 9, True), 11: (75, 43, 9, False), 12: (81, 76, 13, False),
    13: (110, 60, 11, False), 14: (213, 102, 11, True), 15: (119, 111, 13, False),
    16: (155, 74, 26, True), 17: (73, 71, 24, False), 18: (136, 96, 9, False),
    19: (164, 138, 13, True), 20: (197, 194, 11, False), 21: (116, 40, 9, False),
    22: (102, 82, 17, False), 23: (81, 76, 13, False), 24: (310, 66, 5, True),
    25: (353, 191, 5, True), 26: (24, 57, 11, False), 27: (24, 57, 11, False),
    28: (105, 30, 14, True), 29: (37, 11, 10, True), 30: (37, 11, 10, True),
    31: (105, 30, 14, True), 32: (33, 38, 9, False), 33: (77, 60, 9, False),
    34: (58, 60, 13, False), 35: (81, 79, 20, True), 36: (94, 63, 11, False),
    37: (79, 66, 9, True), 38: (124, 77, 7, True), 39: (120, 40, 11, True),
    40: (103, 43, 11, False), 41: (36, 38, 11, False), 42: (66, 64, 13, False),
    43: (430, 84, 11, True), 44: (27, 47, 7, False), 45: (119, 111, 13, False),
    46: (136, 96, 10, True), 47: (12, 35, 10, True), 48: (66, 64, 13, False),
    49: (190, 138, 13, True), 50: (145, 137, 13, True), 51: (100, 99, 13, True),
}
for _t in range(52, 64):
    TYPES[_t] = (40, 26, 16, False)

TABLE_OF = {t: t for t in TYPES}
for _tgt, _src in [((2, 3, 4, 9, 10, 11, 18, 21, 37), 1), ((6, 7, 17), 5), ((14, 36, 38, 40), 13),
                   ((23,), 12), ((25,), 24), ((34,), 19), ((45,), 15), ((48, 49, 50, 51), 42),
                   (tuple(range(53, 64)), 52)]:
    for _t in _tgt:
        TABLE_OF[_t] = _src

PICKUP_TEXT = {t: t + 35 for t in range(52, 64)}  # script text writes pickups as 87..98

# ---------------------------------------------------------------------------------------------
# Animations.  Shared vocabulary of animation numbers, so that one path can be flown by many
# plane types:
#   1 cruise   2 falling (frames Anim(2,1)..+3 then Anim(2,4))   3 climb   4 dive   5 bank/turn
#   6 tumble (shown by the death path)   22 glide   23 hard climb   24 hard dive
#   8 spin, 10 roll, 12 loop: manoeuvres (no fire, no propeller) of the agile fighters
#   25 / 29 type 19 with its guns shut   25 type 22 on the ground (rotor stopped)
#   31-35 long cycles that only types with their own tables use
# ---------------------------------------------------------------------------------------------
def r(a, b):
    return list(range(a, b + 1)) if a <= b else list(range(a, b - 1, -1))

ANIMS = {}  # (type, anim) -> frames
ANIM_NAMES = {1: "cruise", 2: "falling", 3: "climb", 4: "dive", 5: "bank or turn", 6: "tumble",
              8: "spin", 10: "roll", 12: "loop", 22: "glide", 23: "hard climb", 24: "hard dive",
              25: "guns shut / on the ground", 29: "guns shut, diving"}

def anims(t, plan, table):
    """plan: frame layout of the type's sheet (documentation); table: {anim: frames}."""
    for a, frames in table.items():
        ANIMS[(t, a)] = list(frames)

anims(1, "1 level, 2 climb, 3 dive, 4 bank up, 5 bank down, 6-9 hit and falling, 10-13 roll "
         "(only types 1-4 roll: the bosses and planes sharing this table have 9 frames)", {
    1: [1], 2: [6, 7, 8, 9], 3: [2], 4: [3], 5: [1, 4, 4, 1, 5, 5], 6: [7, 8, 9, 8],
    22: [1, 1, 1, 2, 1, 1, 1, 3], 23: [2, 4, 2, 4], 24: [3, 5, 3, 5], 10: [10, 11, 12, 13]})
anims(5, "1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13-20 loop, 21-24 roll", {
    1: r(1, 4), 2: [9, 10, 11, 12, 12, 11, 10, 9], 3: [5, 6], 4: [7, 8],
    5: [1, 2, 5, 6, 1, 2, 7, 8], 6: [10, 11, 12, 11, 10, 9, 10, 11], 22: [1, 1, 2, 2, 3, 3, 4, 4],
    23: [5, 6, 5, 6, 6], 24: [7, 8, 8], 10: r(21, 24) * 2, 12: r(13, 20)})
anims(8, "1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13-16 spin", {
    1: r(1, 4), 2: [9, 10, 11, 12, 12, 11], 3: [5, 6], 4: [7, 8], 5: [1, 2, 3, 4, 5, 7],
    6: [10, 11, 12, 11, 10, 9], 22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 6, 6], 24: [7, 8, 8],
    8: [13, 14, 15, 16, 13, 14], 31: [1, 2, 3, 4, 13, 14, 15, 16, 4, 3, 2, 1]})
anims(12, "1-3 cruise, 4 climb, 5 dive, 6-9 falling, 10-13 turning away after a shot", {
    1: r(1, 3), 2: r(6, 9), 3: [4], 4: [5], 5: r(10, 13), 6: [7, 8, 9, 8],
    22: [1, 1, 2, 2, 3, 3], 23: [4, 4, 1], 24: [5, 5, 1]})
anims(13, "1-3 floating, 4-7 falling, 8-11 turning (type 38 shares this table and has only "
          "7 frames: every animation it flies stays within 1-7)", {
    1: [1, 2, 3, 2], 2: r(4, 7), 3: [1, 2], 4: [3, 2], 5: r(8, 11), 6: [5, 6, 7, 6],
    22: [1, 1, 2, 2, 3, 3, 2, 2], 23: [8, 9], 24: [10, 11]})
anims(15, "1-3 cruise, 4 climb, 5 dive, 6-9 falling, 10-13 bomb bay open", {
    1: [1, 2, 3, 2], 2: r(6, 9), 3: [4], 4: [5], 5: r(10, 13), 6: [7, 8, 9, 8],
    22: [1, 1, 2, 2, 3, 3], 23: [4, 4, 10], 24: [5, 5, 11]})
anims(16, "1-4 cruise, 5-8 climb, 9-12 dive, 13-16 falling, 17-26 charging", {
    1: r(1, 4), 2: [13, 14, 15, 16, 16], 3: r(5, 8), 4: r(9, 12), 5: r(17, 20),
    6: [14, 15, 16, 15], 22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 6, 7, 8, 8, 8],
    24: [9, 10, 11, 12, 12, 12],
    31: r(1, 4) + r(17, 26) + r(26, 17) + r(4, 1) + [1, 1, 2, 2, 3, 3],  # 34 frames
    32: r(17, 26)})
anims(19, "1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13 hatches shut", {
    1: r(1, 4), 2: r(9, 12), 3: [5, 6], 4: [7, 8], 5: [1, 2, 3, 4, 13], 6: [10, 11, 12, 11],
    22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 6, 6], 24: [7, 8, 8],
    25: [13, 5, 6, 13], 29: [13, 7, 8, 13]})
anims(20, "1-4 idling, 5-8 hit and shaking, 9-11 leaving", {
    1: [1, 2, 3, 4, 3, 2], 3: r(5, 8), 4: [9, 10, 11, 10], 5: [1, 1, 2, 2, 3, 3, 4, 4]})
anims(22, "1-4 flying, 5-6 climb, 7-8 dive, 9-12 falling, 13-17 on the ground, rotor stopped", {
    1: r(1, 4), 2: r(9, 12), 3: [5, 6], 4: [7, 8], 5: [1, 2, 3, 4, 3, 2], 6: [10, 11, 12, 11],
    22: [1, 2, 1, 2], 23: [5, 6, 6], 24: [7, 8, 8], 25: r(13, 17)})
anims(24, "1-2 sailing, 3-5 sinking", {1: [1, 2], 2: [2, 3, 4, 5], 22: [1, 1, 2, 2], 3: [1]})
anims(26, "1-6 radar turning, 7 still, 8-11 falling", {
    1: r(1, 6), 2: r(8, 11), 22: [7]})
anims(27, "1-4 aerial swaying, 5-7 sparking, 8-11 falling", {
    1: r(1, 4), 2: r(8, 11), 22: [5, 6, 7, 6]})
anims(28, "1-6 barrel sweep, 7-10 firing, 11-14 wrecked", {
    1: r(1, 6) + r(5, 2), 2: r(11, 14), 22: r(7, 10), 23: [7, 8, 9, 10, 1, 1]})
anims(29, "1-4 turning, 5-6 firing, 7-10 wrecked", {
    1: [1, 2, 3, 4, 3, 2], 2: r(7, 10), 22: [5, 6]})
anims(30, "1-4 turning, 5-6 firing, 7-10 wrecked", {
    1: [1, 2, 3, 4, 3, 2], 2: r(7, 10), 22: [5, 6]})
anims(31, "1-6 barrel sweep, 7-10 firing, 11-14 wrecked", {
    1: r(1, 6) + r(5, 2), 2: r(11, 14), 22: r(7, 10), 23: [7, 8, 9, 10, 1, 1]})
anims(32, "1-4 running, 5 kneeling to shoot, 6-9 falling", {
    1: r(1, 4), 2: r(6, 9), 3: [1, 2], 22: [5, 5, 1, 1], 23: [1, 1, 2, 2, 3, 3, 4, 4]})
anims(33, "1-4 wheels turning, 5 recoil, 6-9 wrecked", {
    1: r(1, 4), 2: r(6, 9), 22: [5, 1], 3: [1, 2, 1]})
anims(35, "1-4 cruise, 5-8 climb, 9-12 dive, 13-16 falling, 17-20 attack", {
    1: r(1, 4), 2: r(13, 16), 3: r(5, 8), 4: r(9, 12), 5: r(17, 20), 6: [14, 15, 16, 15],
    22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 6, 7, 8, 8], 24: [9, 10, 11, 12, 12],
    33: r(1, 4) * 3 + r(17, 20) * 3 + r(20, 17)})
anims(41, "1-6 rolling, 7-10 blinking, 11 armed", {
    1: r(1, 6), 2: r(7, 10), 3: [11, 10, 11, 9]})
anims(42, "1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13 flash (also the sheets of the "
          "bosses 49-51, which share this table)", {
    1: r(1, 4), 2: r(9, 12), 3: [5, 6], 4: [7, 8], 5: [1, 2, 3, 4, 13], 6: [10, 11, 12, 11],
    22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 6, 6], 24: [7, 8, 8]})
anims(43, "1-4 engines, 5-7 hatches opening, 8-11 wrecked", {
    1: r(1, 4), 2: r(8, 11), 22: [5, 6, 7, 6], 34: r(1, 4) * 2 + r(5, 7) + r(7, 5)})
anims(44, "1-3 leaping, 4-7 squashed", {1: [1, 2, 3], 2: r(4, 7), 3: [1], 4: [3]})
anims(46, "1-4 cruise, 5-6 attack, 7-10 falling", {
    1: r(1, 4), 2: r(7, 10), 3: [1, 5], 4: [4, 6], 5: [5, 6], 6: [8, 9, 10, 9],
    22: [1, 1, 2, 2, 3, 3, 4, 4], 23: [5, 5, 1], 24: [6, 6, 4]})
anims(47, "1-6 glowing, 7-10 falling", {1: r(1, 6) + r(5, 2), 2: r(7, 10), 22: [6, 6, 1, 1]})
anims(52, "1-16 turning (every pickup sheet and the pilot)", {
    1: r(1, 16), 2: r(1, 16)[::2], 3: r(16, 1)})

# ---------------------------------------------------------------------------------------------
# Paths.  A step is (dx, dy, anim): x := x - dx (positive dx flies left), y := y + dy.  The
# follower advances before it reads, so a new object moves by step 2 first; step 1 is used
# after a restart or a chain.  end = 0 restarts the path, end = -n chains to path n.
# ---------------------------------------------------------------------------------------------
PATHS = {}  # n -> (description, steps, end)

def path(n, desc, steps, end=0):
    assert n not in PATHS, n
    assert 1 <= len(steps) <= 99, (n, len(steps))
    PATHS[n] = (desc, [tuple(s) for s in steps], end)

def seg(count, dx, dy, a):
    return [(dx, dy, a)] * count

def curve(count, fx, fy, anim):
    """Steps along a curve: fx(t), fy(t) give the distance moved left / down after t of count
    steps (t = 0..count); anim(t) names the animation of the step ending at t."""
    steps = []
    for t in range(1, count + 1):
        dx = round(fx(t)) - round(fx(t - 1))
        dy = round(fy(t)) - round(fy(t - 1))
        steps.append((dx, dy, anim(t) if callable(anim) else anim))
    return steps

def tilt(dy, level=1, up=3, down=4):
    return level if dy == 0 else (up if dy < 0 else down)

def wave(count, speed, amp, period, phase=0.0, level=1, up=3, down=4):
    """Sine wave around the start height (one full period returns to it)."""
    fy = lambda t: amp * math.sin(2 * math.pi * t / period + phase) - amp * math.sin(phase)
    steps = curve(count, lambda t: speed * t, fy, 1)
    return [(dx, dy, tilt(dy, level, up, down)) for dx, dy, _ in steps]

def arc(count, cx_speed, radius, start_deg, end_deg, anim):
    """Part of a circle flown at cx_speed drift: angles in degrees, 0 = rightmost point."""
    def pos(t):
        ang = math.radians(start_deg + (end_deg - start_deg) * t / count)
        return math.cos(ang) * radius, math.sin(ang) * radius
    x0, y0 = pos(0)
    return curve(count, lambda t: cx_speed * t - (pos(t)[0] - x0), lambda t: pos(t)[1] - y0, anim)

def ramp(count, dy_total, dx, level=1, up=3, down=4):
    """Straight slanted flight that moves dy_total vertically over count steps."""
    steps = curve(count, lambda t: dx * t, lambda t: dy_total * t / count, 1)
    return [(sx, sy, tilt(dy_total, level, up, down)) for sx, sy, _ in steps]

def ease(count, dx0, dx1, dy0=0, dy1=0, anim=1):
    """Speed changing smoothly from (dx0, dy0) to (dx1, dy1)."""
    fx = lambda t: dx0 * t + (dx1 - dx0) * t * t / (2 * count)
    fy = lambda t: dy0 * t + (dy1 - dy0) * t * t / (2 * count)
    return curve(count, fx, fy, anim)

def hold_bob(count, amp, anim=1):
    """Hovering in place: a slow vertical bob that returns to its start."""
    return [(0, dy, anim) for dx, dy, _ in wave(count, 0, amp, count)]

def orbit(count, rx, ry, anim=1):
    """A closed ellipse (returns to its start): hovering bosses."""
    fx = lambda t: rx * math.sin(2 * math.pi * t / count)
    fy = lambda t: ry * (1 - math.cos(2 * math.pi * t / count))
    return curve(count, fx, fy, anim)

# --- paths the game code itself names ---
path(1, "straight on, 7 left a frame (the default path)", [(7, 0, 1)], 1)
path(2, "death path: the tumble of a fighter shot down in a manoeuvre (only the animation "
        "column is read; anims 2 and 6 are at least as long as every manoeuvre)",
     [(0, 0, 2), (0, 0, 2), (0, 0, 6), (0, 0, 6)] * 3)
path(8, "a released pickup (its carrier shot down right of x 100): drifts down-left, falls "
        "off the bottom if missed", seg(6, 1, 2, 1) + seg(6, 0, 2, 1))
path(15, "the ejected pilot and pickups released near the left edge: a parachute drift",
     seg(8, -1, 1, 1) + seg(8, 0, 1, 1) + seg(8, -1, 2, 1))
path(38, "type 12 after each shot (and its pickup): banks away up and left",
     seg(4, 5, 0, 5) + seg(20, 6, -2, 5) + seg(10, 7, -3, 23))
path(55, "death path of the bombers 15 and 45 (animation column only)",
     [(0, 0, 2), (0, 0, 2), (0, 0, 6), (0, 0, 6)] * 3)
path(78, "the level-start object: glides in and waits (then path 79)",
     seg(36, 5, 0, 1) + ease(10, 5, 0, anim=5), -79)
path(79, "the level-start object waiting to be shot: bobs in place, never leaves",
     hold_bob(48, 12, 5))
path(80, "the level-start object after its hit: backs off to the right and away",
     seg(6, 0, 0, 3) + ease(20, -1, -10, 0, 4, anim=4) + seg(10, -12, 4, 4))
path(137, "a jumper thrown from the mothership: leaps, then drops past the player",
     curve(60, lambda t: 2.5 * t, lambda t: -4 * t + 0.22 * t * t, 1), -136)
path(136, "a jumper still falling: drops off the bottom", [(2, 10, 1)])
path(139, "falling in from the top at a random x, drifting left", seg(10, 1, 3, 1) + seg(10, 0, 3, 1))
path(151, "a pickup towed behind its plane (linked, not carried)", wave(48, 4, 10, 48))
path(152, "falling in from the top at a random x, swaying",
     [(dx, dy + 3, 1) for dx, dy, _ in wave(64, 1, 14, 32)])
path(170, "a boss stage parked above the play area: never moves", seg(4, 0, 0, 1))
path(173, "standing still (what the fortress parts do once in place)", seg(4, 0, 0, 1))

# --- ordinary flight ---
path(3, "slow glide", seg(8, 3, 0, 22))
path(4, "straight on at cruise speed", seg(4, 5, 0, 1))
path(5, "fast straight pass", seg(4, 7, 0, 1))
path(6, "very fast straight dash", seg(4, 9, 0, 1))
path(7, "gentle wave", wave(48, 4, 30, 48))
path(9, "deep wave (the heavy fighters' default)", wave(64, 4, 60, 64))
path(10, "quick wave", wave(40, 6, 40, 40))
path(11, "level flight, then a dive to the lower half (path 4 after)",
     seg(30, 5, 0, 1) + ramp(30, 120, 5, down=24), -4)
path(12, "level flight, then a climb to the upper half (path 4 after)",
     seg(30, 5, 0, 1) + ramp(30, -120, 5, up=23), -4)
path(13, "swoop: dips 110 pixels and climbs back", seg(20, 5, 0, 1) + wave(60, 5, -110, 120, math.pi))
path(14, "hump: climbs 110 pixels and sinks back", seg(20, 5, 0, 1) + wave(60, 5, 110, 120, math.pi))
path(16, "zigzag", seg(16, 5, 3, 4) + seg(16, 5, -3, 3))
path(17, "loop-the-loop (fighters with the loop frames only), then a fast exit (path 5)",
     seg(24, 5, 0, 1) + arc(24, 5, 45, 90, 450, 12) + seg(10, 6, 0, 1), -5)
path(18, "fast pass with a barrel roll in the middle (path 5 after)",
     seg(30, 6, 0, 1) + seg(4, 6, 0, 10) + seg(4, 6, 0, 10) + seg(10, 6, 0, 1), -5)
path(19, "zigzag with spins at the turns (type 8 only)",
     seg(14, 5, 3, 4) + seg(6, 5, 0, 8) + seg(14, 5, -3, 3) + seg(6, 5, 0, 8))
path(21, "dash in, hover and fire, then dash out (path 6 after)",
     seg(24, 6, 0, 1) + ease(10, 6, 0) + hold_bob(40, 10) + ease(12, 0, 9, anim=24), -6)
path(22, "flies in, then turns back and leaves to the right",
     seg(50, 5, 0, 1) + ease(16, 5, -6, anim=5) + seg(30, -7, 0, 1))
path(23, "heavy bomber cruise: slow with a faint sway", wave(96, 3, 12, 96))
path(24, "bomber descending slowly", seg(20, 3, 0, 1) + seg(20, 3, 1, 4))
path(25, "S-bend: down, then up", seg(10, 5, 0, 1) + wave(80, 5, 60, 80))
path(26, "staircase down", seg(14, 5, 0, 1) + seg(8, 5, 4, 4))
path(27, "staircase up", seg(14, 5, 0, 1) + seg(8, 5, -4, 3))
path(28, "steep dive from above, then level off (path 4 after)",
     seg(6, 3, 6, 24) + ramp(30, 120, 4, down=4) + ease(12, 4, 5, 3, 0), -4)
path(29, "steep climb from below, then level off (path 4 after)",
     seg(6, 3, -6, 23) + ramp(30, -120, 4, up=3) + ease(12, 4, 5, -3, 0), -4)
path(30, "wide weave", wave(80, 6, 80, 80))
path(32, "blimp drift", seg(6, 2, 0, 22))
path(33, "blimp drifting down", seg(4, 2, 0, 22) + seg(4, 2, 1, 22))
path(34, "blimp drifting up", seg(4, 2, 0, 22) + seg(4, 2, -1, 22))
path(35, "skimmer: fast with a quick flutter", wave(20, 8, 6, 20))
path(36, "scissor from above: crosses down the screen", seg(10, 6, 0, 1) + seg(30, 6, 3, 4))
path(37, "scissor from below: crosses up the screen", seg(10, 6, 0, 1) + seg(30, 6, -3, 3))
path(39, "flies in and circles once, then goes on (path 4 after)",
     seg(30, 5, 0, 1) + arc(36, 5, 50, 90, 450, 5) + seg(6, 5, 0, 1), -4)
path(40, "accelerating run", ease(40, 2, 10), -6)
path(41, "slows to a stop, then climbs away out of the top",
     ease(30, 6, 1) + hold_bob(20, 6) + ease(20, 0, 4, 0, -8, anim=23) + seg(10, 4, -8, 23))
path(42, "pop-up attack: low run, sharp climb, level off (path 4 after)",
     seg(30, 6, 0, 1) + ramp(16, -96, 4, up=23) + seg(10, 5, 0, 1), -4)
path(44, "wide zigzag", seg(20, 5, 5, 24) + seg(20, 5, -5, 23))
path(45, "V: dives in from above and pulls up (path 5 after)",
     ramp(30, 120, 6, down=24) + ramp(30, -120, 6, up=23), -5)
path(46, "inverted V: climbs in from below and pushes over (path 5 after)",
     ramp(30, -120, 6, up=23) + ramp(30, 120, 6, down=24), -5)
path(47, "slow wave of the gunships", wave(72, 3, 40, 72))
path(49, "hopping along", curve(16, lambda t: 3 * t, lambda t: -0.75 * t * (16 - t) / 4, 1))
path(50, "fast dive to the ground and away to the left (path 5 after)",
     seg(16, 5, 0, 1) + ramp(20, 160, 6, down=24) + ease(10, 6, 8, 6, 0), -5)
path(51, "rising hook: climbs and curls back to level (path 5 after)",
     seg(16, 5, 0, 1) + arc(30, 5, 60, 90, 180, 3), -5)
path(52, "sinking hook: dives and curls back to level (path 5 after)",
     seg(16, 5, 0, 1) + arc(30, 5, 60, 270, 180, 4), -5)
path(53, "circling spiral down (path 4 after)",
     seg(20, 5, 0, 1) + arc(30, 4, 40, 90, 450, 5) + seg(10, 5, 2, 4), -4)
path(54, "slow descending weave", [(dx, dy + (1 if i % 2 else 0), a) for i, (dx, dy, a) in enumerate(wave(48, 4, 24, 48))])
path(56, "slow climbing weave", [(dx, dy - (1 if i % 2 else 0), a) for i, (dx, dy, a) in enumerate(wave(48, 4, 24, 48))])
path(57, "swooping pass: a hump and a dip (path 5 after)",
     wave(90, 5, 70, 90), -5)
path(58, "fast climb out of the top", seg(12, 6, 0, 1) + seg(10, 6, -6, 23))
path(59, "fast dive out of the bottom", seg(12, 6, 0, 1) + seg(10, 6, 6, 24))
path(60, "hesitating fighter: stop-and-go", seg(12, 6, 0, 1) + ease(10, 6, 0) + seg(10, 0, 0, 5)
     + ease(10, 0, 7))
path(61, "barrel-roll weave (fighters with roll frames)", wave(40, 6, 30, 40)[:20] + seg(8, 6, 0, 10)
     + wave(40, 6, 30, 40)[20:] + seg(8, 6, 0, 10))
path(62, "loop at the far right, then a long shallow dive (fighters with the loop frames only)",
     seg(10, 5, 0, 1) + arc(24, 4, 40, 90, 450, 12) + ramp(40, 60, 6, down=4), -5)

# --- bosses and their parts ---
path(20, "first boss plane: glides in, then hovers in a slow oval (path 81)",
     seg(50, 4, 0, 1) + ease(16, 4, 0, anim=22), -81)
# Path 20 takes type 9 bosses in at heights from 0 to 300 (the harder level 5 adds one at 300):
# the hover circles around the height it came in at, so the one at the bottom edge rises into
# the guns' reach every round instead of sinking below the play area.
path(81, "first boss plane hovering: oval around its height, closing in and backing off",
     curve(96, lambda t: 60 * (1 - math.cos(2 * math.pi * t / 96)),
           lambda t: -35 * math.sin(2 * math.pi * t / 96), 1))
path(31, "second boss plane: sweeps in high, then weaves (path 82)",
     seg(30, 5, 0, 1) + ramp(30, 40, 4, down=4) + ease(10, 4, 0), -82)
path(82, "second boss plane weaving in place", orbit(80, 60, 50, 22))
path(43, "blimp from the top edge: sinks into view while drifting", seg(30, 2, 2, 22) + seg(30, 2, 0, 22))
path(48, "big blimp: drifts in and hangs in the air (path 85)",
     seg(60, 3, 0, 22) + ease(20, 3, 0, anim=22), -85)
path(85, "big blimp hanging in the air, turning now and then", hold_bob(80, 20, 22)[:60] + seg(20, 0, 0, 5))
path(63, "boss from the top: dives into play, then patrols (path 64... 66)",
     seg(20, 4, 5, 24) + ramp(30, 60, 4, down=4) + ease(10, 4, 0), -66)
path(64, "boss from the bottom edge: climbs into play, then patrols (path 66)",
     seg(20, 4, -5, 23) + ramp(30, -100, 4, up=3) + ease(10, 4, 0), -66)
path(65, "boss from below the bottom edge: climbs into play, then patrols (path 66)",
     seg(24, 4, -5, 23) + ramp(30, -110, 4, up=3) + ease(10, 4, 0), -66)
path(66, "boss patrol: a wide oval with charges", orbit(96, 120, 60, 1)[:48] +
     [(dx, dy, 5) for dx, dy, _ in orbit(96, 120, 60, 1)[48:]])
path(67, "boss entering at mid height, then patrols (path 66)",
     seg(40, 5, 0, 1) + ease(10, 5, 0), -66)
path(83, "heavy boss: drifts in, then slow sweeps up and down, edging left; shuts its "
         "hatches while turning (path 91)",
     seg(30, 4, 0, 1) + ease(10, 4, 0), -91)
path(91, "heavy boss sweeping: 160 pixels down and up, a quarter pixel left a frame",
     [(dx, dy, 1 if abs(dy) >= 2 else (25 if dy <= 0 else 29))
      for dx, dy, _ in curve(96, lambda t: 0.25 * t, lambda t: 80 * (1 - math.cos(2 * math.pi * t / 96)), 1)])
# The diver circles well inside the play area: shots only hit it left of x 612, and it is 81
# wide, so its circle (x 329 to 529, y 20 to 180) keeps all of it on the screen, and at about
# 5 pixels a frame up or down it can be followed with the guns.
path(109, "diving boss from the top: swoops down into the play area, then circles (path 94)",
     seg(16, 5, 6, 24) + arc(30, 6, 60, 90, 0, 4), -94)
path(94, "diving boss circling", orbit(96, 100, 80, 1)[:48] + [(dx, dy, 5) for dx, dy, _ in orbit(96, 100, 80, 1)[48:]])
path(118, "twin guard, upper: closes in and circles above the core (path 95)",
     seg(40, 5, 0, 1) + ease(10, 5, 0), -95)
path(95, "twin guard circling", orbit(64, 50, 30, 1))
path(119, "twin core: slides in behind the guards and holds, swaying (path 96)",
     seg(30, 4, 0, 1) + ease(16, 4, 0), -96)
path(96, "twin core holding", hold_bob(64, 16, 1))
path(120, "twin guard, lower: closes in and circles below the core (path 97)",
     seg(36, 5, 0, 1) + ease(10, 5, 0), -97)
path(97, "twin guard circling the other way", [(-dx, dy, a) for dx, dy, a in orbit(64, 50, 30, 1)])
path(125, "twin core after its guard fell: lighter, drifts left while bobbing",
     wave(64, 1, 30, 64))
path(127, "revived first guard: wild sweeps, edging left", wave(80, 2, 70, 80, level=22))
path(128, "revived other guards: sweeps the other way, edging left", wave(80, 2, -70, 80, level=22))
path(140, "heavy gunship: slides in, then rocks below its entry height (path 98)",
     seg(50, 4, 0, 1) + ease(12, 4, 0), -98)
path(98, "heavy gunship holding: never above its entry height", orbit(80, 40, 40, 22))
path(141, "shield generator: keeps station with the gunship (path 99)",
     seg(50, 4, 0, 1) + ease(12, 4, 0), -99)
path(99, "shield generator holding", orbit(80, 40, 40, 1))
path(142, "mothership: crawls in along the top and hangs there (path 100)",
     seg(60, 3, 0, 1) + ease(20, 3, 0, anim=22), -100)
path(100, "mothership hanging, hatches opening", hold_bob(64, 6, 22)[:32] + hold_bob(64, 6, 34)[32:])
# The three-stage boss also flies over the last stage's fortress (at x 259 to 612, solid from
# y 238 down and with its superstructure from x 373 on): its circle stays high and left of the
# superstructure, where straight shots reach it, on level 10 as on the last stage.
path(162, "the three-stage boss: drops in from above and sweeps to the left (path 163)",
     seg(30, 10, 4, 4) + ease(14, 10, 0, 4, 0), -163)
path(163, "the three-stage boss circling high in the left half of the play area", orbit(96, 80, -50, 1))

# --- fortresses (level 6 and the last stage) ---
# The hull and every part fly in at 5 pixels a frame and stop after a fixed number of moves,
# so each ends at 624 - 5 x moves whatever its spawn time.  A part spawned ahead of its place
# waits first, so it enters in step with the hull.  The waits and move counts are computed
# from the scripts (see fortress()).

# --- ground ---
path(84, "ground vehicle rolling along the bottom", seg(8, 3, 0, 1))
path(93, "ground vehicle: rolls, stops to fire, rolls on", seg(30, 3, 0, 1) + seg(20, 0, 0, 22) + seg(10, 4, 0, 1))
path(86, "helicopter landed on the ground, then lifts off and leaves",
     seg(40, 3, 0, 25) + seg(10, 3, -1, 3) + seg(30, 4, -4, 23) + seg(10, 6, -6, 23))
path(87, "low run along the bottom", seg(8, 4, 0, 22))
path(88, "low run, hopping over the ground", wave(40, 4, -10, 40, level=22))
path(101, "runner: ground troops dashing along the bottom", seg(8, 4, 0, 1))
path(103, "ground troops: run, kneel to fire, run", seg(24, 3, 0, 1) + seg(12, 2, 0, 22) + seg(12, 4, 0, 1))
path(105, "cart trundling over rough ground", seg(6, 3, 0, 3) + seg(6, 3, 0, 1))
path(106, "mine rolling along the bottom, faster", seg(8, 5, 0, 1))

# --- lower- and upper-half flight (the random game moves the height for some) ---
path(89, "dive-bomber swoop: drops 150 pixels and pulls up level (path 5 after)",
     seg(12, 5, 0, 1) + ramp(30, 150, 5, down=24) + ease(10, 5, 6, 5, 0), -5)
path(90, "climber from the lower half: rises 150 pixels over the screen (path 4 after)",
     seg(20, 5, 0, 1) + ramp(50, -150, 5, up=3), -4)
path(92, "lower-half weave", wave(60, 5, 35, 60))
path(104, "dropper from above the top: falls into view and levels off (path 4 after)",
     seg(30, 3, 5, 24) + ease(16, 3, 5, 5, 0), -4)
path(107, "lower-half climber, steep (path 5 after)", seg(16, 6, 0, 1) + ramp(26, -150, 6, up=23), -5)
path(153, "lower-half hump (path 4 after)", seg(10, 5, 0, 1) + wave(60, 5, -60, 120, math.pi)[:60], -4)
path(156, "lower-half glide", seg(8, 4, 0, 22))

# --- fill: numbered variants of the flights above, kept so each has a purpose ---
def _variants():
    # faster / slower copies used by later levels (speed grows with the levels)
    v = [
        (108, "fast gentle wave", wave(48, 6, 30, 48)),
        (110, "fast deep wave", wave(64, 6, 60, 64)),
        (111, "very fast wave", wave(40, 8, 40, 40)),
        (112, "fast zigzag", seg(12, 7, 4, 4) + seg(12, 7, -4, 3)),
        (113, "fast swoop (path 6 after)", seg(12, 7, 0, 1) + wave(50, 7, -100, 100, math.pi), -6),
        (114, "fast hump (path 6 after)", seg(12, 7, 0, 1) + wave(50, 7, 100, 100, math.pi), -6),
        (115, "fast dive (path 6 after)", seg(20, 7, 0, 1) + ramp(24, 120, 7, down=24), -6),
        (116, "fast climb (path 6 after)", seg(20, 7, 0, 1) + ramp(24, -120, 7, up=23), -6),
        (117, "fast scissor down", seg(8, 8, 0, 1) + seg(30, 8, 4, 4)),
        (121, "fast scissor up", seg(8, 8, 0, 1) + seg(30, 8, -4, 3)),
        (122, "fast stop-and-go", seg(10, 8, 0, 1) + ease(8, 8, 0) + seg(8, 0, 0, 5) + ease(8, 0, 9)),
        (123, "fast turn-back", seg(36, 7, 0, 1) + ease(14, 7, -7, anim=5) + seg(20, -8, 0, 1)),
        (124, "fast loop (fighters with the loop frames only, path 6 after)",
         seg(16, 7, 0, 1) + arc(24, 6, 45, 90, 450, 12) + seg(8, 7, 0, 1), -6),
        (126, "fast roll pass (fighters with roll frames, path 6 after)",
         seg(24, 8, 0, 1) + seg(8, 8, 0, 10) + seg(8, 8, 0, 1), -6),
        (129, "slow wave", wave(64, 3, 30, 64)),
        (130, "slow zigzag", seg(20, 3, 2, 4) + seg(20, 3, -2, 3)),
        (131, "slow dive (path 3 after)", seg(30, 3, 0, 1) + ramp(30, 90, 3), -3),
        (132, "slow climb (path 3 after)", seg(30, 3, 0, 1) + ramp(30, -90, 3), -3),
        (133, "slow swoop", seg(20, 3, 0, 1) + wave(70, 3, -80, 140, math.pi)[:70]),
        (134, "cruise, then a sudden dash (path 6 after)", seg(40, 4, 0, 1) + ease(12, 4, 9), -6),
        (135, "heavy plane low pass with the bomb bay open", seg(20, 3, 0, 1) + seg(40, 3, 0, 5) + seg(10, 3, 0, 1)),
        (138, "heavy plane climbing slowly", seg(20, 3, 0, 1) + seg(20, 3, -1, 3)),
        (143, "gunship weave, medium", wave(72, 4, 50, 72)),
        (144, "gunship swoop (path 4 after)", seg(20, 4, 0, 1) + wave(72, 4, -80, 144, math.pi)[:72], -4),
        (145, "drone swarm line: jinks up and down", seg(6, 6, 3, 4) + seg(6, 6, -3, 3)),
        (146, "drone dive-and-climb", ramp(20, 80, 6, down=24) + ramp(20, -80, 6, up=23)),
        (147, "drone climb-and-dive", ramp(20, -80, 6, up=23) + ramp(20, 80, 6, down=24)),
        (148, "drone hovering attack (path 6 after)", seg(20, 7, 0, 1) + ease(10, 7, 0) + hold_bob(30, 8, 5)
         + ease(10, 0, 9), -6),
        (149, "drone circle (path 5 after)", seg(20, 6, 0, 1) + arc(30, 6, 40, 270, -90, 5) + seg(6, 6, 0, 1), -5),
        (150, "spinning zigzag, fast (type 8 only)", seg(10, 7, 4, 4) + seg(6, 7, 0, 8) + seg(10, 7, -4, 3) + seg(6, 7, 0, 8)),
        (154, "lower-half weave, fast", wave(50, 7, 30, 50)),
        (155, "upper-half weave, fast", wave(50, 7, -30, 50)),
        (158, "dive from the top, steep and fast (path 6 after)", seg(20, 5, 8, 24) + ease(10, 5, 8, 8, 0), -6),
        (159, "climb from the bottom, steep and fast (path 6 after)", seg(20, 5, -8, 23) + ease(10, 5, 8, -8, 0), -6),
        (161, "hook down then back up (path 5 after)", seg(20, 6, 0, 1) + arc(30, 6, 40, 270, 90, 4), -5),
        (165, "cruise, then a climbing turn-back out to the right",
         seg(50, 5, 0, 1) + ease(16, 5, -6, 0, -2, anim=5) + seg(30, -7, -2, 3)),
        (166, "cruise, then a diving turn-back out to the right",
         seg(50, 5, 0, 1) + ease(16, 5, -6, 0, 2, anim=5) + seg(30, -7, 2, 4)),
        (168, "long glide with a late dive (path 5 after)", seg(60, 4, 0, 22) + ramp(20, 80, 6, down=24), -5),
    ]
    for item in v:
        path(*item)

_variants()


# ---------------------------------------------------------------------------------------------
# Following a path the way the object update does (used to place rows and to check the data).
# ---------------------------------------------------------------------------------------------
def follow(pid, frames):
    """Positions (left-moves, down-moves) after each frame for a fresh spawn on path pid."""
    step, cur, x, y, out = 1, pid, 0, 0, []
    for _ in range(frames):
        step += 1
        steps = PATHS[cur][1]
        if step > len(steps):  # the end triple
            if PATHS[cur][2] < 0:
                cur = -PATHS[cur][2]
            step = 1
            steps = PATHS[cur][1]
        dx, dy, _ = steps[step - 1]
        x += dx
        y += dy
        out.append((x, y))
    return out

def lifetime(t, pid, y, x0=624, limit=3000):
    """Frames until an unshot object of type t on path pid leaves the area (limit = never)."""
    w, h = TYPES[t][:2]
    for f, (mx, my) in enumerate(follow(pid, limit), 1):
        x, yy = x0 - mx, y + my
        if t == 47 and x > 732:
            x = 731
        if x < -10 - w or x > 732 or yy < -300 - h or yy > 430:
            return f
    return limit

def y_span(pid, frames=400):
    """Lowest and highest vertical offset reached while the object is on the screen side."""
    pts = [(mx, my) for mx, my in follow(pid, frames) if 624 - mx < 612]
    pts = pts or [(0, 0)]
    return min(p[1] for p in pts), max(p[1] for p in pts)


# ---------------------------------------------------------------------------------------------
# Fortress parts: hull first, every part spawned a few frames later; each part waits off the
# right edge until its place on the hull arrives there, then moves with the hull.
# ---------------------------------------------------------------------------------------------
FORT_SPEED = 5

def fortress_paths(moves, parts, desc):
    """parts: list of (path number, x offset on the hull, spawn frame after the hull, what) and
    optionally a lift: pixels the part rises in its first move, while it is still off the right
    edge (the guns whose script height is fixed by the harder splice climb onto the deck so)."""
    for pid, ox, t, what, *lift in parts:
        lift = lift[0] if lift else 0
        assert ox % FORT_SPEED == 0
        wait = max(0, ox // FORT_SPEED - t)
        m = moves - ox // FORT_SPEED
        steps = [(0 if wait else FORT_SPEED, 0, 1)] + seg(wait, 0, 0, 1) + seg(m, FORT_SPEED, 0, 1)
        # the first move made is step 2 (step 1 only follows a restart, which never comes)
        steps[1] = (steps[1][0], -lift, 1)
        assert 624 - (FORT_SPEED if not wait else 0) >= 612  # the climb is never seen
        up = f", climbs {lift}" if lift else ""
        path(pid, f"{desc}: {what} (waits {wait}{up}, then {m} moves with the hull; path 173 after)",
             steps, -173)


# ---------------------------------------------------------------------------------------------
# Level scripts.  A row is (delay, y, type, path): the delay is the wait before the next row.
# ---------------------------------------------------------------------------------------------
PLAY_H = 330

class Script:
    def __init__(self, level, head_delay, seed):
        import random
        self.level = level
        self.rows = [[head_delay, 0, 0, 0, "header (replaced by the level-start object)"]]
        self.rng = random.Random(seed)

    def add(self, delay, y, t, p, note=""):
        # a delay of 99 would read as the end of the script
        self.rows.append([100 if delay == 99 else delay, y, t, p, note])

    def pause(self, frames):
        self.rows[-1][0] += frames
        if self.rows[-1][0] == 99:
            self.rows[-1][0] = 100

    def fit_y(self, t, p, want=None, lo=0, hi=None):
        """A start height that keeps the object on the screen along its path."""
        h = TYPES[t][1]
        a, b = y_span(p)
        top, bottom = max(lo, -a), min(PLAY_H - h if hi is None else hi, PLAY_H - h - b)
        if top > bottom:
            top = bottom = max(lo, min(-a, PLAY_H - h - b))
        if want is None:
            return self.rng.randint(top, bottom)
        return max(top, min(bottom, want))

    def carry(self, t, p, y, pickup, gap):
        """A plane carrying a pickup: shoot the plane, catch the pickup."""
        adj = {1: -5, 2: -5, 40: -5, 11: -15, 15: 25, 45: 25, 18: 20, 22: 8, 33: 8, 23: 14}.get(t, 0)
        self.add(1, y, t, p, f"carrier of pickup {pickup}")
        self.add(gap, y + 37 + adj, PICKUP_TEXT[pickup], p, "carried pickup")

    def free_pickup(self, pickup, gap, p=139):
        self.add(gap, -40, PICKUP_TEXT[pickup], p, "pickup falling in")

    def trail(self, t, p, y, n, spacing, gap):
        for i in range(n):
            self.add(spacing if i < n - 1 else gap, y, t, p, "trail" if i == 0 else "")

    def column(self, t, p, y0, n, dy, gap, spacing=1):
        for i in range(n):
            self.add(spacing if i < n - 1 else gap, y0 + i * dy, t, p, "column" if i == 0 else "")

    def vee(self, t, p, ymid, n, spread, spacing, gap):
        order = sorted(range(n), key=lambda i: abs(i - (n - 1) / 2))
        for k, i in enumerate(order):
            y = ymid + round((i - (n - 1) / 2) * spread)
            self.add(spacing if k < n - 1 else gap, y, t, p, "vee" if k == 0 else "")

    def text(self):
        out = [f"{self.level},"]
        for d, y, t, p, _ in self.rows:
            out.append(f"{d},{y},{t},{p},")
        out.append("99,99,99,99,")
        return '"' + "".join(out) + '"'


GROUND = {21: 290, 32: 292, 33: 270, 41: 292}
PATHS_GROUND = {21: [84, 93, 87], 32: [101, 103, 84], 33: [105, 93, 84], 41: [84, 106, 93]}
SLOW = [3, 7, 9, 23, 24, 47, 129, 130, 131, 132, 133, 32]
MEDIUM = [4, 7, 9, 11, 12, 13, 14, 16, 22, 25, 26, 27, 30, 39, 44, 51, 52, 53, 54, 56, 57, 60,
          92, 143, 144, 165, 166, 168]
FAST = [5, 10, 35, 36, 37, 40, 45, 46, 58, 59, 108, 110, 111, 112, 113, 114, 115, 116, 117,
        121, 122, 123, 134, 145, 146, 147, 148, 149, 154, 155, 158, 159, 161, 21, 6]
TOP_ENTRY = {28, 104, 158}
BOTTOM_ENTRY = {29, 159}
ROLL = [18, 61, 126]          # tables with roll frames: types 1-4 and 5, 6, 7, 17
LOOP = [17, 62, 124]          # the loop frames: types 5, 6, 7, 17
SPIN = [19, 150]              # type 8 only
BLIMP = [32, 33, 34, 43]
HEAVY = [23, 24, 135, 138, 47, 143, 144, 129]

def flight_paths(t, tier):
    """Paths a plane of type t may take in a wave of the given speed tier."""
    base = {"slow": SLOW, "medium": MEDIUM, "fast": FAST}[tier]
    if t in (13, 14, 36, 38, 40) and tier != "fast":
        base = base + BLIMP
    if t in (15, 45, 18):
        base = HEAVY + ([135] if tier != "slow" else [])
    if TABLE_OF[t] == 1 and t <= 4:
        base = base + ROLL
    if TABLE_OF[t] == 5:
        base = base + ROLL + LOOP
    if t == 8:
        base = base + SPIN
    return base


def spawn_height(s, t, p):
    if p in TOP_ENTRY:
        return -TYPES[t][1] - 5
    if p in BOTTOM_ENTRY:
        return PLAY_H + 5
    return s.fit_y(t, p)


def waves(s, menu, tier, count, gap, pickups, pickup_every, sizes=(1, 4)):
    """count waves drawn from menu {type: weight}; a carried pickup every pickup_every waves."""
    rng = s.rng
    types = [t for t, w in menu.items() for _ in range(w)]
    pick = list(pickups)
    for i in range(count):
        t = rng.choice(types)
        g = rng.randint(*gap)
        if pick and i % pickup_every == pickup_every - 1:
            carriers = [c for c in types if c not in (12, 13, 21, 32, 33, 34, 41, 15, 45, 18)]
            c = rng.choice(carriers or [1])
            p = rng.choice(flight_paths(c, tier))
            y = s.fit_y(c, p, lo=0, hi=PLAY_H - 80)
            s.carry(c, p, y, pick.pop(0), g)
            continue
        if t in GROUND:
            p = rng.choice(PATHS_GROUND[t])
            n = rng.randint(1, 3)
            s.trail(t, p, GROUND[t], n, rng.randint(25, 45), g)
            continue
        if t == 22 and rng.random() < 0.4:
            s.trail(22, 86, 248, 1, 1, g)
            continue
        p = rng.choice(flight_paths(t, tier))
        n = rng.randint(*sizes)
        shape = rng.random()
        y = spawn_height(s, t, p)
        if n == 1 or t in (15, 45, 18, 13, 14):
            s.trail(t, p, y, min(n, 2), rng.randint(30, 50), g)
        elif shape < 0.45:
            s.trail(t, p, y, n, rng.randint(10, 18), g)
        elif shape < 0.7 and p not in TOP_ENTRY | BOTTOM_ENTRY:
            h = TYPES[t][1]
            ys = max(0, min(PLAY_H - h * n - 10, y))
            step = h + 8
            n = max(1, min(n, (PLAY_H - ys) // step))
            s.column(t, p, s.fit_y(t, p, ys), n, step, g, spacing=1)
        elif p not in TOP_ENTRY | BOTTOM_ENTRY:
            h = TYPES[t][1]
            s.vee(t, p, s.fit_y(t, p, 150 - h // 2), n, h + 4, rng.randint(4, 8), g)
        else:
            s.trail(t, p, y, n, rng.randint(10, 16), g)


def fill_waves(s, target_rows, *args, **kw):
    """Waves until the script holds target_rows rows, the last few as single planes."""
    menu = args[0]
    while len(s.rows) < target_rows - 8:
        waves(s, *args, **kw)
        args = (args[0], args[1], 1, args[3], [], 1) + args[6:]
        kw.pop("count", None)
    singles = [t for t in menu if t not in GROUND and t not in (15, 45, 18, 13)]
    while len(s.rows) < target_rows:
        t = s.rng.choice(singles)
        p = s.rng.choice(flight_paths(t, args[1]))
        s.add(s.rng.randint(*args[3]), spawn_height(s, t, p), t, p, "single")
    assert len(s.rows) == target_rows, (s.level, len(s.rows))


LEVELS = {}

def level1():
    s = Script(1, 30, 101)
    s.trail(1, 3, 120, 3, 30, 90)
    s.trail(1, 7, 60, 3, 30, 90)
    waves(s, {1: 3, 2: 3, 5: 2, 6: 2, 7: 1}, "slow", 30, (75, 115), [57, 56, 58, 57, 58], 6, (1, 3))
    s.pause(120)
    s.add(420, 10, 9, 20, "boss: first boss plane")
    s.trail(2, 7, 200, 2, 40, 300)
    s.trail(1, 3, 240, 2, 40, 200)
    return s

def level2():
    s = Script(2, 30, 202)
    s.trail(1, 4, 100, 4, 20, 90)
    waves(s, {1: 2, 2: 2, 3: 1, 4: 2, 5: 1, 6: 2, 8: 2, 11: 2, 17: 2}, "medium", 36, (60, 100),
          [60, 58, 56, 63, 58, 62], 6, (1, 4))
    s.pause(120)
    s.add(400, 40, 10, 31, "boss: second boss plane")
    s.trail(11, 35, 220, 3, 16, 300)
    s.trail(4, 7, 60, 2, 30, 200)
    return s

def level3():
    s = Script(3, 30, 303)
    s.trail(13, 32, 80, 2, 60, 100)
    waves(s, {12: 3, 13: 3, 23: 2, 36: 2, 2: 2, 4: 1, 8: 1, 11: 1}, "medium", 40, (55, 95),
          [58, 57, 54, 60, 63, 58], 6, (1, 4))
    s.pause(100)
    s.add(100, 190, 14, 48, "boss: big blimp, hangs low")
    s.add(100, 0, 13, 43, "a blimp sinking in from the top (harder: a second big blimp first)")
    s.trail(8, 16, 150, 3, 14, 250)
    s.trail(36, 7, 40, 2, 40, 250)
    return s

def level4():
    s = Script(4, 30, 404)
    s.trail(22, 86, 248, 2, 50, 90)
    waves(s, {15: 2, 22: 2, 21: 2, 40: 2, 13: 1, 12: 1, 17: 2, 2: 1, 4: 2, 6: 1}, "medium", 44,
          (50, 85), [59, 58, 53, 57, 60, 61, 58], 6, (1, 4))
    s.pause(120)
    s.add(320, 310, 16, 64, "boss: from the bottom edge (voice cue)")
    s.add(320, 120, 16, 67, "boss: at mid height")
    s.add(300, -10, 16, 63, "boss: from the top")
    s.trail(17, 45, -80, 2, 20, 300)
    return s

def level5():
    s = Script(5, 30, 505)
    s.trail(32, 101, 292, 3, 25, 80)
    waves(s, {18: 2, 32: 2, 33: 2, 17: 2, 2: 1, 6: 2, 8: 1, 11: 2, 40: 2, 22: 1, 21: 1}, "medium",
          48, (45, 80), [58, 60, 52, 57, 59, 63, 56, 62], 6, (2, 4))
    s.pause(120)
    s.add(150, 130, 9, 67, "boss: first boss plane (no alert here)")
    s.add(100, 200, 9, 20, "boss: second one (harder: two more above and below it)")
    s.add(350, 10, 19, 83, "boss: heavy boss, the one that sounds the alert")
    s.trail(33, 105, 270, 2, 40, 300)
    s.trail(11, 35, 40, 3, 14, 300)
    return s

LEVEL6_FORT = [  # (path, x offset on the hull, type, what, y)
    (69, 20, 28, "deck gun", 234), (70, 20, 29, "hull gun", 314), (71, 130, 27, "aft mast foot", 234),
    (72, 130, 26, "aft mast top", 177), (73, 205, 27, "main mast foot", 231),
    (74, 205, 26, "main mast top", 174), (75, 165, 31, "hull cannon", 297)]
LEVEL6_EXTRA = [(171, 270, 29, "second hull gun", 314), (172, 50, 31, "second hull cannon", 297),
                (174, 125, 30, "aft mast gun", 166)]
LEVEL6_MOVES = 66
# The hull (type 24 at y 264) is invulnerable and solid from its deck, row 32, down: a gun in
# those rows could never be hit by a straight shot, which the hull's bow takes first. The hull
# and cannon guns (29 at y 314, 31 at y 297, the harder splice fixes those heights) climb onto
# the deck: the lowest opaque row of a 29 is its row 9, of a 31 its row 28, and both end on
# row 295, just above the deck line.
LEVEL6_HULL_Y, LEVEL6_DECK = 264, 264 + 32
LEVEL6_LIFT = {29: 314 + 9 - (LEVEL6_DECK - 1), 31: 297 + 28 - (LEVEL6_DECK - 1)}

def level6():
    s = Script(6, 30, 606)
    s.trail(42, 145, 60, 4, 8, 80)
    waves(s, {11: 2, 12: 2, 42: 3, 40: 2, 22: 1, 13: 1, 36: 1, 15: 1, 45: 1, 23: 1, 6: 1}, "fast",
          50, (45, 75), [58, 59, 57, 63, 60, 53, 58], 7, (2, 4))
    s.pause(150)
    s.add(1, LEVEL6_HULL_Y, 24, 68, "boss: the battleship (not a target; sinks when its guns are gone)")
    for pid, ox, t, what, y in LEVEL6_FORT:
        s.add(1, y, t, pid, what)
    s.add(400, 163, 30, 102, "main mast gun (harder: three more guns first)")
    for i in range(6):
        s.trail(42, 145, 40 + 30 * (i % 3), 2, 10, 260)
    s.free_pickup(58, 300)
    s.trail(42, 148, 60, 2, 10, 300)
    return s

def level7():
    s = Script(7, 30, 707)
    s.trail(42, 146, 40, 5, 8, 70)
    waves(s, {42: 3, 48: 2, 34: 2, 36: 2, 40: 2, 45: 1, 18: 1, 22: 1, 33: 1, 4: 1, 6: 1, 17: 2},
          "fast", 56, (40, 70), [58, 57, 59, 61, 60, 54, 58, 63], 7, (2, 5))
    s.pause(150)
    s.add(200, -10, 35, 109, "boss: the diver (harder: two more ahead of it)")
    for i in range(4):
        s.trail(48, 145, 50 + 60 * (i % 2), 2, 12, 280)
    return s

def level8():
    s = Script(8, 30, 808)
    s.trail(8, 19, 80, 4, 12, 70)
    menu = {8: 2, 11: 2, 12: 2, 23: 1, 15: 1, 45: 1, 22: 1, 41: 2, 42: 2, 48: 2, 21: 1, 32: 1,
            36: 1, 40: 1}
    # 440 groups with the end group; 10 rows follow the filled part
    fill_waves(s, 439 - 10, menu, "fast", 90, (35, 60),
               [58, 59, 57, 52, 60, 63, 58, 54, 61, 62, 58, 53, 59, 58], 6, (2, 5))
    s.pause(150)
    s.add(1, 78, 37, 118, "boss: upper guard (harder: the whole trio twice)")
    s.add(17, 100, 38, 119, "boss: the core")
    s.add(50, 49, 37, 120, "boss: lower guard")
    s.pause(250)
    for i in range(5):
        s.trail(41, 84, 292, 1, 1, 150)
    s.free_pickup(58, 300)
    s.trail(12, 7, 100, 1, 1, 300)
    return s

def level9():
    s = Script(9, 30, 909)
    s.trail(41, 106, 292, 3, 20, 80)
    waves(s, {17: 1, 21: 2, 32: 2, 33: 2, 41: 2, 42: 2, 48: 2, 22: 1, 45: 1, 18: 1, 40: 1, 36: 1},
          "fast", 60, (35, 60), [58, 59, 57, 54, 60, 63, 58, 61, 53, 58], 6, (2, 5))
    s.pause(150)
    s.add(450, 0, 43, 142, "boss: the mothership (shielded until its generator falls)")
    s.trail(42, 155, 180, 3, 10, 300)
    s.add(9, 55, 46, 140, "boss: heavy gunship (harder: the heavy boss first)")
    s.add(300, 160, 47, 141, "boss: shield generator flying with the gunship")
    for i in range(4):
        s.trail(48, 154, 200, 2, 12, 260)
    s.free_pickup(58, 300)
    return s

def level10():
    s = Script(10, 30, 1010)
    s.trail(48, 145, 50, 5, 6, 60)
    menu = {6: 1, 8: 1, 11: 1, 17: 1, 18: 1, 22: 1, 40: 1, 41: 2, 42: 2, 45: 1, 48: 2, 21: 1,
            33: 1, 32: 1, 36: 1, 23: 1, 15: 1, 12: 1}
    # 441 groups with the end group; 17 rows follow the filled part
    fill_waves(s, 440 - 17, menu, "fast", 80, (28, 50),
               [58, 59, 57, 52, 60, 63, 58, 54, 61, 62, 58, 53, 59, 58, 56], 6, (2, 6))
    s.pause(150)
    s.add(5, -20, 49, 162, "boss: first stage of the three-stage boss")
    s.add(5, -138, 50, 170, "boss: second stage, parked until the first falls")
    s.add(80, -100, 51, 170, "boss: third stage, parked until the second falls")
    s.pause(300)
    for i in range(6):
        s.trail(42, 146, 40 + 40 * (i % 3), 2, 10, 240)
    s.free_pickup(58, 300)
    s.free_pickup(58, 300)
    return s

def level11():
    s = Script(11, 30, 1111)
    s.trail(11, 35, 60, 4, 10, 60)
    menu = {6: 1, 11: 2, 17: 2, 42: 2, 48: 2, 40: 1, 8: 1}
    waves(s, menu, "fast", 20, (35, 60), [58, 59, 60], 6, (2, 5))
    s.pause(120)
    s.add(350, 20, 9, 20, "boss: first boss plane again")
    waves(s, menu, "fast", 3, (60, 80), [], 9, (2, 3))
    s.add(350, 150, 10, 31, "boss: second boss plane again")
    waves(s, menu, "fast", 3, (60, 80), [58], 3, (2, 3))
    s.add(350, 200, 14, 48, "boss: big blimp again")
    waves(s, menu, "fast", 3, (60, 80), [], 9, (2, 3))
    s.add(300, 40, 16, 67, "boss: charging boss again")
    waves(s, menu, "fast", 3, (60, 80), [58], 3, (2, 3))
    s.add(200, 10, 19, 83, "boss: heavy boss (harder: two more above and below)")
    for i in range(5):
        s.trail(42, 145, 60 + 50 * (i % 3), 2, 10, 260)
    return s

def level12():
    s = Script(12, 60, 1212)
    menu = {8: 1, 11: 1, 12: 2, 41: 2, 42: 2, 48: 2, 40: 1, 22: 1}
    waves(s, menu, "fast", 18, (35, 60), [58, 57], 8, (2, 5))
    s.pause(100)
    s.add(1, 78, 37, 118, "boss: upper guard")
    s.add(17, 100, 38, 119, "boss: the core")
    s.add(250, 49, 37, 120, "boss: lower guard")
    waves(s, menu, "fast", 3, (60, 90), [], 9, (2, 3))
    s.add(100, -40, 88, 139, "rain pickup falling in (harder: the second boss plane first)")
    waves(s, menu, "fast", 3, (60, 90), [58], 2, (2, 3))
    s.add(300, -10, 35, 109, "boss: the diver again")
    for i in range(5):
        s.trail(48, 146, 60 + 50 * (i % 3), 2, 10, 260)
    return s

# The fortress (type 25 at y 139) is solid from its bow deck, row 94, down; the lower bow gun
# (a 30, lowest opaque row 9) stands on that deck, in front of the superstructure.
LEVEL13_FORT = [(76, 10, 29, "side gun", 200), (77, 10, 30, "lower bow gun", 139 + 93 - 9),
                (157, 40, 28, "roof gun", 109), (160, 160, 27, "antenna foot", 82),
                (164, 160, 26, "antenna top", 25), (167, 220, 31, "roof cannon", 109)]
LEVEL13_MOVES = 73

def level13():
    s = Script(13, 80, 1313)
    s.add(1, 139, 25, 169, "boss: the fortress (not a target; falls with the last target)")
    for pid, ox, t, what, y in LEVEL13_FORT:
        s.add(1 if pid != 167 else 300, y, t, pid, "boss: " + what if TYPES[t][3] else what)
    menu = {11: 1, 42: 2, 48: 2, 40: 1, 17: 1}
    waves(s, menu, "fast", 6, (80, 110), [58], 3, (2, 3))
    s.add(9, 54, 46, 140, "boss: heavy gunship (harder: the three-stage boss first)")
    # the generator keeps above the gunship and the fortress, where straight shots reach it
    s.add(300, 5, 47, 141, "boss: shield generator flying high above the gunship")
    waves(s, menu, "fast", 3, (80, 110), [58], 3, (2, 3))
    s.add(350, -10, 35, 109, "boss: the diver")
    waves(s, menu, "fast", 3, (80, 110), [], 3, (2, 3))
    s.add(300, 120, 16, 67, "boss: charging boss")
    for i in range(4):
        s.trail(42, 145, 60 + 50 * (i % 3), 2, 10, 280)
    return s


def build_fortresses():
    fortress_paths(LEVEL6_MOVES, [(68, 0, 0, "hull")] +
                   [(pid, ox, i + 1, what, LEVEL6_LIFT.get(t, 0))
                    for i, (pid, ox, t, what, y) in enumerate(LEVEL6_FORT)] +
                   [(pid, ox, 8 + i, what, LEVEL6_LIFT.get(t, 0))
                    for i, (pid, ox, t, what, y) in enumerate(LEVEL6_EXTRA)] +
                   [(102, 200, 8, "main mast gun")], "the battleship of level 6")
    fortress_paths(LEVEL13_MOVES, [(169, 0, 0, "fortress")] +
                   [(pid, ox, i + 1, what) for i, (pid, ox, t, what, y) in enumerate(LEVEL13_FORT)],
                   "the fortress of the last stage")

build_fortresses()
for _f in (level1, level2, level3, level4, level5, level6, level7, level8, level9, level10,
           level11, level12, level13):
    _s = _f()
    LEVELS[_s.level] = _s

# ---------------------------------------------------------------------------------------------
# Harder boss difficulty: anchor (no trailing comma), inserted groups, extra targets.
# ---------------------------------------------------------------------------------------------
SPLICE = {
    1: ("99,99,99,99", "50,120,9,20,", 1),
    2: ("99,99,99,99", "50,120,10,31,", 1),
    3: ("100,0,13,43", "50,10,14,48,", 1),
    4: ("99,99,99,99", "1,-40,89,139,20,-10,16,63,20,311,16,65,", 2),
    5: ("100,200,9,20", "1,0,9,20,1,300,9,20,", 2),
    6: ("400,163,30,102", "1,314,29,171,1,297,31,172,1,166,30,174,", 3),
    7: ("200,-10,35,109", "100,-10,35,109,100,-10,35,109,", 2),
    8: ("1,78,37,118", "1,78,37,118,17,100,38,119,50,49,37,120,", 3),
    9: ("9,55,46,140", "1,10,19,83,", 1),
    10: ("5,-20,49,162", "5,-20,49,162,5,-138,50,170,80,-100,51,170,", 3),
    11: ("200,10,19,83", "1,-150,19,83,1,180,19,83,", 2),
    12: ("100,-40,88,139", "50,120,10,31,", 1),
    13: ("9,54,46,140", "5,-40,49,162,5,-138,50,170,80,-100,51,170,", 3),
}

# ---------------------------------------------------------------------------------------------
# Random game: per level the plane types (repeats weigh), per type the paths, per level the
# pickups (the single extra life last).
# ---------------------------------------------------------------------------------------------
TYPE_POOLS = {
    1: [1, 1, 2, 2, 5, 5, 6, 6, 7],
    2: [1, 1, 2, 2, 5, 6, 7, 8, 8, 11, 17],
    3: [2, 2, 6, 8, 11, 12, 12, 13, 13, 23, 36, 17],
    4: [2, 2, 6, 8, 11, 15, 21, 22, 22, 40, 13, 12, 17, 32],
    5: [2, 6, 8, 11, 17, 18, 18, 32, 32, 33, 40, 15, 22, 21],
    6: [6, 11, 12, 23, 40, 40, 42, 42, 21, 22, 13, 36, 15, 45],
    7: [2, 6, 17, 34, 36, 36, 40, 42, 42, 48, 45, 18, 22, 33],
    8: [8, 11, 12, 23, 15, 45, 22, 41, 41, 42, 48, 21, 32, 36, 40],
    9: [17, 21, 32, 33, 33, 41, 41, 42, 48, 48, 22, 45, 18, 40, 36],
    10: [6, 8, 11, 17, 18, 22, 40, 41, 42, 45, 48, 48, 45, 21, 33, 32, 36, 23],
}
PATH_POOL_ORDER = [1, 2, 5, 6, 7, 8, 11, 12, 13, 15, 17, 18, 21, 22, 23, 32, 33, 34, 36, 40, 41,
                   42, 45, 48]
PATH_POOLS = {
    1: [4, 7, 9, 11, 12, 13, 16, 18, 26, 27, 89, 90],
    2: [4, 7, 10, 14, 22, 25, 36, 37, 61, 92, 104, 153],
    5: [7, 9, 17, 30, 39, 44, 57, 62, 89, 107, 156, 13],
    6: [9, 11, 12, 17, 45, 46, 60, 92, 124, 104, 13, 90],
    7: [9, 23, 25, 47, 54, 56, 129, 133, 92],
    8: [16, 19, 150, 5, 10, 35, 112, 36, 37, 90, 89],
    11: [35, 5, 6, 10, 111, 117, 121, 58, 59, 104, 13, 153],
    12: [4, 7, 23, 129, 47, 90],
    13: [32, 33, 34, 43, 3, 129],
    15: [23, 24, 135, 138, 129, 47],
    17: [5, 10, 17, 62, 124, 18, 126, 45, 46, 113, 114, 104],
    18: [23, 135, 138, 87, 47, 143],
    21: [84, 93, 87],
    22: [86, 4, 7, 92, 21, 148],
    23: [4, 7, 9, 23, 47, 129, 90, 92],
    32: [84, 93, 101, 103],
    33: [105, 93, 84],
    34: [7, 9, 13, 25, 57, 30, 89, 14],
    36: [3, 7, 23, 47, 143, 144, 90, 153, 156],
    40: [4, 21, 60, 143, 144, 22, 92, 107],
    41: [84, 93, 106, 139, 152],
    42: [145, 146, 147, 148, 149, 108, 110, 10, 155, 154, 104, 88],
    45: [23, 24, 135, 138, 129, 47],
    48: [145, 146, 147, 148, 149, 108, 110, 111, 112, 122, 158, 159],
}
PICKUP_POOLS = {
    1: [56, 56, 56, 56, 58, 58, 57, 62],
    2: [58, 58, 57, 60, 56, 63, 62],
    3: [58, 58, 57, 60, 54, 63, 56, 62],
    4: [58, 58, 57, 59, 60, 53, 54, 61, 62],
    5: [58, 58, 57, 59, 60, 52, 54, 63, 56, 62],
    6: [58, 58, 59, 60, 57, 53, 63, 61, 52, 62],
    7: [58, 58, 58, 59, 57, 60, 54, 63, 61, 53, 62],
    8: [58, 58, 58, 59, 57, 60, 52, 54, 63, 61, 53, 62],
    9: [58, 58, 58, 59, 59, 57, 60, 52, 54, 63, 61, 53, 62],
    10: [58, 58, 58, 58, 59, 59, 57, 60, 52, 54, 63, 61, 53, 56, 62],
}


# ---------------------------------------------------------------------------------------------
# The string table file.
# ---------------------------------------------------------------------------------------------
SKIP = [*range(274, 281), *range(455, 461), 470, *range(484, 491), *range(525, 531),
        *range(554, 561), *range(574, 581)]

def q(fields):
    return '"' + "".join(f"{v}," for v in fields) + '"'

def entries():
    """(id, text, comment or None) in ascending id order."""
    out = []
    anim_list = sorted(ANIMS)
    # the two telling rows of type 1 lead the range
    anim_list.remove((1, 1)); anim_list.remove((1, 2))
    anim_list = [(1, 1), (1, 2)] + anim_list
    assert len(anim_list) == 173
    for i, (t, a) in enumerate(anim_list):
        out.append((101 + i, q([t, a] + ANIMS[(t, a)] + [99]),
                    f"type {t}, animation {a}: {ANIM_NAMES.get(a, 'long cycle')}"))
    for n in range(1, 175):
        desc, steps, end = PATHS[n]
        fields = [n] + [v for st in steps for v in st] + [99, 99, end]
        out.append((280 + n, q(fields), f"path {n}: {desc}"))
    for L in range(1, 14):
        out.append((470 + L, LEVELS[L].text(), f"level {L} script"))
    for L in range(1, 11):
        out.append((490 + L, q([L] + TYPE_POOLS[L] + [99]), f"random game, level {L}: plane types"))
    for i, t in enumerate(PATH_POOL_ORDER):
        out.append((501 + i, q([t] + PATH_POOLS[t] + [99]), f"random game: paths of type {t}"))
    for L in range(1, 11):
        out.append((530 + L, q([L] + PICKUP_POOLS[L] + [99]), f"random game, level {L}: pickups"))
    for L in range(1, 14):
        a, b, c = SPLICE[L]
        out.append((540 + L, f'"{a}"', f"harder bosses, level {L}: insert before"))
        out.append((560 + L, f'"{b}"', f"harder bosses, level {L}: inserted rows"))
        out.append((580 + L, f'"{c}"', f"harder bosses, level {L}: extra targets"))
    for i in SKIP:
        out.append((i, '"skip"', None))
    out.sort()
    return out

HEADER = """\
# Gorbulant string table: the game data, built into the program.
# Written by tools/gamedata/gen_strings.py from its readable tables: edit those and run it again.
#
# Format: one entry per line, "<id> <text>": the decimal id, one space, then the text exactly as
# the program gets it, up to the end of the line (so game data keeps its surrounding double
# quotes). Lines starting with "#" and empty lines are ignored; an id may appear only once.
#
# Game data entries are comma lists of integers, every field followed by a comma, for example
# "1,2,6,7,8,9,99,". Ids with no data hold "skip"; ids 461-469 do not exist.
#
#   101-273  animations: plane type, animation number, frames..., 99
#   281-454  paths: path number, then dx,dy,animation per step, ending with 99,99,N
#   471-483  level scripts of levels 1-13: level, then delay,y,type,path per group, ending 99,99,99,99
#   491-500  random game: plane types per level 1-10, ending 99
#   501-524  random game: paths per plane type, ending 99
#   531-540  random game: pickup types per level 1-10, ending 99
#   541-553  harder bosses, level 1-13: anchor group in the level's script (no trailing comma)
#   561-573  harder bosses, level 1-13: groups inserted before the anchor (trailing comma)
#   581-593  harder bosses, level 1-13: extra mission targets (a bare integer)
"""

def table_text():
    lines = HEADER.splitlines()
    for i, text, note in entries():
        if note:
            lines.append(f"# {note}")
        lines.append(f"{i} {text}")
    return "\n".join(lines) + "\n"


def write():
    OUT.parent.mkdir(exist_ok=True)
    OUT.write_text(table_text())


# ---------------------------------------------------------------------------------------------
# Checks while authoring (the test suite has the full validator) and the level table.
# ---------------------------------------------------------------------------------------------
def spliced_rows(L, harder):
    text = LEVELS[L].text()[1:-1]
    if harder:
        a, b, c = SPLICE[L]
        pos = text.index(a)
        before = text[:pos]
        assert before.endswith(",") and before.count(",") % 4 == 1, (L, "anchor off a group")
        text = before + b + text[pos:]
    f = [int(v) for v in text.split(",")[:-1]]
    rows = [f[i:i + 4] for i in range(1, len(f), 4)]
    out = []
    for d, y, t, p in rows:
        out.append((d, y, t - 35 if 87 <= t <= 98 else t, p))
        if d == 99:
            break
    return out

BASE_TARGETS = [1, 1, 1, 3, 3, 4, 1, 3, 3, 3, 5, 4, 8]

def simulate(L, harder):
    """Unshot objects alive at once (worst case: nothing is shot but the level-start object)."""
    rows = spliced_rows(L, harder)
    live = []  # (frame of removal)
    peak, frame, k = 0, 0, 0
    events = []
    frame = 30 if L <= 11 else rows[0][0]
    t_of = {}
    k = 1
    while rows[k][2] != 99:
        d, y, t, p = rows[k]
        x0 = 624
        life = 3000 if TYPES[t][3] else lifetime(t, p, y)
        if p in (139, 152):
            life = lifetime(t, p, y, 300)
        events.append((frame, frame + life, t))
        # a carried pickup spawns with its carrier, the carrier's delay is skipped
        nxt = rows[k + 1]
        if 52 <= nxt[2] < 99 and nxt[3] not in (139, 151):
            k += 1
            events.append((frame, frame + lifetime(nxt[2], nxt[3], nxt[1]), nxt[2]))
        frame += rows[k][0]
        k += 1
    end = frame
    jump = [e for e in events if e[2] == 43]
    for f in range(0, end + 1, 5):
        n = sum(1 for a, b, t in events if a <= f < b)
        if any(a <= f for a, b, t in jump):
            n += 5  # jumpers thrown by the mothership
        peak = max(peak, n)
    return peak, end

def checks(report=False):
    problems = []
    for L in range(1, 14):
        for harder in (False, True):
            rows = spliced_rows(L, harder)
            bosses = [r for r in rows[1:-1] if TYPES[r[2]][3] and not (L in (6, 13) and r[2] in (24, 25))]
            want = BASE_TARGETS[L - 1] + (SPLICE[L][2] if harder else 0)
            if len(bosses) != want:
                problems.append(f"level {L} harder={harder}: {len(bosses)} bosses for {want} targets")
            for d, y, t, p in rows[1:-1]:
                if d < 1 or d == 99:
                    problems.append(f"level {L}: delay {d}")
            peak, _ = simulate(L, harder)
            if peak > 17:
                problems.append(f"level {L} harder={harder}: {peak} objects alive at once")
    for n, (desc, steps, end) in PATHS.items():
        if end < 0 and -end not in PATHS:
            problems.append(f"path {n} chains to missing {-end}")
    if report:
        print("| Level | Bosses (normal / harder adds) | Targets normal / harder | Script frames normal / harder | Groups | Peak live objects |")
        print("|---|---|---|---|---|---|")
        for L in range(1, 14):
            rows = LEVELS[L].rows
            names = {}
            for r in rows[1:]:
                if TYPES[r[2] - 35 if 87 <= r[2] <= 98 else r[2]][3]:
                    names[r[2]] = names.get(r[2], 0) + 1
            extra = {}
            for g in range(0, len(SPLICE[L][1].split(",")) - 1, 4):
                t = int(SPLICE[L][1].split(",")[g + 2])
                if t < 64 and TYPES[t][3]:
                    extra[t] = extra.get(t, 0) + 1
            fmt = lambda d: ", ".join(f"{n}x{t}" if n > 1 else f"{t}" for t, n in sorted(d.items()))
            p0, f0 = simulate(L, False)
            p1, f1 = simulate(L, True)
            print(f"| {L} | {fmt(names)} / +{fmt(extra)} | {BASE_TARGETS[L-1]} / {BASE_TARGETS[L-1] + SPLICE[L][2]} "
                  f"| {f0} / {f1} | {len(rows) + 1} / {len(spliced_rows(L, True))} | {p0} / {p1} |")
    return problems


if __name__ == "__main__":
    if "--check" in sys.argv:
        # The build embeds strings.txt as it is: a hand edit there, or a table here changed
        # without running this script, would ship data that its source does not say.
        if OUT.read_text() != table_text():
            print(f"{OUT.relative_to(ROOT)} differs from what {Path(__file__).name} writes: run it again")
            sys.exit(1)
        print(f"{OUT.relative_to(ROOT)} matches its generator")
        sys.exit(0)
    write()
    probs = checks("--report" in sys.argv)
    for p in probs:
        print("problem:", p)
    print(f"wrote {OUT.relative_to(ROOT)}: {len(entries())} entries")
    sys.exit(1 if probs else 0)

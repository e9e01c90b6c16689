#!/usr/bin/env python3
"""Measures the real game on virtual X screens: what the player sees and what it costs.

For each desktop size (and game mode) it starts Xvfb, starts the game with present_stamp.so
preloaded, so every call that hands a picture to the window is time-stamped, and reads:

  frame      present-to-present intervals while playing level 1 (fire held, moving): median, p90
  push       the first intro push, from its first step's present to its last one (480 steps)
  cpu        the game's CPU (all threads) and the X server's, from /proc, while playing
  rss        the game's resident memory while playing (the largest sample)
  menu       launch to menu with Space pressed at the first intro picture and at the title:
             (first push present - launch) + (title shown - first Space) + (menu shown - second Space)

and, beside it in the same X session, the peer game starfighter at level 1 with fire held.
Every figure is measured --runs times; the table gives min / median. The machine is shared, so
the load average is printed with every run.

  measure.py --game build/play/gorbulant --shim /tmp/present_stamp.so [--sizes 1024x768,...]
             [--modes desktop,1024x768x32,640x480x8] [--runs 3] [--sound] [--peer]
             [--overload-shot out.png]
"""
import argparse
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


def now_ns():
    return time.monotonic_ns()  # CLOCK_MONOTONIC, the clock of present_stamp.so


def loadavg():
    with open("/proc/loadavg") as f:
        return float(f.read().split()[0])


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime of every thread


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


class Xvfb:
    def __init__(self, display, width, height):
        self.display = display
        self.proc = subprocess.Popen(
            ["Xvfb", display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while time.time() < deadline and self.proc.poll() is None:
            if subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env(), capture_output=True).returncode == 0:
                return
            time.sleep(0.05)
        self.stop()
        raise RuntimeError(f"Xvfb {display} did not start (is the display number taken?)")

    def env(self):
        e = dict(os.environ)
        e["DISPLAY"] = self.display
        return e

    @property
    def pid(self):
        return self.proc.pid

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env(), capture_output=True)

    def key(self, name, hold=0.0):
        if hold <= 0:
            self.xdo("key", name)
        else:
            self.xdo("keydown", name)
            time.sleep(hold)
            self.xdo("keyup", name)

    def shot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path], capture_output=True)

    def stop(self):
        stop_process(self.proc)


def stop_process(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(3)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class PresentLog:
    """The lines present_stamp.so writes: end time, time inside the call, window size."""

    def __init__(self, path):
        self.path = path
        self.pos = 0
        self.rows = []

    def poll(self):
        if not os.path.exists(self.path):
            return self.rows
        with open(self.path) as f:
            f.seek(self.pos)
            data = f.read()
        cut = data.rfind("\n") + 1
        self.pos += cut
        for line in data[:cut].splitlines():
            t, d, w, h = (int(v) for v in line.split())
            self.rows.append((t, d, w, h))
        return self.rows

    def desktop(self, w, h):
        return [r for r in self.poll() if r[2] == w and r[3] == h]


# Settings file entries of the game modes measured ("desktop": none, the game keeps the desktop's).
MODES = {
    "desktop": [],
    "1024x768x32": ["COLOR=2", "RESOL=2"],
    "800x600x16": ["COLOR=1", "RESOL=1"],
    "640x480x8": ["COLOR=0", "RESOL=0"],
}


class Game:
    def __init__(self, binary, xvfb, mode, sound, shim, extra_env=None):
        self.dir = tempfile.mkdtemp(prefix="gorb-bench-")
        exe = os.path.join(self.dir, "gorbulant")
        shutil.copy2(binary, exe)
        entries = MODES[mode] + (["SOUND=1"] if sound else [])
        with open(os.path.join(self.dir, "ZORBELS.INI"), "wb") as f:
            for e in entries:
                f.write(b'"' + e.encode() + b'"\r\n')
        self.log = PresentLog(os.path.join(self.dir, "presents.txt"))
        env = xvfb.env()
        env.update({"LD_PRELOAD": shim, "GORB_PRESENT_LOG": self.log.path, "SDL_AUDIODRIVER": "dummy"})
        env.update(extra_env or {})
        self.launch = now_ns()
        self.proc = subprocess.Popen([exe], cwd=self.dir, env=env, stdout=subprocess.DEVNULL,
                                     stderr=open(os.path.join(self.dir, "stderr.txt"), "w"))

    @property
    def pid(self):
        return self.proc.pid

    def stop(self):
        stop_process(self.proc)
        shutil.rmtree(self.dir, ignore_errors=True)


def wait_for(pred, timeout, step=0.002):
    end = time.time() + timeout
    while time.time() < end:
        v = pred()
        if v is not None:
            return v
        time.sleep(step)
    return None


def find_push(rows, lenient=False):
    """Index of the first present of the first intro push, as soon as it is under way: the steps
    open with delays of 30, 29, 28 ... ms, so three intervals in a row of 24..40 ms that do not
    grow. Where presents are so slow that they stretch the steps (lenient), three intervals in
    a row of 24..200 ms."""
    top = 200 if lenient else 40
    for i in range(len(rows) - 3):
        iv = [(rows[i + k + 1][0] - rows[i + k][0]) / 1e6 for k in range(3)]
        if all(24 <= v <= top for v in iv) and (lenient or (iv[1] <= iv[0] + 2 and iv[2] <= iv[1] + 2)):
            return i
    return None


def push_span(rows):
    """(first, last) present of the first intro push once it is over: the first run of at least
    400 presents less than 250 ms apart (however slow the steps are), ended by the hold. A
    present or two of the start-up may come just before the first step; those lie less than
    20 ms before the next present, while every step takes more than 20 ms at either end."""
    i = 0
    while i < len(rows):
        j = i
        while j + 1 < len(rows) and rows[j + 1][0] - rows[j][0] < 250e6:
            j += 1
        if j - i + 1 >= 400 and j + 1 < len(rows):
            k = i
            while k < i + 5 and rows[k + 1][0] - rows[k][0] < 20e6:
                k += 1
            return (k, j)
        i = j + 1
    return None


def quiet_after(log, w, h, since_ns, quiet_ms, timeout):
    """The last desktop present after since_ns once no present came for quiet_ms."""
    end = time.time() + timeout
    while time.time() < end:
        rows = [r for r in log.desktop(w, h) if r[0] > since_ns]
        if rows and now_ns() - rows[-1][0] > quiet_ms * 1e6:
            return rows[-1][0]
        time.sleep(0.005)
    return None


def pct(values, p):
    s = sorted(values)
    if not s:
        return float("nan")
    k = (len(s) - 1) * p / 100.0
    lo = int(k)
    hi = min(lo + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def play(xvfb, pid, seconds, fire_key="Control_L", hold_moves=0.5):
    """Holds fire and moves up and down; returns CPU ticks of the game and X, RSS samples."""
    c0, x0, t0 = cpu_ticks(pid), cpu_ticks(xvfb.pid), now_ns()
    rss = []
    xvfb.xdo("keydown", fire_key)
    end = time.time() + seconds
    keys = ["Up", "Down"]
    k = 0
    while time.time() < end:
        xvfb.xdo("keydown", keys[k % 2])
        step_end = min(end, time.time() + hold_moves)
        while time.time() < step_end:
            rss.append(rss_kb(pid))
            time.sleep(0.1)
        xvfb.xdo("keyup", keys[k % 2])
        k += 1
    c1, x1, t1 = cpu_ticks(pid), cpu_ticks(xvfb.pid), now_ns()
    xvfb.xdo("keyup", fire_key)
    wall = (t1 - t0) / 1e9
    return {
        "t0": t0, "t1": t1,
        "cpu_game": 100.0 * (c1 - c0) / CLK_TCK / wall,
        "cpu_x": 100.0 * (x1 - x0) / CLK_TCK / wall,
        "rss_mb": max(rss) / 1024.0 if rss else float("nan"),
    }


def session(args, xvfb, w, h, mode, sound):
    """One launch: the first push without keys, then Space, Space, Begin and play."""
    g = Game(args.game, xvfb, mode, sound, args.shim)
    out = {"load": loadavg()}
    try:
        # The first push runs until the 5 s hold after it: no present for a second.
        def push_done():
            rows = g.log.desktop(w, h)
            span = push_span(rows)
            if span is None and rows and now_ns() - rows[-1][0] > 1.5e9:
                # The hold has begun: the last present so far is the push's last step.
                span = push_span(rows + [(now_ns(), 0, w, h)])
            return span
        span = wait_for(push_done, 90, 0.05)
        if span:
            rows = g.log.desktop(w, h)
            out["push_s"] = (rows[span[1]][0] - rows[span[0]][0]) / 1e9
            out["push_steps"] = span[1] - span[0] + 1
        xvfb.key("space")  # ends the hold: the title
        time.sleep(0.4)
        xvfb.key("space")  # the menu
        time.sleep(0.6)
        begin = now_ns()
        xvfb.key("Return")  # Begin has the focus
        time.sleep(2.0)
        # The game's set-up lies between the present that shows the LOADING banner and the next.
        after = [r for r in g.log.desktop(w, h) if r[0] > begin]
        if len(after) >= 2:
            out["banner_ms"] = (after[1][0] - after[0][0]) / 1e6
        figures = play(xvfb, g.pid, args.play_seconds)
        out.update({k: v for k, v in figures.items() if k not in ("t0", "t1")})
        frames = [r for r in g.log.desktop(w, h) if figures["t0"] <= r[0] <= figures["t1"]]
        iv = [(b[0] - a[0]) / 1e6 for a, b in zip(frames, frames[1:])]
        out["frames"] = len(frames)
        out["frame_med"] = statistics.median(iv) if iv else float("nan")
        out["frame_p90"] = pct(iv, 90)
        out["present_med_ms"] = statistics.median([r[1] / 1e6 for r in frames]) if frames else float("nan")
        if args.shots:
            xvfb.shot(os.path.join(args.shots, f"play-{w}x{h}-{mode}{'-sound' if sound else ''}.png"))
        if g.proc.poll() is not None:
            out["died"] = g.proc.returncode
    finally:
        g.stop()
    return out


def launch_to_menu(args, xvfb, w, h, mode):
    g = Game(args.game, xvfb, mode, False, args.shim)
    try:
        def pushing():
            rows = g.log.desktop(w, h)
            i = find_push(rows)
            if i is None and rows and now_ns() - rows[0][0] > 3e9:
                i = find_push(rows, lenient=True)
            return None if i is None else rows[i][0]
        first = wait_for(pushing, 20, 0.001)
        if first is None:
            return {}
        s1 = now_ns()
        xvfb.key("space")
        title = quiet_after(g.log, w, h, s1, 250, 10)
        s2 = now_ns()
        xvfb.key("space")
        menu = quiet_after(g.log, w, h, s2, 400, 10)
        if title is None or menu is None:
            return {}
        return {"menu_s": (first - g.launch + title - s1 + menu - s2) / 1e9,
                "first_picture_s": (first - g.launch) / 1e9}
    finally:
        g.stop()


def peer(args, xvfb, w, h):
    """starfighter: intro skipped, New Game, Start Game, cut scene skipped, briefing, level 1."""
    home = tempfile.mkdtemp(prefix="gorb-peer-")
    env = xvfb.env()
    env.update({"HOME": home, "SDL_AUDIODRIVER": "dummy"})
    proc = subprocess.Popen(["/usr/games/starfighter"], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(2)
        # Return skips the title sequence, picks "Start New Game", then "Start Game"; Escape
        # skips the cut scene, fire leaves the briefing.
        for key, pause in (("Return", 2.0), ("Return", 2.0), ("Return", 2.0), ("Escape", 2.0), ("Control_L", 3.0)):
            xvfb.key(key, hold=0.15)
            time.sleep(pause)
        figures = play(xvfb, proc.pid, args.play_seconds)
        if args.shots:
            xvfb.shot(os.path.join(args.shots, f"peer-{w}x{h}.png"))
        return {"cpu_game": figures["cpu_game"], "cpu_x": figures["cpu_x"], "rss_mb": figures["rss_mb"]}
    finally:
        stop_process(proc)
        shutil.rmtree(home, ignore_errors=True)


def overload_demo(args, xvfb, w, h, path):
    """A desktop too slow for the game: every present made to take 45 ms by present_stamp.so.
    Plays for 4 s and takes a screenshot, which should show the overload sign."""
    g = Game(args.game, xvfb, "desktop", False, args.shim, {"GORB_PRESENT_DELAY_US": "45000"})
    try:
        time.sleep(3)
        for key in ("space", "space"):
            xvfb.key(key)
            time.sleep(0.8)
        xvfb.key("Return")
        time.sleep(6)
        xvfb.shot(path)
        subprocess.run(["convert", path, "-crop", "120x80+%d+%d" % ((w - 640) // 2 + 4, (h - 480) // 2 + 65),
                        "-scale", "400%", path.replace(".png", "-corner.png")], capture_output=True)
    finally:
        g.stop()


def summary(values):
    v = [x for x in values if x == x]
    if not v:
        return "-"
    return f"{min(v):.2f} / {statistics.median(v):.2f}" if len(v) > 1 else f"{v[0]:.2f}"


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--game", required=True)
    ap.add_argument("--shim", required=True)
    ap.add_argument("--label", default="")
    ap.add_argument("--sizes", default="1024x768,1920x1080,3840x2160")
    ap.add_argument("--modes", default="desktop,1024x768x32,640x480x8")
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--play-seconds", type=float, default=20)
    ap.add_argument("--sound", action="store_true", help="also a desktop-mode run with sound on")
    ap.add_argument("--peer", action="store_true")
    ap.add_argument("--display", type=int, default=20)
    ap.add_argument("--shots", default="")
    ap.add_argument("--overload-shot", default="")
    ap.add_argument("--json", default="")
    args = ap.parse_args()
    args.game = os.path.abspath(args.game)
    args.shim = os.path.abspath(args.shim)
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)

    results = []
    for size in args.sizes.split(","):
        w, h = (int(v) for v in size.split("x"))
        xvfb = Xvfb(f":{args.display}", w, h)
        try:
            cases = [(m, False) for m in args.modes.split(",")]
            if args.sound:
                cases.append(("desktop", True))
            for mode, sound in cases:
                for run in range(args.runs):
                    r = session(args, xvfb, w, h, mode, sound)
                    r.update({"size": size, "mode": mode, "sound": sound, "run": run})
                    print(json.dumps(r), flush=True)
                    results.append(r)
            for run in range(args.runs):
                r = launch_to_menu(args, xvfb, w, h, "desktop")
                r.update({"size": size, "mode": "desktop", "kind": "menu", "run": run, "load": loadavg()})
                print(json.dumps(r), flush=True)
                results.append(r)
            if args.peer:
                for run in range(args.runs):
                    r = peer(args, xvfb, w, h)
                    r.update({"size": size, "kind": "peer", "run": run, "load": loadavg()})
                    print(json.dumps(r), flush=True)
                    results.append(r)
            if args.overload_shot:
                overload_demo(args, xvfb, w, h, args.overload_shot.replace(".png", f"-{size}.png"))
        finally:
            xvfb.stop()
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=1)

    print(f"\n{args.label}  (min / median of {args.runs} runs; load average shown as min-max)")
    print("| desktop | mode | frame median ms | frame p90 ms | first push s | game CPU % | X CPU % | RSS MB | load |")
    print("|---|---|---|---|---|---|---|---|---|")
    plays = [r for r in results if "kind" not in r]
    keys = []
    for r in plays:
        k = (r["size"], r["mode"], r["sound"])
        if k not in keys:
            keys.append(k)
    for k in keys:
        rs = [r for r in plays if (r["size"], r["mode"], r["sound"]) == k]
        col = lambda name: summary([r.get(name, float("nan")) for r in rs])
        loads = [r["load"] for r in rs]
        mode = k[1] + (" + sound" if k[2] else "")
        print(f"| {k[0]} | {mode} | {col('frame_med')} | {col('frame_p90')} | {col('push_s')} | "
              f"{col('cpu_game')} | {col('cpu_x')} | {col('rss_mb')} | {min(loads):.1f}-{max(loads):.1f} |")
    menus = [r for r in results if r.get("kind") == "menu"]
    for size in dict.fromkeys(r["size"] for r in menus):
        rs = [r for r in menus if r["size"] == size]
        print(f"launch to menu with Space, {size}: {summary([r.get('menu_s', float('nan')) for r in rs])} s "
              f"(first picture {summary([r.get('first_picture_s', float('nan')) for r in rs])} s)")
    peers = [r for r in results if r.get("kind") == "peer"]
    for size in dict.fromkeys(r["size"] for r in peers):
        rs = [r for r in peers if r["size"] == size]
        ours = [r for r in plays if r["size"] == size and r["mode"] == "desktop" and not r["sound"]]
        line = (f"peer starfighter, {size}: CPU {summary([r['cpu_game'] for r in rs])} %, "
                f"X {summary([r['cpu_x'] for r in rs])} %, RSS {summary([r['rss_mb'] for r in rs])} MB")
        if ours:
            ratio = statistics.median(r["cpu_game"] for r in ours) / max(1e-9, statistics.median(r["cpu_game"] for r in rs))
            both = (statistics.median(r["cpu_game"] + r["cpu_x"] for r in ours) /
                    max(1e-9, statistics.median(r["cpu_game"] + r["cpu_x"] for r in rs)))
            line += f"; game / peer CPU {ratio:.3f} (with the X server {both:.3f})"
        print(line)


if __name__ == "__main__":
    sys.exit(main())

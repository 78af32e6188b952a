#!/usr/bin/env python3
"""Start-up time and peak memory of windows, side by side.

Starts one private Xvfb (no window manager) and, over repeated interleaved
rounds, launches each program and measures with tavro_map_timer the time from
its launch to its top-level window being mapped, and its peak resident
memory. Prints the medians, and the ratios of each program to its yardsticks:
for each pair, the median of the ratios of the two runs of one round, with a
95 % interval for it (single runs vary by a factor of two or more, so a
ratio from few rounds is worth little without one).

Programs measured by default, each when it is built:
  tavro          the Linux survey (build/linux/bin/tavro), with the example
                 settings beside a copy of it
  empty-qt       the project's empty Qt 6 window of the survey's size
  label-qt       the same window with one label (empty_qt_window --label):
                 the first text, which starts Qt's font system, and nothing
                 more: the floor for any Qt window that shows a word
  plain-qt       the same window with the survey's 29 text controls in a
                 plain grid (empty_qt_window --controls): what the widgets
                 and their first text cost any program
  empty-xlib     a bare Xlib window of that size: the floor for any window
  Tavro.exe      the Windows survey under wine64 (build/<windows preset>/bin)
  empty-win32    the project's empty Win32 window under wine64
  plain-win32    that window with the 29 controls (--controls), likewise
  manifest-win32 plain_win32_window.exe, when it is built: the survey's
                 controls and the survey's manifest, none of its own work
Others can be added with --program LABEL=COMMAND (e.g. --program xterm=xterm).

  scripts/startup-time.py [--rounds N] [--markdown] [--windows] ...

Every program starts in the same current folder, which holds --folder-files
empty files (2,000 by default): the survey's unused slots search it, as
they do when the survey is started from a big folder.

The goals are printed with the ratios: tavro within 1.05 of plain-qt, in
time and in memory, and Tavro.exe within 1.10 of manifest-win32.

Only the standard library is used; tavro_map_timer (bench/startup) does the
X11 part.
"""

import argparse
import math
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WINE64 = "/usr/lib/wine/wine64"
SURVEY_TITLE = "Quarnelo"

# Each program and the windows it is compared with: the empty window of its
# toolkit (the goal), that window with one label (the cost of any text)
# and with plain controls (what is the survey's own).
DEFAULT_COMPARISONS = [("tavro", "plain-qt"), ("tavro", "empty-qt"), ("tavro", "label-qt"),
                       ("label-qt", "empty-qt"), ("plain-qt", "empty-qt"),
                       ("Tavro.exe", "manifest-win32"), ("Tavro.exe", "empty-win32"),
                       ("Tavro.exe", "plain-win32"), ("plain-win32", "empty-win32")]
# The largest ratio, in time and in memory, that meets the goal.
GOALS = {("tavro", "plain-qt"): 1.05, ("Tavro.exe", "manifest-win32"): 1.10}


class Program:
    def __init__(self, label, command, title=None, env=None):
        self.label = label
        self.command = command
        self.title = title
        self.env = env or {}
        self.times_ms = []
        self.peaks_kib = []
        self.by_round = {}  # round number -> (time, peak)
        self.failures = []


def run(command, **kwargs):
    print("+ " + " ".join(shlex.quote(str(part)) for part in command), file=sys.stderr)
    subprocess.run(command, check=True, cwd=ROOT, **kwargs)


def ninja_targets(build_dir):
    result = subprocess.run(["cmake", "--build", build_dir, "--target", "help"], cwd=ROOT,
                            capture_output=True, text=True, check=True)
    return {line.split(":")[0] for line in result.stdout.splitlines() if ":" in line}


def build(preset, wanted):
    """Configures the preset and builds those of the wanted targets it has."""
    run(["cmake", "--preset", preset], stdout=subprocess.DEVNULL)
    present = [target for target in wanted if target in ninja_targets(f"build/{preset}")]
    if present:
        run(["cmake", "--build", "--preset", preset, "--target", *present])


def start_xvfb():
    """Starts Xvfb on a free display; returns (process, display name)."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
         # Without -noreset the server resets whenever its last client leaves,
         # and a program launched during the reset cannot connect.
         "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        sys.exit("startup-time: Xvfb did not start")
    return xvfb, ":" + number


def survey_copy(program_path, settings, work):
    """A copy of the survey with the settings beside it, as it runs from a share."""
    folder = work / program_path.stem
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy2(program_path, folder / program_path.name)
    shutil.copy2(settings, folder / "Tavro.ini")
    return folder / program_path.name


def linux_programs(args, work):
    bin_dir = ROOT / "build" / args.linux_preset / "bin"
    programs = []
    tavro = bin_dir / "tavro"
    if tavro.exists():
        copy = survey_copy(tavro, ROOT / "examples/linux/Tavro.ini", work)
        programs.append(Program("tavro", [str(copy)], SURVEY_TITLE))
    for label, name, arguments, title in [
            ("empty-qt", "empty_qt_window", [], "Empty Qt window"),
            ("label-qt", "empty_qt_window", ["--label"], "Labelled Qt window"),
            ("plain-qt", "empty_qt_window", ["--controls"], "Plain Qt window"),
            ("empty-xlib", "empty_xlib_window", [], "Empty Xlib window")]:
        if (bin_dir / name).exists():
            programs.append(Program(label, [str(bin_dir / name), *arguments], title))
    return programs


def prepare_wine(prefix, display):
    """Creates the Wine prefix once and starts a persistent wineserver, so
    every measured run starts warm."""
    env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", DISPLAY=display,
               WINEDLLOVERRIDES="mscoree,mshtml=")  # no installer dialogs for Mono or Gecko
    if not (prefix / "system.reg").exists():
        subprocess.run([WINE64, "wineboot", "--init"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)  # until the set-up is done
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    # Wine stops its services a moment after its last program ends, and the
    # next program then waits for them to start again (some 150 ms). On
    # Windows they always run: a console program idling on its input keeps
    # them running, so every measured start is warm.
    keeper = subprocess.Popen([WINE64, "cmd.exe"], env=env, stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return env, keeper


def windows_programs(args, work, display):
    bin_dir = ROOT / "build" / args.windows_preset / "bin"
    candidates = [("Tavro.exe", bin_dir / "Tavro.exe", [], SURVEY_TITLE),
                  ("empty-win32", bin_dir / "empty_win32_window.exe", [], "Empty Win32 window"),
                  ("plain-win32", bin_dir / "empty_win32_window.exe", ["--controls"],
                   "Plain Win32 window"),
                  ("manifest-win32", bin_dir / "plain_win32_window.exe", [],
                   "Plain Win32 survey window")]
    present = [candidate for candidate in candidates if candidate[1].exists()]
    if not present or not Path(WINE64).exists():
        return [], None
    prefix = ROOT / "build" / args.windows_preset / "startup-wineprefix"
    env, keeper = prepare_wine(prefix, display)
    programs = []
    for label, path, arguments, title in present:
        if label == "Tavro.exe":
            path = survey_copy(path, ROOT / "examples/windows/Tavro.ini", work)
        programs.append(Program(label, [WINE64, str(path), *arguments], title,
                                {k: env[k] for k in ("WINEPREFIX", "WINEDEBUG",
                                                     "WINEDLLOVERRIDES")}))
    return programs, (env, keeper)


def stop_wine(wine):
    env, keeper = wine
    keeper.stdin.close()
    try:
        keeper.wait(timeout=10)
    except subprocess.TimeoutExpired:
        keeper.kill()
    subprocess.run(["wineserver", "-k"], env=env, check=False)


def folder_of_files(work, count):
    folder = work / "current-folder"
    folder.mkdir()
    for number in range(count):
        (folder / f"file{number:05}.dat").touch()
    return folder


def measure(timer, program, display, args, folder):
    env = dict(os.environ, DISPLAY=display, **program.env)
    env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())
    command = [str(timer), "--timeout", str(args.timeout), "--settle", str(args.settle)]
    if program.title:
        command += ["--title", program.title]
    result = subprocess.run(command + ["--", *program.command], env=env, capture_output=True,
                            text=True, cwd=folder)
    if result.returncode != 0:
        return None, result.stderr.strip().splitlines()[-1:] or ["failed"]
    fields = dict(part.split("=") for part in result.stdout.split())
    return (float(fields["map_ms"]), int(fields["peak_kib"])), None


def median(values):
    return statistics.median(values) if values else float("nan")


def median_interval(values):
    """A distribution-free 95 % interval for the median: the order statistics
    1.96 standard deviations of a binomial count either side of the middle."""
    ordered = sorted(values)
    n = len(ordered)
    half_width = 1.96 * math.sqrt(n) / 2
    low = max(0, math.floor(n / 2 - half_width))
    high = min(n - 1, math.ceil(n / 2 + half_width) - 1)
    return ordered[low], ordered[high]


def report(programs, comparisons, rounds, markdown, folder_files):
    by_label = {program.label: program for program in programs}
    if markdown:
        print(f"| Program | Runs | Map time, median (ms) | Min - max (ms) | Peak memory, median (MiB) |")
        print("|---|---|---|---|---|")
    else:
        print(f"\n{'program':<14}{'runs':>5}{'map ms':>10}{'min':>9}{'max':>9}{'peak MiB':>10}")
    for program in programs:
        times, peaks = program.times_ms, program.peaks_kib
        if not times:
            print(f"{program.label}: no successful run ({'; '.join(program.failures[:1])})")
            continue
        row = (program.label, len(times), median(times), min(times), max(times),
               median(peaks) / 1024)
        if markdown:
            print("| {} | {} | {:.1f} | {:.1f} - {:.1f} | {:.1f} |".format(*row))
        else:
            print("{:<14}{:>5}{:>10.1f}{:>9.1f}{:>9.1f}{:>10.1f}".format(*row))
        if program.failures:
            print(f"  ({len(program.failures)} failed runs, e.g. {program.failures[0]})")

    lines = []
    for measured, baseline in comparisons:
        a, b = by_label.get(measured), by_label.get(baseline)
        if not a or not b or not a.times_ms or not b.times_ms:
            continue
        # Paired: the median of the ratios within each round, which a machine
        # that is busy for a while slows both sides of alike.
        rounds_of_both = sorted(a.by_round.keys() & b.by_round.keys())
        time_ratios = [a.by_round[r][0] / b.by_round[r][0] for r in rounds_of_both]
        memory_ratio = median([a.by_round[r][1] / b.by_round[r][1] for r in rounds_of_both])
        lines.append((measured, baseline, median(time_ratios), median_interval(time_ratios),
                      memory_ratio))
    if lines:
        if markdown:
            print("\n| Program / yardstick | Time ratio (paired median) | 95 % interval |"
                  " Memory ratio | Goal |")
            print("|---|---|---|---|---|")
        else:
            print("\nmedians of the ratios within each round (95 % interval of the time ratio)")
        for measured, baseline, time_ratio, (low, high), memory_ratio in lines:
            goal = GOALS.get((measured, baseline))
            verdict = ""
            if goal:
                met = time_ratio <= goal and memory_ratio <= goal
                verdict = f"{goal:.2f} or less: {'met' if met else 'NOT met'}"
            if markdown:
                print(f"| {measured} / {baseline} | {time_ratio:.2f} | {low:.2f} - {high:.2f} |"
                      f" {memory_ratio:.2f} | {verdict} |")
            else:
                print(f"  {measured} / {baseline}: time {time_ratio:.2f} ({low:.2f} - {high:.2f}),"
                      f" memory {memory_ratio:.2f}" + (f"  (goal {verdict})" if verdict else ""))
    print(f"\n{rounds} interleaved rounds, one Xvfb, no window manager, started from a folder"
          f" of {folder_files} files.")


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=20, help="measured runs per program")
    parser.add_argument("--warmup", type=int, default=2, help="unmeasured runs per program first")
    parser.add_argument("--settle", type=int, default=300,
                        help="ms to wait after the map before reading the peak memory")
    parser.add_argument("--timeout", type=float, default=60, help="seconds a window may take")
    parser.add_argument("--folder-files", type=int, default=2000,
                        help="files in the current folder every program starts in")
    parser.add_argument("--program", action="append", default=[], metavar="LABEL=COMMAND",
                        help="another program to measure (its first mapped window counts)")
    parser.add_argument("--compare", action="append", default=[], metavar="LABEL/YARDSTICK",
                        help="another pair to print the ratio of")
    parser.add_argument("--only", action="append", default=[], metavar="LABEL",
                        help="measure only these programs")
    parser.add_argument("--linux-preset", default="linux")
    parser.add_argument("--windows-preset", default="windows-x64",
                        help="where Tavro.exe and empty_win32_window.exe are looked for")
    parser.add_argument("--windows", action="store_true",
                        help="also build the Windows preset's survey and empty window first")
    parser.add_argument("--no-build", action="store_true", help="measure what is built already")
    parser.add_argument("--markdown", action="store_true", help="print the tables as Markdown")
    return parser.parse_args()


def main():
    args = parse_arguments()
    if not args.no_build:
        build(args.linux_preset, ["tavro_map_timer", "empty_qt_window", "empty_xlib_window", "tavro"])
        if args.windows:
            build(args.windows_preset, ["Tavro", "empty_win32_window", "plain_win32_window"])
    timer = ROOT / "build" / args.linux_preset / "bin" / "tavro_map_timer"
    if not timer.exists():
        sys.exit(f"startup-time: {timer} is not built (it needs libx11-dev)")

    xvfb, display = start_xvfb()
    wine = None
    try:
        with tempfile.TemporaryDirectory(prefix="tavro-startup-") as work_dir:
            work = Path(work_dir)
            folder = folder_of_files(work, args.folder_files)
            programs = linux_programs(args, work)
            windows, wine = windows_programs(args, work, display)
            programs += windows
            for entry in args.program:
                label, _, command = entry.partition("=")
                programs.append(Program(label, shlex.split(command)))
            if args.only:
                programs = [program for program in programs if program.label in args.only]
            if not programs:
                sys.exit("startup-time: nothing to measure")
            print("measuring: " + ", ".join(program.label for program in programs),
                  file=sys.stderr)

            for round_number in range(args.warmup + args.rounds):
                # Interleaved, and each round starts with another program, so
                # that no program always follows the same one.
                shift = round_number % len(programs)
                for program in programs[shift:] + programs[:shift]:
                    sample, failure = measure(timer, program, display, args, folder)
                    if round_number < args.warmup:
                        continue
                    if sample:
                        program.times_ms.append(sample[0])
                        program.peaks_kib.append(sample[1])
                        program.by_round[round_number] = sample
                    else:
                        program.failures.extend(failure)
    finally:
        if wine:
            stop_wine(wine)
        xvfb.terminate()
        xvfb.wait()

    comparisons = list(DEFAULT_COMPARISONS)
    comparisons += [tuple(pair.split("/", 1)) for pair in args.compare]
    report(programs, comparisons, args.rounds, args.markdown, args.folder_files)


if __name__ == "__main__":
    main()

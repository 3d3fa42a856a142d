#!/usr/bin/env python3
"""Side-by-side: the same drawings, the same output size, through karvex
(native), karvex.spi under Wine (spihost.exe, Wine's start-up measured apart
and subtracted) and the converters a user would pick instead (GDAL, LibreCAD,
LibreOffice). Prints the median wall time of several runs, each tool's time
divided by karvex's, and peak memory (/usr/bin/time -v, and the kernel's
figure for each timed run).

Run through scripts/compare.sh, which installs what is missing and builds
the release preset first."""
import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent


def drawing_rectangle(path):
    """The rectangle karvex scales to fit: $EXTMIN/$EXTMAX and $LIMMIN/$LIMMAX
    merged, widened to contain the origin (so the peers draw the same area).
    Reads the HEADER only: holding a whole big drawing in this process's
    memory slows the programs measured after it."""
    lines = []
    with open(path, "rb") as text:
        for raw in text:
            line = raw.rstrip(b"\r\n").strip()
            lines.append(line)
            if line == b"ENDSEC" or len(lines) > 200000:
                break
    minimum, maximum = [0.0, 0.0], [0.0, 0.0]
    i = 0
    while i + 1 < len(lines):
        if lines[i] == b"9" and lines[i + 1] in (b"$EXTMIN", b"$EXTMAX", b"$LIMMIN", b"$LIMMAX"):
            is_max = lines[i + 1].endswith(b"MAX")
            j = i + 2
            while j + 1 < len(lines) and lines[j] in (b"10", b"20", b"30"):
                axis = {b"10": 0, b"20": 1}.get(lines[j])
                if axis is not None:
                    value = float(lines[j + 1])
                    if is_max:
                        maximum[axis] = max(maximum[axis], value)
                    else:
                        minimum[axis] = min(minimum[axis], value)
                j += 2
            i = j
            continue
        i += 2
    for axis in (0, 1):
        if maximum[axis] == minimum[axis]:
            maximum[axis] = minimum[axis] + 10000
    return minimum[0], minimum[1], maximum[0], maximum[1]


PRINT_EACH_RUN = False


def spawn_and_wait(command, env, cwd, stdout, stderr):
    """Wall seconds, exit status and peak resident KiB of one run, timed from
    the spawn to the reaping of the process: nothing else runs in between."""
    actions = [(os.POSIX_SPAWN_DUP2, stdout.fileno(), 1), (os.POSIX_SPAWN_DUP2, stderr.fileno(), 2)]
    previous = os.getcwd()
    if cwd is not None:
        os.chdir(cwd)
    try:
        start = time.perf_counter()
        pid = os.posix_spawnp(command[0], command, env if env is not None else os.environ, file_actions=actions)
        _, status, usage = os.wait4(pid, 0)
        seconds = time.perf_counter() - start
    finally:
        os.chdir(previous)
    return seconds, os.waitstatus_to_exitcode(status), usage.ru_maxrss


def timed(command, env=None, cwd=None, through_time=False):
    """Wall seconds and peak resident MiB of one run, or None on failure.
    The time is taken here to the microsecond, from the spawn to the reaping
    of the program itself: a /usr/bin/time around it would add its own start
    (about a millisecond) to every run of every tool. The peak memory is the
    figure /usr/bin/time reads too, the kernel's for the reaped process;
    through_time runs the program under /usr/bin/time -v instead and takes
    the peak from its report."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        full = ["/usr/bin/time", "-v", "-o", report.name] + command if through_time else command
        # Output to a file, not /dev/null: Wine writes to character devices
        # unbuffered, one slow call per line of the host's report.
        # Standard error to a file too: Wine given a pipe there ran some
        # sessions' pictures several times slower.
        with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
            seconds, code, kib = spawn_and_wait(full, env, cwd, output, errors)
            if code != 0:
                errors.seek(0)
                message = errors.read().decode(errors="replace")[-400:]
                sys.stderr.write(f"  failed: {' '.join(command)}\n  {message}\n")
                return None
        if through_time:
            for line in report.read().splitlines():
                if "Maximum resident set size" in line:
                    kib = int(line.split(":")[-1])
        if PRINT_EACH_RUN:
            sys.stderr.write(f"  {seconds:.3f} s  {' '.join(command[:3])}\n")
        return seconds, kib / 1024


def measure(steps, runs, env=None, cwd=None):
    """Median total time, highest peak memory and best total time of a
    pipeline of commands, after one run under /usr/bin/time -v that is not
    timed (it warms the page cache for all)."""
    peak = 0.0
    for command in steps:
        outcome = timed(command, env, cwd, through_time=True)
        if outcome is None:
            return None
        peak = max(peak, outcome[1])
    totals = []
    for _ in range(runs):
        total = 0.0
        for command in steps:
            outcome = timed(command, env, cwd)
            if outcome is None:
                return None
            total += outcome[0]
            peak = max(peak, outcome[1])
        totals.append(total)
    return statistics.median(totals), peak, min(totals)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("drawings", nargs="+")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size", default="640x453")
    parser.add_argument("--skip", default="", help="comma-separated tools to leave out (wine,gdal,librecad,libreoffice)")
    parser.add_argument("--each", action="store_true", help="print every run's time on standard error")
    args = parser.parse_args()
    global PRINT_EACH_RUN
    PRINT_EACH_RUN = args.each
    width, height = (int(v) for v in args.size.split("x"))
    skip = set(filter(None, args.skip.split(",")))

    work = pathlib.Path(tempfile.mkdtemp(prefix="karvex-compare-"))
    env = dict(os.environ)
    (work / "config" / "karvex").mkdir(parents=True)
    (work / "config" / "karvex" / "settings.ini").write_text(f"[System]\nDXF_W={width}\nDXF_H={height}\n")
    env["QT_QPA_PLATFORM"] = "offscreen"
    # Wine gets the settings through its registry; given this XDG_CONFIG_HOME,
    # its fontconfig would go without its cache and search for every text.
    wine_env = dict(env, WINEPREFIX=str(work / "wine"), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    env["XDG_CONFIG_HOME"] = str(work / "config")
    karvex = str(ROOT / "build/release/tools/karvex")
    # karvex.spi where this machine runs 32-bit programs itself; elsewhere
    # they run only under an emulator, fifty times slower, and karvex.sph
    # (the same plug-in, 64-bit) is measured in its place.
    i386 = subprocess.run([str(ROOT / "scripts/i386-support.sh")], capture_output=True, text=True).stdout
    if i386.startswith("native"):
        spihost = str(ROOT / "build/win32/tools/spihost.exe")
        plugin = str(ROOT / "build/win32/src/karvex.spi")
        wine_row = "karvex.spi under Wine (start-up subtracted)"
    else:
        spihost = str(ROOT / "build/win64/tools/spihost.exe")
        plugin = str(ROOT / "build/win64/src/karvex.sph")
        wine_row = "karvex.sph under Wine (start-up subtracted)"
        print(f"32-bit programs: {i386.strip()}; measuring karvex.sph instead of karvex.spi")
    # Wine's 64-bit loader makes the prefix and runs reg: the "wine" script
    # would start the 32-bit loader first. spihost.exe starts through the
    # loader of its own width.
    wine64 = "/usr/lib/wine/wine64"
    wine_host = "wine" if plugin.endswith(".spi") else wine64

    try:
        # karvex.spi under Wine first, then the native programs, with
        # nothing of Wine left running.
        startup = None
        plugin_runs = {}
        if "wine" not in skip:
            subprocess.run([wine64, "wineboot", "-i"], env=dict(wine_env, WINEARCH="win64"),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([wine64, "reg", "add", r"HKCU\SoftWare\Corvane\DXFplugin\System", "/v", "DXF_W", "/d",
                            str(width), "/f"], env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([wine64, "reg", "add", r"HKCU\SoftWare\Corvane\DXFplugin\System", "/v", "DXF_H", "/d",
                            str(height), "/f"], env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Wine has no "ＭＳ ゴシック": without a substitute it searches every
            # font for each of the drawing's texts, which no Windows does.
            subprocess.run([wine64, "reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes",
                            "/v", "\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", "/d", "IPAGothic", "/f"],
                           env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Until the processes a new prefix starts have settled and their
            # wineserver has gone, a program that draws text may stall for
            # about ten seconds: wait for that outside the measurements.
            subprocess.run(["wineserver", "-w"], env=wine_env)
            # One wineserver, with its services and desktop, for every run:
            # otherwise each run starts them anew, and a picture (which needs
            # the desktop for GDI) pays more for that than the start-up
            # measured with "info" does.
            subprocess.run(["wineserver", "-p"], env=wine_env)
            subprocess.run([wine_host, spihost, plugin, "info", "0"], env=wine_env, stdout=subprocess.DEVNULL)
            startup = measure([[wine_host, spihost, plugin, "info", "0"]], max(args.runs, 5), wine_env)
            for drawing in args.drawings:
                plugin_run = measure([[wine_host, spihost, plugin, "picture", drawing, str(work / "plugin.bmp")]],
                                     args.runs, wine_env)
                if plugin_run and startup:
                    plugin_run = (max(plugin_run[0] - startup[0], 0.0), plugin_run[1],
                                  max(plugin_run[2] - startup[2], 0.0))
                plugin_runs[drawing] = plugin_run
            # Wine's services stay until its server stops; they must not run
            # beside the programs measured next.
            subprocess.run(["wineserver", "-k"], env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        tables = []
        for index, drawing in enumerate(args.drawings):
            size_mb = pathlib.Path(drawing).stat().st_size / 1e6
            xmin, ymin, xmax, ymax = drawing_rectangle(drawing)
            # The peers fill the picture from the rectangle's corner the same way.
            scale = min(width / (xmax - xmin), height / (ymax - ymin))
            te = [str(xmin), str(ymin), str(xmin + width / scale), str(ymin + height / scale)]
            out = work / f"out{index}"
            out.mkdir()
            rows = []
            rows.append(("karvex (native)",
                         measure([[karvex, "render", drawing, "-o", str(out / "karvex.png")]], args.runs, env)))
            if drawing in plugin_runs:
                rows.append((wine_row, plugin_runs[drawing]))
            if "gdal" not in skip and shutil.which("gdal_rasterize"):
                rows.append(("GDAL gdal_rasterize + gdal_translate", measure([
                    ["gdal_rasterize", "-q", "-burn", "0", "-init", "255", "-ot", "Byte", "-ts", str(width),
                     str(height), "-te", *te, "-l", "entities", drawing, str(out / "gdal.tif")],
                    ["gdal_translate", "-q", "-of", "PNG", str(out / "gdal.tif"), str(out / "gdal.png")]],
                    args.runs, env)))
            if "librecad" not in skip and shutil.which("librecad"):
                # dxf2pdf writes the PDF beside its input, whatever -o says.
                linked = out / "librecad.dxf"
                if not linked.exists():
                    linked.symlink_to(pathlib.Path(drawing).resolve())
                rows.append(("LibreCAD dxf2pdf + pdftoppm", measure([
                    ["librecad", "dxf2pdf", str(linked)],
                    ["pdftoppm", "-png", "-singlefile", "-scale-to-x", str(width), "-scale-to-y", str(height),
                     str(out / "librecad.pdf"), str(out / "librecad")]], args.runs, env)))
            if "libreoffice" not in skip and shutil.which("soffice"):
                profile = (work / "lo-profile").as_uri()
                rows.append(("LibreOffice soffice --convert-to png", measure([
                    ["soffice", f"-env:UserInstallation={profile}", "--headless", "--convert-to", "png",
                     "--outdir", str(out), drawing]], args.runs, env)))
            tables.append((drawing, size_mb, out, rows))

        for drawing, size_mb, _, rows in tables:
            print(f"\n{pathlib.Path(drawing).name}: {size_mb:.1f} MB, {width} x {height} pixels, "
                  f"median of {args.runs} runs")
            # Under Wine a run now and then takes several times as long for
            # reasons of Wine's own: the best run is shown beside the median.
            print(f"{'tool':46} {'seconds':>9} {'x karvex':>9} {'MB/s':>8} {'peak MiB':>9} {'best s':>8} {'x best':>7}")
            ours = rows[0][1]
            base = ours[0] if ours else None
            best_base = ours[2] if ours else None
            for name, result in rows:
                if result is None:
                    print(f"{name:46} {'failed':>9}")
                    continue
                seconds, peak, best = result
                ratio = f"{seconds / base:.2f}" if base else "-"
                best_ratio = f"{best / best_base:.2f}" if best_base else "-"
                rate = f"{size_mb / seconds:.0f}" if seconds > 0 else "-"
                print(f"{name:46} {seconds:9.3f} {ratio:>9} {rate:>8} {peak:9.0f} {best:8.3f} {best_ratio:>7}")
        if startup:
            print(f"\nWine start-up (spihost info 0), subtracted above: {startup[0]:.3f} s (best {startup[2]:.3f} s)")
    finally:
        subprocess.run(["wineserver", "-k"], env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

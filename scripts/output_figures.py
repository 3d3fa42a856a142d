#!/usr/bin/env python3
"""What each output of karvex render costs on the same drawings: the default
PNG, PNG with --smooth, and SVG (streamed while the drawing is drawn), each
at the picture sizes given. Prints the median and the best wall time of
several runs (on a busy machine the best is the fairer figure), the median
against the default PNG's, the peak resident memory and the size of what
was written.

Run through scripts/output-figures.sh, which builds the release preset and
makes the 53 MB drawing first."""
import argparse
import os
import pathlib
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from compare_converters import spawn_and_wait  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent
KARVEX = ROOT / "build" / "release" / "tools" / "karvex"
OUTPUTS = [("png", "out.png", []), ("png --smooth", "out.png", ["--smooth"]), ("svg", "out.svg", [])]


def run(drawing, size, name, options, folder, env):
    """Wall seconds, peak resident MiB and bytes written of one run."""
    target = folder / name
    command = [str(KARVEX), "render", "-q", str(drawing), "--size", size, "-o", str(target)] + options
    with open(os.devnull, "wb") as sink:
        seconds, code, kib = spawn_and_wait(command, env, None, sink, sink)
    if code != 0:
        sys.exit(f"failed ({code}): {' '.join(command)}")
    return seconds, kib / 1024, target.stat().st_size


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("drawings", nargs="*")
    parser.add_argument("--unless-given", help="the drawing to measure when none is given")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--sizes", default="640x453,4000x2832")
    args = parser.parse_args()
    drawings = args.drawings or [args.unless_given]
    with tempfile.TemporaryDirectory() as scratch:
        folder = pathlib.Path(scratch)
        # The settings file is not read: --size gives every run its size.
        env = dict(os.environ, XDG_CONFIG_HOME=str(folder))
        print(f"{'drawing':<28} {'size':>10} {'output':<13} {'median s':>9} {'best s':>7} {'x png':>6} "
              f"{'peak MiB':>9} {'bytes':>11}")
        for drawing in drawings:
            for size in args.sizes.split(","):
                baseline = None
                for label, name, options in OUTPUTS:
                    run(drawing, size, name, options, folder, env)  # warms the page cache
                    runs = [run(drawing, size, name, options, folder, env) for _ in range(args.runs)]
                    median = statistics.median(r[0] for r in runs)
                    baseline = baseline or median
                    best = min(r[0] for r in runs)
                    print(f"{pathlib.Path(drawing).name[:28]:<28} {size:>10} {label:<13} {median:9.3f} {best:7.3f} "
                          f"{median / baseline:6.2f} {max(r[1] for r in runs):9.1f} {runs[-1][2]:11,}")


if __name__ == "__main__":
    main()

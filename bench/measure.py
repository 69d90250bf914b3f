"""Runs every bench program with the runtime, CPython and Tcl; compares the
outputs, then prints the median wall time of each, the ratio to CPython, how
the runtime's time grows from size N to 4N, and the peak memory (resident
set, MiB) of the runtime and of CPython.

Each program is written for a size multiplier, @M@ in its text: 1 gives size
N, 4 gives 4N."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 5
SCALING_RUNS = 3
HERE = os.path.dirname(os.path.abspath(__file__))


def sized(path, folder, multiplier, encoding="utf-8"):
    """The program with its size multiplier filled in. Bench programs are
    UTF-8 like the tests; the runtime reads Shift_JIS."""
    base, extension = os.path.splitext(os.path.basename(path))
    target = os.path.join(folder, f"{base}_{multiplier}{extension}")
    with open(path, encoding="utf-8") as source, open(target, "wb") as out:
        out.write(source.read().replace("@M@", str(multiplier)).encode(encoding))
    return target


def timed(command, env=None):
    """Wall time, output, exit status and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    with tempfile.TemporaryFile() as out:
        child = subprocess.Popen(command, stdout=out, stderr=subprocess.DEVNULL, env=env)
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
        elapsed = time.perf_counter() - start
        out.seek(0)
        text = out.read().decode("utf-8", "replace").replace("\r\n", "\n")
    return elapsed, text, child.returncode, usage.ru_maxrss


def median_run(command, env=None, runs=RUNS):
    """The median wall time and the largest peak memory of several runs."""
    results = [timed(command, env) for _ in range(runs)]
    return statistics.median(r[0] for r in results), max(r[3] for r in results)


def main():
    runtime = sys.argv[1]
    wanted = set(sys.argv[2:])
    names = sorted(n[:-4] for n in os.listdir(HERE) if n.endswith(".yrh"))
    if wanted:
        names = [n for n in names if n in wanted]
    env = dict(os.environ, YURAHOSI_CONSOLE="1")
    tclsh = shutil.which("tclsh") or shutil.which("tclsh8.6")
    print(f"{'program':16} {'yurahosi':>10} {'python3':>10} {'tcl':>10} {'ratio':>7} {'x4N':>6}"
          f" {'MiB':>7} {'py MiB':>7}")
    with tempfile.TemporaryDirectory() as folder:
        for name in names:
            def program(extension, multiplier=1):
                encoding = "cp932" if extension == ".yrh" else "utf-8"
                return sized(os.path.join(HERE, name + extension), folder, multiplier, encoding)

            commands = {
                "yurahosi": [runtime, program(".yrh")],
                "python3": [sys.executable, program(".py")],
            }
            if tclsh:
                commands["tcl"] = [tclsh, program(".tcl")]
            outputs = {}
            for key, command in commands.items():
                _, out, status, _ = timed(command, env)
                outputs[key] = out.strip()
                if status != 0:
                    print(f"{name}: {key} failed with status {status}: {out.strip()[:200]}")
            reference = outputs["python3"]
            for key, out in outputs.items():
                if out != reference:
                    print(f"{name}: {key} printed {out[:80]!r}, python3 printed {reference[:80]!r}")
            runs = {key: median_run(command, env) for key, command in commands.items()}
            times = {key: run[0] for key, run in runs.items()}
            ratio = times["yurahosi"] / times["python3"]
            # Linear work takes about four times as long at 4N.
            larger, _ = median_run([runtime, program(".yrh", 4)], env, SCALING_RUNS)
            smaller, _ = median_run(commands["yurahosi"], env, SCALING_RUNS)
            growth = larger / smaller
            tcl = f"{times['tcl']:10.3f}" if "tcl" in times else f"{'-':>10}"
            memory = runs["yurahosi"][1] / 1024
            python_memory = runs["python3"][1] / 1024
            print(flush=True, end="")
            print(f"{name:16} {times['yurahosi']:10.3f} {times['python3']:10.3f} {tcl} {ratio:7.2f}"
                  f" {growth:6.2f} {memory:7.1f} {python_memory:7.1f}")


if __name__ == "__main__":
    main()

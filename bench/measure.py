"""Runs every bench program with the runtime, CPython and Tcl; compares the
outputs, then prints the median wall time of each and the ratio to CPython."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 5
HERE = os.path.dirname(os.path.abspath(__file__))


def to_script(path, folder):
    """Bench programs are UTF-8 like the tests; the runtime reads Shift_JIS."""
    target = os.path.join(folder, os.path.basename(path))
    with open(path, encoding="utf-8") as source, open(target, "wb") as out:
        out.write(source.read().encode("cp932"))
    return target


def timed(command, env=None):
    start = time.perf_counter()
    done = subprocess.run(command, capture_output=True, env=env, timeout=600)
    elapsed = time.perf_counter() - start
    return elapsed, done.stdout.decode("utf-8", "replace").replace("\r\n", "\n"), done.returncode


def median_time(command, env=None):
    return statistics.median(timed(command, env)[0] for _ in range(RUNS))


def main():
    runtime = sys.argv[1]
    wanted = set(sys.argv[2:])
    names = sorted(n[:-4] for n in os.listdir(HERE) if n.endswith(".yrh"))
    if wanted:
        names = [n for n in names if n in wanted]
    env = dict(os.environ, YURAHOSI_CONSOLE="1")
    tclsh = shutil.which("tclsh") or shutil.which("tclsh8.6")
    print(f"{'program':16} {'yurahosi':>10} {'python3':>10} {'tcl':>10} {'ratio':>7}")
    with tempfile.TemporaryDirectory() as folder:
        for name in names:
            script = to_script(os.path.join(HERE, name + ".yrh"), folder)
            commands = {
                "yurahosi": [runtime, script],
                "python3": [sys.executable, os.path.join(HERE, name + ".py")],
            }
            if tclsh:
                commands["tcl"] = [tclsh, os.path.join(HERE, name + ".tcl")]
            outputs = {}
            for key, command in commands.items():
                _, out, status = timed(command, env)
                outputs[key] = out.strip()
                if status != 0:
                    print(f"{name}: {key} failed with status {status}: {out.strip()[:200]}")
            reference = outputs["python3"]
            for key, out in outputs.items():
                if out != reference:
                    print(f"{name}: {key} printed {out[:80]!r}, python3 printed {reference[:80]!r}")
            times = {key: median_time(command, env) for key, command in commands.items()}
            ratio = times["yurahosi"] / times["python3"]
            tcl = f"{times['tcl']:10.3f}" if "tcl" in times else f"{'-':>10}"
            print(flush=True, end="")
            print(f"{name:16} {times['yurahosi']:10.3f} {times['python3']:10.3f} {tcl} {ratio:7.2f}")


if __name__ == "__main__":
    main()

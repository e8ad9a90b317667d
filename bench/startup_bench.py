"""Start-up of the game against a bare Qt window, started in turn on the display in $DISPLAY.

For each start: the wall time until the program's window is mapped (polled with xdotool), then,
half a second later, the processor time the process has used and its peak resident memory.
Usage: startup_bench.py GAME BARE STARTS
"""
import os
import statistics
import subprocess
import sys
import time

SETTLE_S = 0.5
DEADLINE_S = 20


def window_mapped(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


# The processor time of every thread to the nanosecond (the first field of schedstat), rather
# than in the 10 ms ticks of stat; no thread of either program ends before it is read.
def processor_s(pid):
    total_ns = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        total_ns += int(open(f"/proc/{pid}/task/{task}/schedstat").read().split()[0])
    return total_ns / 1e9


def peak_mib(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def start_once(program):
    begun = time.monotonic()
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL)
    try:
        while not window_mapped(process.pid):
            if time.monotonic() - begun > DEADLINE_S or process.poll() is not None:
                raise RuntimeError(f"{program} showed no window (exit status {process.poll()})")
            time.sleep(0.002)
        to_window = time.monotonic() - begun
        time.sleep(SETTLE_S)
        return to_window * 1000, processor_s(process.pid) * 1000, peak_mib(process.pid)
    finally:
        process.kill()
        process.wait()


# A start that never maps its window (the X server may refuse a client now and then) is made
# again, up to twice.
def measured_start(program):
    for attempt in range(3):
        try:
            return start_once(program)
        except RuntimeError:
            if attempt == 2:
                raise
    return None


def main():
    game, bare, starts = sys.argv[1], sys.argv[2], int(sys.argv[3])
    runs = {game: [], bare: []}
    for _ in range(starts):
        for program in (game, bare):  # interleaved, so that both see the same machine
            runs[program].append(measured_start(program))
    medians = {p: [statistics.median(r[i] for r in runs[p]) for i in range(3)] for p in runs}
    print(f"{'median of ' + str(starts):>16} {'to window ms':>13} {'processor ms':>13} {'peak MiB':>9}")
    for label, program in (("game", game), ("bare window", bare)):
        print(f"{label:>16} {medians[program][0]:13.1f} {medians[program][1]:13.1f} "
              f"{medians[program][2]:9.1f}")
    ratios = [g / b for g, b in zip(medians[game], medians[bare])]
    print(f"{'game / bare':>16} {ratios[0]:13.2f} {ratios[1]:13.2f} {ratios[2]:9.2f}")


if __name__ == "__main__":
    main()

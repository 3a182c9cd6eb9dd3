#!/usr/bin/python3
"""Records what a sound server plays and finds when sound begins, on the machine's monotonic clock.

  soundtrace.py record --out PREFIX [--device nul.monitor]
      Records the device with parec into PREFIX.raw (16-bit mono at the device's own rate, so that nothing is
      resampled on the way) until ended with SIGTERM or SIGINT, noting in PREFIX.times the rate and when each
      piece of data arrived; creates PREFIX.ready once data flows.
  soundtrace.py onsets --trace PREFIX --plays LOG [--summary]
      LOG has a line "MONOTONIC_MS LABEL..." for each moment something was asked to play. Prints for each line the
      milliseconds from that moment to the first audible sample and to the end of the sound that follows, "none"
      when no sound begins within a second, and "busy" when sound was already playing. With --summary, prints the
      count, median, p99 and largest onset of each label's first word instead, and the rest of the label whose
      onsets have the largest median.
  soundtrace.py audible --trace PREFIX FROM_MS TO_MS
      Prints how many milliseconds of the monotonic span [FROM_MS, TO_MS) hold audible sound.

The time base: a sample's monotonic time follows from when the recording's data arrived. The pieces that arrived
quickest (one for each second) show when their samples were played; a line through them, moved down until no piece
arrived before it, maps each sample to its time. The null sink mixes a little ahead of its clock, by its block, which
follows the recorder's latency (2 ms), and the recorder delivers a little late: times found are good to a few ms.
A real sound card adds the latency of its own buffer, which a null sink does not have.

Audible means at least -40 dBFS (328 of 32767), the level below which the program cuts a clip's leading silence.
"""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import time
from array import array

AUDIBLE = 328
READY_MSECS = 100
SEGMENT_GAP_MSECS = 150  # a pause shorter than this is inside one sound (between words)
ONSET_WINDOW_MSECS = 1000
TIMEBASE_TOLERANCE_MSECS = 10  # sound this little before a moment still counts as its onset (see above)


def device_rate(device):
    sources = subprocess.run(["pactl", "list", "sources", "short"], check=True, capture_output=True, text=True)
    for line in sources.stdout.splitlines():
        fields = line.split("\t")
        if len(fields) > 3 and fields[1] == device:
            return int(fields[3].split()[-1].removesuffix("Hz"))
    raise SystemExit(f"soundtrace: the sound server has no source {device}")


def record(args):
    raw_path, times_path, ready_path = (args.out + ext for ext in (".raw", ".times", ".ready"))
    rate = device_rate(args.device)
    stopping = False

    def stop(*_):
        nonlocal stopping
        stopping = True

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    parec = subprocess.Popen(
        ["parec", "--raw", "--format=s16le", f"--rate={rate}", "--channels=1",
         f"--latency-msec={args.latency_msec}", f"--device={args.device}"],
        stdout=subprocess.PIPE, bufsize=0)
    received = 0
    ready = False
    with open(raw_path, "wb") as raw, open(times_path, "w", encoding="ascii") as times:
        times.write(f"rate {rate}\n")
        while not stopping:
            try:
                data = os.read(parec.stdout.fileno(), 65536)
            except InterruptedError:
                continue
            arrived = time.monotonic_ns()
            if not data:
                break
            raw.write(data)
            received += len(data) // 2
            times.write(f"{arrived} {received}\n")
            if not ready and received >= rate * READY_MSECS // 1000:
                raw.flush()
                times.flush()
                open(ready_path, "w", encoding="ascii").close()
                ready = True
    parec.terminate()
    parec.wait()
    return 0 if ready else 1


class Trace:
    def __init__(self, prefix):
        self.samples = array("h")
        with open(prefix + ".raw", "rb") as raw:
            self.samples.frombytes(raw.read())
        if sys.byteorder != "little":
            self.samples.byteswap()
        earliest = {}  # per second of arrival: the piece that arrived quickest, as (lateness, received, arrived)
        with open(prefix + ".times", encoding="ascii") as times:
            self.rate = int(times.readline().split()[1])
            for line in times:
                arrived, received = (int(field) for field in line.split())
                arrived_msecs = arrived / 1e6
                lateness = arrived_msecs - received * 1000 / self.rate
                second = int(arrived_msecs // 1000)
                if second not in earliest or lateness < earliest[second][0]:
                    earliest[second] = (lateness, received, arrived_msecs)
        if len(earliest) < 2:
            raise SystemExit(f"soundtrace: {prefix} holds less than two seconds of recording")
        # A line through the quickest arrivals: the sink's clock may run a little off its nominal rate (the null
        # sink's does, by about 0.02 %, from rounding its blocks to whole microseconds).
        points = [(received, arrived) for _, received, arrived in earliest.values()]
        mean_n = statistics.fmean(n for n, _ in points)
        mean_t = statistics.fmean(t for _, t in points)
        slope = (sum((n - mean_n) * (t - mean_t) for n, t in points) /
                 sum((n - mean_n) ** 2 for n, _ in points))
        intercept = mean_t - slope * mean_n
        # Moved down so that no piece arrived before the line says its last sample was played.
        intercept -= max(intercept + slope * n - t for n, t in points)
        self.msecs_per_sample = slope
        self.start_msecs = intercept

    def index(self, msecs):
        return round((msecs - self.start_msecs) / self.msecs_per_sample)

    def msecs(self, index):
        return self.start_msecs + index * self.msecs_per_sample

    def covers(self, msecs):
        return 0 <= self.index(msecs) <= len(self.samples)

    def audible(self, index):
        return abs(self.samples[index]) >= AUDIBLE

    def samples_in(self, msecs):
        return round(msecs * self.rate / 1000)

    def first_audible(self, begin, end):
        for i in range(max(begin, 0), min(end, len(self.samples))):
            if self.audible(i):
                return i
        return None

    def sound_end(self, begin):
        """The index after the last audible sample of the sound that begins at begin."""
        gap = self.samples_in(SEGMENT_GAP_MSECS)
        last = begin
        i = begin
        while i < len(self.samples) and i - last <= gap:
            if self.audible(i):
                last = i
            i += 1
        return last + 1


def onsets(args):
    trace = Trace(args.trace)
    results = []
    with open(args.plays, encoding="utf-8") as plays:
        for line in plays:
            fields = line.split(maxsplit=1)
            if not fields:
                continue
            at, label = float(fields[0]), fields[1].strip() if len(fields) > 1 else ""
            if not trace.covers(at):
                results.append((at, label, "outside", None, None))
                continue
            begin = trace.index(at)
            window = trace.samples_in(ONSET_WINDOW_MSECS)
            tolerance = trace.samples_in(TIMEBASE_TOLERANCE_MSECS)
            if trace.first_audible(begin - trace.samples_in(50), begin - tolerance) is not None:
                results.append((at, label, "busy", None, None))
                continue
            first = trace.first_audible(begin - tolerance, begin + window)
            if first is None:
                results.append((at, label, "none", None, None))
                continue
            end = trace.sound_end(first)
            results.append((at, label, "sound", trace.msecs(first) - at, trace.msecs(end) - at))
    if args.summary:
        groups = {}
        for _, label, kind, onset, _ in results:
            name, _, text = label.partition(" ")
            group = groups.setdefault(name, {"onsets": [], "missed": 0, "texts": {}})
            if kind == "sound":
                group["onsets"].append(onset)
                group["texts"].setdefault(text, []).append(onset)
            else:
                group["missed"] += 1
        for name, group in groups.items():
            values = sorted(group["onsets"])
            if not values:
                print(f"{name:12} sounds 0  missed {group['missed']}")
                continue
            p99 = values[min(len(values) - 1, round(0.99 * (len(values) - 1)))]
            slowest, text_onsets = max(group["texts"].items(), key=lambda item: statistics.median(item[1]))
            print(f"{name:12} sounds {len(values):4}  missed {group['missed']:3}  onset ms: median "
                  f"{statistics.median(values):6.1f}  p99 {p99:6.1f}  max {values[-1]:6.1f}  min {values[0]:6.1f}"
                  f"  (latest by median: \"{slowest}\" {statistics.median(text_onsets):.1f})")
    else:
        for at, label, kind, onset, end in results:
            if kind == "sound":
                print(f"{at:.1f} {onset:.1f} {end:.1f} {label}")
            else:
                print(f"{at:.1f} {kind} - {label}")
    return 0


def audible(args):
    trace = Trace(args.trace)
    if not (trace.covers(args.from_msecs) and trace.covers(args.to_msecs)):
        print(f"soundtrace: {args.from_msecs}-{args.to_msecs} is outside the recording", file=sys.stderr)
        return 1
    begin, end = trace.index(args.from_msecs), trace.index(args.to_msecs)
    per_msec = trace.samples_in(1)
    print(sum(1 for i in range(begin, end, per_msec)
              if any(trace.audible(j) for j in range(i, min(i + per_msec, end)))))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    recorder = commands.add_parser("record")
    recorder.add_argument("--out", required=True)
    recorder.add_argument("--device", default="nul.monitor")
    recorder.add_argument("--latency-msec", type=int, default=2)
    finder = commands.add_parser("onsets")
    finder.add_argument("--trace", required=True)
    finder.add_argument("--plays", required=True)
    finder.add_argument("--summary", action="store_true")
    span = commands.add_parser("audible")
    span.add_argument("--trace", required=True)
    span.add_argument("from_msecs", type=float)
    span.add_argument("to_msecs", type=float)
    args = parser.parse_args()
    return {"record": record, "onsets": onsets, "audible": audible}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())

"""Prints the table of bench/run from Google Benchmark's JSON output (one
file per benchmark program): each figure beside its peer or target and the
ratio between them. A ratio with a goal ">= x" is our speed over the peer's
or the target over our time (above 1 is better); one with "<= x" is our time
over the peer's or over the floor (below is better)."""
import json
import re
import sys

TARGET = "target"


def load(paths):
    figures, context, runs = {}, None, 1
    for path in paths:
        try:
            with open(path) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue  # a program whose benchmarks the filter left out
        context = context or data["context"]
        for b in data["benchmarks"]:
            if b.get("aggregate_name", "median") != "median" or b.get("error_occurred"):
                continue
            # The suffixes of manual and real time and of fixed iterations
            # are no part of the figure's name.
            name = re.sub(r"/(manual_time|real_time|iterations:\d+)", "", b["run_name"])
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            runs = b.get("repetitions", runs)
            figures[name] = dict(b, ms=b["real_time"] * scale, mbs=b.get("bytes_per_second", 0) / 1e6)
    return context, figures, runs


def ms(value):
    if value >= 1000:
        return f"{value / 1000:.2f} s"
    return f"{value * 1000:.0f} us" if value < 1 else f"{value:.2f} ms"


def main():
    context, f, runs = load(sys.argv[1:])
    rows = []

    def throughput(label, ours, peer, peer_name, goal):
        if ours in f and peer in f:
            a, b = f[ours]["mbs"], f[peer]["mbs"]
            rows.append((label, f"{a:.0f} MB/s", f"{peer_name} {b:.0f} MB/s", f"{a / b:.2f}", goal))

    def against_peer(label, ours, peer, peer_name, goal):
        if ours in f and peer in f:
            a, b = f[ours]["ms"], f[peer]["ms"]
            rows.append((label, ms(a), f"{peer_name} {ms(b)}", f"{b / a:.2f}", goal))

    def time_over_peer_beside(label, name, peer_name, goal):
        # the peer taken in turns with ours, as the counter peer_ms
        if name in f:
            a, b = f[name]["ms"], f[name]["peer_ms"]
            rows.append((label, ms(a), f"{peer_name} {ms(b)}", f"{a / b:.2f}", goal))

    def against_target(label, name, limit_ms):
        if name not in f:
            rows.append((label, "n/a", "", "", ""))
            return
        a = f[name]["ms"]
        rows.append((label, ms(a), f"{TARGET} {ms(limit_ms)}", f"{limit_ms / a:.2f}", ">= 1"))

    def per_block(label, name):
        if name in f:
            rows.append((label, ms(f[name]["ms"] / f[name]["blocks"]), f"{f[name]['blocks']:.0f} blocks", "", ""))

    def against_floor(label, name):
        if name in f and f[name].get("floor_ms"):
            a, floor = f[name]["ms"], f[name]["floor_ms"]
            rows.append((label, ms(a), f"floor {ms(floor)}", f"{a / floor:.3f}", "<= 1.05"))

    throughput("XML read (speed ratio)", "XMLRead_Ravlin", "XMLRead_Pugixml", "pugixml", ">= 0.7")
    throughput("XML read (speed ratio)", "XMLRead_Ravlin", "XMLRead_Libxml2", "libxml2", "> 1")
    against_peer("XML write (speed ratio)", "XMLWrite_Ravlin", "XMLWrite_Pugixml", "pugixml", ">= 0.8")
    for arg, what, limit in ((0, "largest", 5.0), (1, "typical", 1.0)):
        against_target(f"open {what} (XML)", f"LayoutOpenXML/{arg}", limit)
        against_target(f"save {what} (XML)", f"LayoutSaveXML/{arg}", limit)
    for form in ("bin", "bin29", "bin28", "bin13"):
        for arg, what, limit in ((0, "largest", 0.2), (1, "typical", 0.05)):
            against_target(f"image {form} encode+decode {what}", f"DeviceImage/{form}/{arg}", limit)
    against_target("clipboard round trip, largest", "ClipboardRoundTrip", 4.0)

    for arg, what in ((0, "largest"), (1, "typical")):
        per_block(f"emulator write {what}, no pause, per block", f"EmulatorWrite/layout:{arg}/pause:0")
        per_block(f"emulator read {what}, per block", f"EmulatorRead/layout:{arg}")
        against_floor(f"emulator write {what}, 100 ms pause", f"EmulatorWrite/layout:{arg}/pause:100")

    time_over_peer_beside("editor cold start, largest open", "ColdStart", "empty window", "<= 1.5")
    for mode, what in enumerate(("layout", "picture", "simplified")):
        against_target(f"grid repaint, {what} view", f"GridRepaint/{mode}", 8.0)
    if "EditorMemory" in f:
        m = f["EditorMemory"]
        rows.append(("editor resident, 10 largest open", f"{m['resident_MB']:.1f} MB", f"{TARGET} 100 MB",
                     f"{100 / m['resident_MB']:.2f}", ">= 1"))
        rows.append(("  of it per largest document", f"{m['per_document_MB']:.1f} MB", "", "", ""))
    for name, what in (("UndoKeyEdits", "one-key edits"), ("UndoMixedEdits", "mixed edits"),
                       ("UndoWholeLayoutEdits", "every key rewritten")):
        if name in f:
            m = f[name]
            held = m["heap_growth_MB"]
            rows.append((f"undo, 100 steps of {what}", f"{held:.2f} MB" if held < 1 else f"{held:.1f} MB",
                         f"{TARGET} 50 MB",
                         f"{50 / max(held, 0.1):.2f}", ">= 1"))
    time_over_peer_beside("ravlin convert largest (process)", "ToolConvertLargest", "ravlin models", "<= 1.3")

    header = ("figure", "ours", "peer or target", "ratio", "goal")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(5)]
    for r in [header] + rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    if context:
        print(f"\n{context['num_cpus']} x {context['mhz_per_cpu']} MHz, median of {runs} runs; "
              "goal >= x: our speed over the peer's or the target over our time; "
              "goal <= x: our time over the peer's or the floor")


main()
